// zem: starts the Qt back end, builds the machine window and hands control to the event loop.
#include <QApplication>
#include <QIcon>

#include "assets/pictures.h"
#include "infowindows/info_windows.h"
#include "platform/qt/qt_platform.h"
#include "play/machine.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("zem");
    QApplication::setOrganizationName("zem");
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(zem::assets::picture("appicon"))));

    zem::platform::qt::QtPlatform platform(
        [](const zem::platform::PictureRef& ref) { return zem::assets::picture(ref.name, ref.index); });
    zem::play::Machine machine(platform, [](int number) { return zem::assets::recordingResource(number); });
    platform.attach(machine.w.orvelle);
    zem::infowindows::InfoWindows infos(machine);
    infos.onLoad = [&platform](zem::platform::Window& w) { platform.attach(w); };
    infos.onUnload = [&platform](zem::platform::Window& w) { platform.detach(w); };
    infos.installOpeners();
    machine.startup();
    platform.sync();
    if (platform.quitRequested()) return 0;
    return QApplication::exec();
}
