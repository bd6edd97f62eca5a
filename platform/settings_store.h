// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user settings store: text values addressed by application, section and key.
#pragma once

#include <optional>
#include <string>

namespace zem::platform {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored text, or nothing when the key is missing or the store cannot be read.
    virtual std::optional<std::string> read(const std::string& application, const std::string& section,
                                            const std::string& key) = 0;
    // Stores the text; returns false when it could not be written.
    virtual bool write(const std::string& application, const std::string& section, const std::string& key,
                       const std::string& value) = 0;
    // Puts everything written so far safely on disk (a no-op for stores that write through).
    virtual bool flush() { return true; }
    // Why the last write or flush failed, when the store knows more than that it did; else empty.
    virtual std::string whyNotSaved() const { return {}; }
};

}  // namespace zem::platform
