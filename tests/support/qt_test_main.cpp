// SPDX-License-Identifier: GPL-3.0-or-later
// The main of the tests of the Qt back end and the real windows: every case inside one QApplication, on the
// offscreen platform unless another is asked for, with the user's folders pointed at a scratch folder so no
// test touches the real settings.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The offscreen platform says on every fixed-size window that it cannot pass size hints on; nothing to see.
QtMessageHandler defaultHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains("does not support propagateSizeHints")) return;
    defaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid()) return 1;
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath("config").toUtf8());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt wants a private runtime folder and says so on every start when there is none.
        const QString runtime = QDir(home.path()).filePath("runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    }
    defaultHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
