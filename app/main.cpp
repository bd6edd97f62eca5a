// zem: starts the Qt back end, builds the machine window and hands control to the event loop.
#include "app/command_line.h"
#include "assets/pictures.h"
#include "infowindows/info_windows.h"
#include "platform/qt/qt_platform.h"
#include "play/machine.h"
#include "presentation/win_presentation.h"

#include <QApplication>
#include <QIcon>

#include <cstdint>
#include <optional>

namespace {

// ZEM_SEED, a whole number, makes the game draw the same outcomes for the same play: the end-to-end tests
// replay a session that way. Anything else leaves the generator to the system's entropy.
std::optional<uint64_t> seedFromEnvironment() {
    const QByteArray text = qgetenv("ZEM_SEED");
    if (text.isEmpty()) return std::nullopt;
    bool ok = false;
    const qulonglong seed = text.toULongLong(&ok, 10);
    if (!ok) return std::nullopt;
    return static_cast<uint64_t>(seed);
}

}  // namespace

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
    if (const auto seed = seedFromEnvironment()) platform.seedRandom(*seed);
    zem::play::Machine machine(platform, [](int number) { return zem::assets::recordingResource(number); });
    zem::presentation::WinPresentation presentation(machine);
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
