// SPDX-License-Identifier: GPL-3.0-or-later
// zem: starts the Qt back end, builds the machine window and hands control to the event loop.
#include "app/command_line.h"
#include "app/returns_warm_up.h"
#include "assets/painted_pictures.h"
#include "assets/pictures.h"
#include "gamble/gamble.h"
#include "infowindows/info_windows.h"
#include "options/options_window.h"
#include "platform/machine_look.h"
#include "platform/qt/instance_lock.h"
#include "platform/qt/machine_look.h"
#include "platform/qt/message_box_frame.h"
#include "platform/qt/own_files.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/termination_signals.h"
#include "play/machine.h"
#include "presentation/history_window.h"
#include "presentation/win_presentation.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QStandardPaths>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
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

// Says why the game does not start, on the terminal and in a message box, and gives the exit status.
int refuseToStart(const QString& text) {
    fprintf(stderr, "zem: %s\n", qPrintable(text));
    zem::platform::qt::MachineMessageBox box(QMessageBox::Information, "zem", text, nullptr,
                                             zem::assets::picture(zem::platform::look::kMessageBoxPicture));
    box.setStandardButtons(QMessageBox::Ok);
    zem::platform::qt::frameAsMessageBox(box);
    box.exec();
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    zem::platform::qt::settleUserFolders();
    if (const int status = zem::app::answerBeforeWindows(argc, argv); status >= 0) return status;
    QApplication app(argc, argv);
    if (const int status = zem::app::answerWithWindows(); status >= 0) return status;
    QApplication::setApplicationName("zem");
    QApplication::setOrganizationName("zem");
    QApplication::setDesktopFileName(QStringLiteral(ZEM_APP_ID));
    QApplication::setWindowIcon(zem::assets::windowIcon());

    // One game per account: a second start says so and brings nothing else up, and never touches the store.
    // So does a start that cannot take the lock at all, for it could not tell whether another game runs.
    using zem::platform::qt::InstanceLock;
    using zem::platform::qt::QtSettingsStore;
    const QString storeFile = QtSettingsStore::userFile("zem");
    if (storeFile.isEmpty()) return refuseToStart(QtSettingsStore::refusal(storeFile));
    InstanceLock lock(InstanceLock::besideStore(storeFile));
    if (lock.state() == InstanceLock::State::HeldElsewhere)
        return refuseToStart(zem::platform::qt::kAlreadyRunningText);
    if (!lock.mayRun()) return refuseToStart(lock.problem());
    if (lock.state() == InstanceLock::State::Held) InstanceLock::removeLeftovers(storeFile);
    // A store that is not the game's own regular file is neither read nor written; the game plays on and
    // says at the first save that progress is not being saved.
    if (const QString why = QtSettingsStore::refusal(storeFile); !why.isEmpty())
        fprintf(stderr, "zem: %s\n", qPrintable(why));
    // Termination signals close the game as its close box does, from the event loop.
    std::function<void()> closeGame;
    zem::platform::qt::TerminationSignals terminationSignals([&closeGame] {
        if (closeGame) closeGame();
    });

    // Pictures at a scale are painted in a thread of their own and kept in the user's cache folder.
    const QString pictureCache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    std::shared_ptr<zem::platform::qt::PictureSupply> pictureSupply;
    int status = 0;
    {
        zem::platform::qt::QtPlatform platform(zem::platform::qt::QtPlatform::Options{
            [](const zem::platform::PictureRef& ref) { return zem::assets::picture(ref.name, ref.index); },
            zem::platform::qt::QtSoundOutput::Device::Default,
            {},
            [](const zem::platform::PictureRef& ref, double scale) {
                return zem::assets::paintedPicture(ref.name, ref.index, scale);
            },
            true,
            pictureCache.isEmpty() ? QString() : pictureCache + QStringLiteral("/pictures"),
            [] { return zem::assets::paintedPicturesEdition(); }});
        pictureSupply = platform.pictureSupply();
        if (const auto seed = seedFromEnvironment()) platform.seedRandom(*seed);
        zem::play::Machine machine(platform,
                                   [](int number) { return zem::assets::recordingResource(number); });
        zem::presentation::WinPresentation presentation(machine);
        zem::gamble::Gamble gamble(machine);
        zem::options::OptionsWindow options(machine);
        platform.attach(machine.w.orvelle);
        platform.attach(options.w.frmorvelleoptions);
        // The returns the options and pay-table windows show are worked out once the window is first painted.
        zem::app::ReturnsAfterFirstPaint returns(platform.widgetOf(machine.w.orvelle),
                                                 [&machine] { return int64_t{machine.s.linesplayed}; });
        closeGame = [&] { platform.deliver([&] { machine.requestClose(); }); };
        zem::infowindows::InfoWindows infos(machine);
        infos.onLoad = [&platform](zem::platform::Window& w) { platform.attach(w); };
        infos.onUnload = [&platform](zem::platform::Window& w) { platform.detach(w); };
        infos.manualPage = zem::infowindows::manualPath(QCoreApplication::applicationDirPath().toStdString());
        infos.installOpeners();
        zem::presentation::HistoryWindow history(machine);
        history.onLoad = [&platform](zem::platform::Window& w) { platform.attach(w); };
        history.onUnload = [&platform](zem::platform::Window& w) { platform.detach(w); };
        history.installOpener();
        machine.startup();
        platform.sync();
        if (!platform.quitRequested()) status = QApplication::exec();
        closeGame = nullptr;
    }
    // Everything the game keeps is written now. A picture still being painted is not waited for: the game
    // ends at once, before Qt is taken apart under the painter.
    if (pictureSupply && !pictureSupply->stop()) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
