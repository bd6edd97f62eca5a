// SPDX-License-Identifier: GPL-3.0-or-later
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
    // Read only: the file is never written, not even to make a value QSettings would rebuild as a serialized
    // object plain (a private copy is read instead), and every write is refused (for tools that only look).
    enum class Access { ReadWrite, ReadOnly };
    explicit QtSettingsStore(QString filePath = {}, Access access = Access::ReadWrite);
    ~QtSettingsStore() override;

    std::optional<std::string> read(const std::string& application, const std::string& section,
                                    const std::string& key) override;
    // Keeps the text; false when the store's file cannot be written.
    bool write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;
    // Writes every changed file (a new file in the same folder, renamed over the old one); false on failure.
    // A link the player keeps to the file is left as it is and the file it leads to is replaced.
    bool flush() override;
    std::string whyNotSaved() const override;

    // The file that holds the given application's values.
    QString fileName(const std::string& application);
    // The user's file for an application: <application>.ini in the folder "zem" of the user's configuration
    // folder ($XDG_CONFIG_HOME when it is an absolute path, else ~/.config), found without reading it. Empty
    // when the account has no home folder at all.
    static QString userFile(const std::string& application);
    // Why the store at `storeFile` is not the game's to read and write (a device, a pipe, a link into another
    // account's files; or the same at the writer's lock beside it), in words for the player; empty when it
    // is. Looks without opening anything, so a pipe there never holds the game up.
    static QString refusal(const QString& storeFile);

  private:
    struct File {
        std::unique_ptr<QSettings> settings;
        // Values written since the last flush that reached the disk, to be written again after a failed one.
        std::map<QString, QString> unsaved;
        bool failed =
            false;  // the last flush failed; QSettings keeps its first error, so the next takes a new one
        // A safe copy read in place of a file that holds serialized objects and cannot be replaced.
        std::unique_ptr<QTemporaryFile> copy;
        // The regular file read and written: the store's path, or the file a link there leads to.
        QString target;
        // Why the file is neither read nor written (settings is then null).
        QString refusal;
    };
    File& fileFor(const std::string& application);
    void reopen(const std::string& name, File& file);

    QString filePath_;  // empty for the user's store
    Access access_;
    std::map<std::string, File> files_;
};

}  // namespace zem::platform::qt
