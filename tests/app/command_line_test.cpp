// SPDX-License-Identifier: GPL-3.0-or-later
// zem's command line: --help and --version are answered, Qt's own options are left to Qt, the rest refused.
#include "app/command_line.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

using zem::app::CommandLine;
using zem::app::readCommandLine;

// The parser's usage line needs an application object, as the program has when it reads its arguments.
class ZemCommandLine : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "zem";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("zem"));
        QCoreApplication::setApplicationVersion(QStringLiteral(ZEM_VERSION));
    }
};

TEST_F(ZemCommandLine, HelpAndVersionAreAnsweredBeforeAndAfterQtsOptionsAreTaken) {
    for (const bool removed : {false, true}) {
        for (const char* ask : {"--help", "-h"}) {
            const CommandLine help = readCommandLine({"zem", ask}, removed);
            EXPECT_EQ(help.action, CommandLine::Action::Help) << ask;
            EXPECT_TRUE(help.text.contains("--version")) << help.text.toStdString();
            EXPECT_TRUE(help.text.contains("--help")) << help.text.toStdString();
            EXPECT_TRUE(help.text.contains("slot machine")) << help.text.toStdString();
        }
        for (const char* ask : {"--version", "-v"}) {
            const CommandLine version = readCommandLine({"zem", ask}, removed);
            EXPECT_EQ(version.action, CommandLine::Action::Version) << ask;
            EXPECT_EQ(version.text.toStdString(), std::string("zem ") + ZEM_VERSION + "\n");
        }
        EXPECT_EQ(readCommandLine({"zem", "--help-all"}, removed).action, CommandLine::Action::HelpAll);
        EXPECT_EQ(readCommandLine({"zem"}, removed).action, CommandLine::Action::Play);
    }
    // Help is answered even beside an option only Qt knows, before Qt has taken it.
    EXPECT_EQ(readCommandLine({"zem", "-platform", "offscreen", "--help"}, false).action,
              CommandLine::Action::Help);
}

TEST_F(ZemCommandLine, WhatQtDoesNotTakeIsRefusedOnlyAfterItHadItsChance) {
    // Before the QApplication exists, -platform and its value are still there: the game must start anyway.
    EXPECT_EQ(readCommandLine({"zem", "-platform", "offscreen"}, false).action, CommandLine::Action::Play);
    EXPECT_EQ(readCommandLine({"zem", "--bogus"}, false).action, CommandLine::Action::Play);
    // After it, anything left is an error on one short message that names it.
    const CommandLine unknown = readCommandLine({"zem", "--bogus"}, true);
    EXPECT_EQ(unknown.action, CommandLine::Action::Error);
    EXPECT_TRUE(unknown.text.startsWith("zem: ")) << unknown.text.toStdString();
    EXPECT_TRUE(unknown.text.contains("bogus")) << unknown.text.toStdString();
    const CommandLine extra = readCommandLine({"zem", "player2"}, true);
    EXPECT_EQ(extra.action, CommandLine::Action::Error);
    EXPECT_TRUE(extra.text.contains("'player2'")) << extra.text.toStdString();
}

}  // namespace
