// The per-user settings store on QSettings: one INI file per application, sections as groups, values as
// texts.
#pragma once

#include "platform/settings_store.h"

#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <string>

class QSettings;
class QTemporaryFile;

namespace zem::platform::qt {

class QtSettingsStore final : public SettingsStore {
  public:
    // Without a path, the user's store: ~/.config/zem/<application>.ini (organisation "zem"), one file per
    // application. With a path, one INI file whatever the application (for tests and tools).
    explicit QtSettingsStore(QString filePath = {});
    ~QtSettingsStore() override;

    std::optional<std::string> read(const std::string& application, const std::string& section,
                                    const std::string& key) override;
    // Keeps the text; false when the store's file cannot be written.
    bool write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;
    // Writes every changed file (a new file in the same folder, renamed over the old one); false on failure.
    bool flush() override;

    // The file that holds the given application's values.
    QString fileName(const std::string& application);
    // The user's file for an application (~/.config/zem/<application>.ini), found without reading it.
    static QString userFile(const std::string& application);

  private:
    struct File {
        std::unique_ptr<QSettings> settings;
        // Values written since the last flush that reached the disk, to be written again after a failed one.
        std::map<QString, QString> unsaved;
        bool failed =
            false;  // the last flush failed; QSettings keeps its first error, so the next takes a new one
        // A safe copy read in place of a file that holds serialized objects and cannot be replaced.
        std::unique_ptr<QTemporaryFile> copy;
    };
    File& fileFor(const std::string& application);
    void reopen(const std::string& name, File& file);

    QString filePath_;  // empty for the user's store
    std::map<std::string, File> files_;
};

}  // namespace zem::platform::qt
