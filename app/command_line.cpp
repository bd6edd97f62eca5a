// SPDX-License-Identifier: GPL-3.0-or-later
// zem's command line through QCommandLineParser, read once before the QApplication exists and once after.
#include "command_line.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace zem::app {

namespace {

void nameTheProgram() {
    QCoreApplication::setApplicationName(QStringLiteral("zem"));
    QCoreApplication::setOrganizationName(QStringLiteral("zem"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEM_VERSION));
}

// The game's options and the text above them.
void describe(QCommandLineParser& parser, QCommandLineOption* help, QCommandLineOption* version) {
    parser.setApplicationDescription(QStringLiteral(
        "A five-reel, twenty-five line video slot machine played with play money.\n"
        "The game is played in its own window; the players' credits, statistics and settings are kept in\n"
        "~/.config/zem/zem.ini. It takes no options for play."));
    const QCommandLineOption h = parser.addHelpOption();
    const QCommandLineOption v = parser.addVersionOption();
    if (help) *help = h;
    if (version) *version = v;
}

// The help with Qt's own options as well. Qt lists its window-system options (-platform, -display, -style,
// ...) only with a QApplication about, and only QCommandLineParser::process prints them, ending the program:
// a QApplication on the offscreen platform serves, so this too needs no display.
[[noreturn]] void showHelpAll(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    describe(parser, nullptr, nullptr);
    parser.process(QStringList{QCoreApplication::arguments().value(0), QStringLiteral("--help-all")});
    std::exit(0);
}

int report(const CommandLine& line) {
    switch (line.action) {
        case CommandLine::Action::Play:
        case CommandLine::Action::HelpAll:
            return -1;
        case CommandLine::Action::Help:
        case CommandLine::Action::Version:
            std::fputs(qPrintable(line.text), stdout);
            std::fflush(stdout);
            return 0;
        case CommandLine::Action::Error:
            std::fputs(qPrintable(line.text), stderr);
            return 2;
    }
    return 2;
}

// Qt ends the program with an abort when it cannot open the display, and its message suggests reinstalling.
// While the application object is being made, its messages are held back; a fatal one ends the program with
// a line that names the display, and the others go their usual way once the display is open.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
bool holding = false;
QtMessageHandler qtsHandler = nullptr;
std::vector<HeldMessage> heldMessages;
QByteArray displayName;

void holdBackMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        heldMessages.push_back({type, context.category, text});
        return;
    }
    std::fprintf(stderr, "zem: cannot open the display %s\n", displayName.constData());
    std::fflush(stderr);
    std::_Exit(1);
}

// The display the toolkit is about to open, as the player named it: the X display or the Wayland socket of
// the platform chosen by -platform or QT_QPA_PLATFORM, or of the usual one.
QByteArray displayToOpen(int argc, char** argv) {
    QByteArray platform = qgetenv("QT_QPA_PLATFORM"), x = qgetenv("DISPLAY");
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArray option = QByteArray(argv[i]).replace("--", "-");
        if (option == "-platform") platform = argv[i + 1];
        if (option == "-display") x = argv[i + 1];
    }
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    platform = platform.split(':').value(0);
    if (platform.startsWith("wayland")) return wayland.isEmpty() ? "wayland-0" : wayland;
    if (!platform.isEmpty() && !platform.startsWith("xcb")) return "of the platform " + platform;
    if (!x.isEmpty()) return x;
    if (platform.isEmpty() && !wayland.isEmpty()) return wayland;
    return "(neither DISPLAY nor WAYLAND_DISPLAY is set)";
}

}  // namespace

CommandLine readCommandLine(const QStringList& arguments, bool toolkitOptionsRemoved) {
    QCommandLineParser parser;
    QCommandLineOption help(QStringLiteral("help")), version(QStringLiteral("version"));
    describe(parser, &help, &version);
    const bool parsed = parser.parse(arguments);

    CommandLine line;
    if (parser.isSet(help)) {
        line.action = CommandLine::Action::Help;
        line.text = parser.helpText();
    } else if (parser.isSet(QStringLiteral("help-all"))) {
        line.action = CommandLine::Action::HelpAll;
    } else if (parser.isSet(version)) {
        line.action = CommandLine::Action::Version;
        line.text = QCoreApplication::applicationName() + QLatin1Char(' ') +
                    QCoreApplication::applicationVersion() + QLatin1Char('\n');
    } else if (!toolkitOptionsRemoved) {
        line.action = CommandLine::Action::Play;  // the second reading decides the rest
    } else if (!parsed) {
        line.action = CommandLine::Action::Error;
        line.text = QStringLiteral("zem: %1\nzem --help lists the options.\n").arg(parser.errorText());
    } else if (!parser.positionalArguments().isEmpty()) {
        line.action = CommandLine::Action::Error;
        line.text = QStringLiteral(
                        "zem: unexpected argument '%1'; the game takes no arguments.\n"
                        "zem --help lists the options.\n")
                        .arg(parser.positionalArguments().constFirst());
    }
    return line;
}

int answerBeforeWindows(int argc, char** argv) {
    nameTheProgram();
    CommandLine line;
    {
        QCoreApplication probe(argc, argv);
        line = readCommandLine(QCoreApplication::arguments(), false);
    }
    if (line.action == CommandLine::Action::HelpAll) showHelpAll(argc, argv);
    const int status = report(line);
    if (status < 0) {
        displayName = displayToOpen(argc, argv);
        qtsHandler = qInstallMessageHandler(holdBackMessages);
        holding = true;
    }
    return status;
}

int answerWithWindows() {
    if (holding) {
        qInstallMessageHandler(qtsHandler);
        holding = false;
        for (const HeldMessage& message : std::exchange(heldMessages, {})) {
            const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
            qt_message_output(message.type, context, message.text);
        }
    }
    nameTheProgram();
    return report(readCommandLine(QCoreApplication::arguments(), true));
}

}  // namespace zem::app
