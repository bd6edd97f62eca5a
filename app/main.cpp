// zem: starts the Qt back end, builds the machine window and hands control to the event loop.
#include <QApplication>
#include <QIcon>

#include "app/command_line.h"
#include "assets/pictures.h"
#include "platform/qt/qt_platform.h"
#include "play/machine.h"

int main(int argc, char* argv[]) {
    if (const int status = zem::app::answerBeforeWindows(argc, argv); status >= 0) return status;
    QApplication app(argc, argv);
    if (const int status = zem::app::answerWithWindows(); status >= 0) return status;
    QApplication::setApplicationName("zem");
    QApplication::setOrganizationName("zem");
    QApplication::setDesktopFileName(QStringLiteral(ZEM_APP_ID));
    QApplication::setWindowIcon(zem::assets::windowIcon());

    zem::platform::qt::QtPlatform platform(
        [](const zem::platform::PictureRef& ref) { return zem::assets::picture(ref.name, ref.index); });
    zem::play::Machine machine(platform, [](int number) { return zem::assets::recordingResource(number); });
    platform.attach(machine.w.orvelle);
    machine.startup();
    platform.sync();
    if (platform.quitRequested()) return 0;
    return QApplication::exec();
}
