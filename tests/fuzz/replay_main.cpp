// Runs the fuzz target over given files and folders of files once each (the corpus in ordinary builds).
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char* argv[]) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        QStringList files;
        const QFileInfo info(argv[i]);
        if (info.isDir()) {
            for (const QString& name : QDir(argv[i]).entryList(QDir::Files, QDir::Name))
                files << QDir(argv[i]).filePath(name);
        } else {
            files << argv[i];
        }
        for (const QString& name : files) {
            QFile file(name);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
                return 2;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                   static_cast<size_t>(bytes.size()));
            ++inputs;
        }
    }
    std::printf("%d inputs, no fault\n", inputs);
    return inputs > 0 ? 0 : 1;
}
