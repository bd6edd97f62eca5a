// SPDX-License-Identifier: GPL-3.0-or-later
// zem's command line: --help and --version. The game takes no options of its own for play.
#pragma once

#include <QString>
#include <QStringList>

namespace zem::app {

// What the arguments ask for, and the text to print for it.
struct CommandLine {
    enum class Action { Play, Help, HelpAll, Version, Error };
    Action action = Action::Play;
    QString
        text;  // Help, Version: for standard output; Error: for standard error; HelpAll: none (Qt prints it)
};

// Reads the arguments (the program's name first); needs an application object for the help's usage line.
// Qt's own options (-platform, -display, ...) are removed from the arguments only when the QApplication is
// made, so a reading before that (`toolkitOptionsRemoved` false) leaves what it does not know to the second
// reading after it, and answers only --help and --version; the second reading rejects anything left.
CommandLine readCommandLine(const QStringList& arguments, bool toolkitOptionsRemoved);

// Answers --help and --version before any window system is touched, so they work without a display.
// Returns the exit status when the program should end here, -1 when the game should start: then, until
// answerWithWindows, a display that cannot be opened ends the program with status 1 and a line that names it.
int answerBeforeWindows(int argc, char** argv);

// Rejects, once the QApplication has taken its own options, any argument left over. Returns the exit status
// when the program should end here, -1 when the game should start.
int answerWithWindows();

}  // namespace zem::app
