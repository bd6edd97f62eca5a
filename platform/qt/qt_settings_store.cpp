// QSettings behind the settings store: texts go in and come out unchanged.
#include "qt_settings_store.h"

#include "stored_objects.h"

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

QtSettingsStore::QtSettingsStore(QString filePath) : filePath_(std::move(filePath)) {}

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
    // A value QSettings would rebuild as a serialized object is made plain text first: in the file itself
    // when it can be replaced, else in a private copy that is read instead (its saves are reported as failed,
    // for the player's file is not being written).
    const QString path = filePath_.isEmpty() ? userFile(name) : filePath_;
    QByteArray defused;
    if (fileHoldsStoredObjects(path, defused)) {
        QSaveFile replacement(path);
        const bool replaced = replacement.open(QIODevice::WriteOnly) &&
                              replacement.write(defused) == defused.size() && replacement.commit();
        if (!replaced) {
            file.copy = std::make_unique<QTemporaryFile>();
            if (file.copy->open() && file.copy->write(defused) == defused.size() && file.copy->flush()) {
                file.settings = std::make_unique<QSettings>(file.copy->fileName(), QSettings::IniFormat);
            } else {
                file.settings = std::make_unique<QSettings>("/dev/null", QSettings::IniFormat);
            }
        }
    }
    if (!file.settings && filePath_.isEmpty()) {
        file.settings =
            std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "zem", toQt(name));
    } else if (!file.settings) {
        file.settings = std::make_unique<QSettings>(filePath_, QSettings::IniFormat);
    }
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
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "zem", toQt(application)).fileName();
}

std::optional<std::string> QtSettingsStore::read(const std::string& application, const std::string& section,
                                                 const std::string& key) {
    const QVariant value = fileFor(application).settings->value(keyOf(section, key));
    if (!value.isValid()) return std::nullopt;
    // A text with unquoted commas, as a hand-edited file may hold, reads as a list: give it back joined.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(", ").toStdString();
    if (!value.canConvert<QString>()) return std::nullopt;
    return value.toString().toStdString();
}

bool QtSettingsStore::write(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& value) {
    File& file = fileFor(application);
    if (!file.settings->isWritable()) return false;
    const QString k = keyOf(section, key);
    const QString v = toQt(value);
    file.settings->setValue(k, v);
    file.unsaved[k] = v;
    return true;
}

bool QtSettingsStore::flush() {
    bool ok = true;
    for (auto& [name, file] : files_) {
        // QSettings keeps its first error for good: after a failure a fresh one, given the unsaved values
        // again, tries anew.
        if (file.failed) reopen(name, file);
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
