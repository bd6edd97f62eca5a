// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file as untrusted input: the fuzzer's bytes are the whole store file, read through the real
// settings store.
#include "platform/qt/qt_settings_store.h"
#include "record_check.h"

#include <QDir>
#include <QFile>

#include <cstdint>
#include <unistd.h>

namespace {

QString storeFile() {
    static const QString path = [] {
        const QString base = QDir("/dev/shm").exists() ? "/dev/shm" : QDir::tempPath();
        const QString folder = base + QString("/zem-record-fuzz-%1").arg(::getpid());
        QDir().mkpath(folder);
        return folder + "/zem.ini";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = storeFile();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            zem::fuzz::fail("cannot write the file", 0);
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    zem::fuzz::Loaded loaded;
    {
        zem::platform::qt::QtSettingsStore store(path);
        zem::fuzz::OneFlush deferred(store);
        loaded = zem::fuzz::loadAndSave(deferred, store);
    }
    zem::platform::qt::QtSettingsStore again(path);
    zem::fuzz::verifyReload(again, loaded);
    return 0;
}
