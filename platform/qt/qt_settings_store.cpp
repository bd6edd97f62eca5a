// SPDX-License-Identifier: GPL-3.0-or-later
// QSettings behind the settings store: texts go in and come out unchanged.
#include "qt_settings_store.h"

#include "own_files.h"
#include "stored_objects.h"

#include <QDir>
#include <QSaveFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryFile>

namespace zem::platform::qt {

namespace {

QString toQt(const std::string& text) { return QString::fromStdString(text); }

// The INI key of a value: the section is the group. QSettings escapes characters that the INI syntax would
// otherwise take for its own (blanks at the ends, commas, quotes, semicolons, equals signs) when it writes,
// and undoes it when it reads.
QString keyOf(const std::string& section, const std::string& key) { return toQt(section) + '/' + toQt(key); }

}  // namespace

QtSettingsStore::QtSettingsStore(QString filePath, Access access)
    : filePath_(std::move(filePath)), access_(access) {}

QtSettingsStore::~QtSettingsStore() {
    // QSettings writes pending changes when it goes; nothing else to do.
}

QtSettingsStore::File& QtSettingsStore::fileFor(const std::string& application) {
    const std::string name = filePath_.isEmpty() ? application : std::string();
    auto it = files_.find(name);
    if (it == files_.end()) {
        it = files_.emplace(name, File{}).first;
        reopen(name, it->second);
    }
    return it->second;
}

void QtSettingsStore::reopen(const std::string& name, File& file) {
    file.settings.reset();
    file.copy.reset();
    const QString path = fileName(name);
    // What stands at the store's place is looked at before anything opens it: a pipe there would hold the
    // game up for good, and a device or another account's file behind a link must never be written.
    file.refusal = refusal(path);
    if (!file.refusal.isEmpty()) return;
    // A link the player keeps to the file is followed: the file it leads to is read and replaced by the
    // saves, and the link stays as it is.
    file.target = lookAtOwnFile(path).target;
    // A value QSettings would rebuild as a serialized object is made plain text first: in the file itself
    // when it can be replaced, else in a private copy that is read instead (its saves are reported as failed,
    // for the player's file is not being written).
    QByteArray defused;
    if (fileHoldsStoredObjects(file.target, defused)) {
        QSaveFile replacement(file.target);
        const bool replaced = access_ == Access::ReadWrite && replacement.open(QIODevice::WriteOnly) &&
                              replacement.write(defused) == defused.size() && replacement.commit();
        if (!replaced) {
            file.copy = std::make_unique<QTemporaryFile>();
            if (!file.copy->open() || file.copy->write(defused) != defused.size() || !file.copy->flush()) {
                file.copy.reset();
                file.refusal = path + QStringLiteral(" cannot be read safely");
                return;
            }
            file.settings = std::make_unique<QSettings>(file.copy->fileName(), QSettings::IniFormat);
        }
    }
    if (!file.settings) file.settings = std::make_unique<QSettings>(file.target, QSettings::IniFormat);
    // A file is only ever replaced whole, never rewritten in place (the default, stated here on purpose).
    file.settings->setAtomicSyncRequired(true);
    // Every section of the file is read now. Read key by key, QSettings may look for a key in the wrong part
    // of a damaged file (a broken header that begins with the section's name, such as "[player1/"), so that
    // the player's keys read as missing, while a save merges every part and keeps them: the game would show
    // and save defaults over a record it did not see. Read whole, it sees what a save keeps.
    (void)file.settings->allKeys();
    for (const auto& [key, value] : file.unsaved) file.settings->setValue(key, value);
}

QString QtSettingsStore::fileName(const std::string& application) {
    if (filePath_.isEmpty()) return userFile(application);
    return filePath_;
}

QString QtSettingsStore::userFile(const std::string& application) {
    const QString home = accountHome();
    if (home.isEmpty()) return {};
    // A relative configuration folder is ignored, as the base directory rules say: it would put a store
    // under every folder the game is started from.
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(config)) config = home + QStringLiteral("/.config");
    return QDir::cleanPath(config + QStringLiteral("/zem/") + toQt(application) + QStringLiteral(".ini"));
}

QString QtSettingsStore::refusal(const QString& storeFile) {
    if (storeFile.isEmpty())
        return QStringLiteral("The account has no home folder to keep the settings file in.");
    const OwnFile store = lookAtOwnFile(storeFile);
    const QString why =
        QStringLiteral("%1 is %2; the game reads and writes only a regular file of its own there.");
    if (store.kind == OwnFile::Kind::Refused) return why.arg(storeFile, store.what);
    // The settings writer's lock beside the file: read and removed by the writer when it finds it stale.
    const QString writersLock = store.target + QStringLiteral(".lock");
    const OwnFile lock = lookAtOwnFile(writersLock);
    if (lock.kind == OwnFile::Kind::Refused) return why.arg(writersLock, lock.what);
    return {};
}

std::string QtSettingsStore::whyNotSaved() const {
    for (const auto& [name, file] : files_) {
        if (!file.refusal.isEmpty()) return file.refusal.toStdString();
    }
    return {};
}

std::optional<std::string> QtSettingsStore::read(const std::string& application, const std::string& section,
                                                 const std::string& key) {
    const File& file = fileFor(application);
    if (!file.settings) return std::nullopt;
    const QVariant value = file.settings->value(keyOf(section, key));
    if (!value.isValid()) return std::nullopt;
    // A text with unquoted commas, as a hand-edited file may hold, reads as a list: give it back joined.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(", ").toStdString();
    if (!value.canConvert<QString>()) return std::nullopt;
    return value.toString().toStdString();
}

bool QtSettingsStore::write(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& value) {
    if (access_ == Access::ReadOnly) return false;
    File& file = fileFor(application);
    if (!file.settings || !file.settings->isWritable()) return false;
    const QString k = keyOf(section, key);
    const QString v = toQt(value);
    file.settings->setValue(k, v);
    file.unsaved[k] = v;
    return true;
}

bool QtSettingsStore::flush() {
    bool ok = true;
    for (auto& [name, file] : files_) {
        // What stands at the store's place is looked at again before every save: it may have changed since
        // the file was read. The values stay unsaved until it is the game's file again.
        file.refusal = refusal(fileName(name));
        if (!file.refusal.isEmpty()) {
            file.failed = true;
            ok = false;
            continue;
        }
        // QSettings keeps its first error for good: after a failure a fresh one, given the unsaved values
        // again, tries anew. So does one whose link now leads to another file.
        if (file.failed || !file.settings ||
            (!file.copy && lookAtOwnFile(fileName(name)).target != file.target))
            reopen(name, file);
        if (!file.settings) {
            file.failed = true;
            ok = false;
            continue;
        }
        file.settings->sync();
        if (file.settings->status() == QSettings::FormatError) {
            // A damaged file keeps the reader's format error for good, even after the save above replaced it
            // with a clean one: a fresh reader, given the unsaved values again, tells which it was.
            reopen(name, file);
            file.settings->sync();
        }
        file.failed = file.settings->status() != QSettings::NoError || file.copy != nullptr;
        if (file.failed) {
            ok = false;
        } else {
            file.unsaved.clear();
        }
    }
    return ok;
}

}  // namespace zem::platform::qt
