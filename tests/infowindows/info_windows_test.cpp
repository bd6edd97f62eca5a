// SPDX-License-Identifier: GPL-3.0-or-later
// The pay-table and about windows as a player opens and closes them from the machine's menu, placewindow,
// openlink with a browser that starts and one that does not, and the manual the about window opens.
#include "infowindows/info_windows.h"

#include "core/machine_math.h"
#include "core/symbols.h"
#include "support/game_fixture.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using zem::infowindows::InfoWindows;
using zem::platform::Pointer;
using zem::platform::WindowState;

struct Machine : zem::testing::Game {
    std::vector<std::string> loads;  // before the windows, which unload into it as they go
    InfoWindows infos{m};
    Machine() {
        infos.onLoad = [this](zem::platform::Window& w) { loads.push_back("load " + w.name); };
        infos.onUnload = [this](zem::platform::Window& w) { loads.push_back("unload " + w.name); };
        infos.manualPage = "/usr/share/doc/zem/manual.html";
        infos.installOpeners();
    }
    void choose(zem::platform::Control& entry) {
        p.click(entry);
        p.advance(10);
    }
};

// The ways a player leaves a window: its own button, its close box, the Escape key.
enum class Leave { Button, CloseBox, Escape };
constexpr Leave kWaysOut[] = {Leave::Button, Leave::CloseBox, Leave::Escape};

const char* nameOf(Leave way) {
    return way == Leave::Button ? "its button" : way == Leave::CloseBox ? "close box" : "Escape";
}

void leave(zem::platform::sim::SimPlatform& p, zem::platform::Window& window, zem::platform::Control& button,
           Leave way) {
    if (way == Leave::CloseBox) {
        p.closeWindow(window);
    } else if (way == Leave::Escape) {
        p.pressEscape(window);
    } else {
        p.click(button);
    }
    p.advance(10);
}

TEST(PaytableWindow, OpensFromTheMenuAndExitCloseBoxOrEscapeEnableTheMainWindowAlike) {
    Machine g;
    g.start(10000, 5);
    ASSERT_TRUE(g.m.w.mnuptble.enabled) << "the entry has its window now";
    auto& pays = g.infos.paytable;

    for (const Leave way : kWaysOut) {
        g.p.recorder().events.clear();
        g.choose(g.m.w.mnuptble);
        ASSERT_TRUE(g.infos.paytableOpen());
        EXPECT_TRUE(pays.orvellepays.visible);
        EXPECT_FALSE(g.m.w.orvelle.enabled) << "the main window waits while the pay table is open";
        EXPECT_EQ(g.p.recorder().played(), std::vector<int>{124});
        EXPECT_EQ(pays.orvellepays.caption, "ORVELLE PAYTABLE");
        EXPECT_EQ(pays.orvellepays.clientWidth, 7500);
        EXPECT_EQ(pays.orvellepays.clientHeight, 5640);
        EXPECT_EQ(pays.btnunloadpays.caption, "Exit");
        EXPECT_EQ(pays.btnunloadpays.left + pays.btnunloadpays.width + 75, 7500)
            << "Exit stands at the top right";
        EXPECT_EQ(pays.lblreturn.caption, "Return to player at this setting: 108.6 %");
        EXPECT_EQ(pays.orvellepays.left, 0);
        EXPECT_EQ(pays.orvellepays.top, 0);
        // The main window's buttons take no input meanwhile.
        EXPECT_FALSE(g.m.w.coinsin.acceptsInput());

        leave(g.p, pays.orvellepays, pays.btnunloadpays, way);
        EXPECT_FALSE(g.infos.paytableOpen()) << nameOf(way);
        EXPECT_FALSE(pays.orvellepays.visible);
        EXPECT_TRUE(g.m.w.orvelle.enabled) << nameOf(way);
        EXPECT_TRUE(g.m.w.coinsin.acceptsInput());
    }
    EXPECT_EQ(g.loads,
              (std::vector<std::string>{"load orvellepays", "unload orvellepays", "load orvellepays",
                                        "unload orvellepays", "load orvellepays", "unload orvellepays"}));
}

TEST(PaytableWindow, ShowsTheReturnOfThePlayersOwnSettingAndStaysShutInFreeSpins) {
    Machine g;
    g.start(10000, 1);
    g.choose(g.m.w.mnuptble);
    EXPECT_EQ(g.infos.paytable.lblreturn.caption, "Return to player at this setting: 172.1 %");
    g.p.click(g.infos.paytable.btnunloadpays);
    g.p.advance(10);

    g.m.s.machinepay = 2;
    g.choose(g.m.w.mnuptble);
    EXPECT_EQ(g.infos.paytable.lblreturn.caption, "Return to player at this setting: 121.9 %");
    g.p.click(g.infos.paytable.btnunloadpays);
    g.p.advance(10);

    // In a free-spin series the entries do nothing, even when pressed by program.
    g.m.s.freespinmode = -1;
    g.m.w.mnuptble.press();
    g.m.w.mnuabout.press();
    EXPECT_FALSE(g.infos.paytableOpen());
    EXPECT_FALSE(g.infos.aboutOpen());
    EXPECT_TRUE(g.m.w.orvelle.enabled);
}

TEST(AboutWindow, OpensWithItsTitleAndHeightAndClosesByOkCloseBoxOrEscape) {
    Machine g;
    g.start();
    auto& about = g.infos.about;
    for (const Leave way : kWaysOut) {
        g.choose(g.m.w.mnuabout);
        ASSERT_TRUE(g.infos.aboutOpen());
        EXPECT_FALSE(g.m.w.orvelle.enabled);
        EXPECT_EQ(about.aboutorvelle.caption, "About slots_orvelle");
        EXPECT_TRUE(about.lblTitle.visible);
        EXPECT_NE(about.lblTitle.caption.find("version 1.0.0"), std::string::npos);
        EXPECT_EQ(about.aboutorvelle.clientHeight, 1815);
        EXPECT_EQ(about.Label2.caption, "See More Vived At :-");
        EXPECT_EQ(about.cmdkestrow.caption, "Kestrow-Video-Vived");
        EXPECT_EQ(about.cmdOK.caption, "OK");
        // Every control lies within the window's height; OK at the top right, the web button below.
        for (const zem::platform::Control* c : about.aboutorvelle.controls()) {
            EXPECT_LE(c->top + c->height, 1815) << c->name;
            EXPECT_LE(c->left + c->width, about.aboutorvelle.clientWidth) << c->name;
        }
        EXPECT_GT(about.cmdkestrow.top, about.cmdOK.top + about.cmdOK.height);
        leave(g.p, about.aboutorvelle, about.cmdOK, way);
        EXPECT_FALSE(g.infos.aboutOpen()) << nameOf(way);
        EXPECT_FALSE(about.aboutorvelle.visible);
        EXPECT_TRUE(g.m.w.orvelle.enabled) << nameOf(way);
    }
}

TEST(AboutWindow, PlacewindowGoesToTheCornerOnlyWhileTheMainWindowIsNormal) {
    Machine g;
    g.start();
    auto& w = g.infos.about.aboutorvelle;
    const int centredLeft = (1024 * 15 - w.clientWidth) / 2, centredTop = (768 * 15 - 1815) / 2;
    for (const WindowState state : {WindowState::Minimised, WindowState::Maximised, WindowState::Normal}) {
        g.m.w.orvelle.state = state;
        g.m.aboutChosen();
        ASSERT_TRUE(g.infos.aboutOpen());
        if (state == WindowState::Normal) {
            EXPECT_EQ(w.left, 0);
            EXPECT_EQ(w.top, 0);
        } else {
            EXPECT_EQ(w.left, centredLeft) << "left where it was shown";
            EXPECT_EQ(w.top, centredTop);
        }
        g.infos.closeAbout();
    }
    // The pay table decides by its own state, which is normal as it opens.
    g.m.w.orvelle.state = WindowState::Minimised;
    g.infos.paytable.orvellepays.left = 3000;
    g.m.paytableChosen();
    EXPECT_EQ(g.infos.paytable.orvellepays.left, 0);
    g.infos.closePaytable();

    // placewindow alone.
    zem::platform::Window a("a"), deciding("deciding");
    a.left = 1500;
    a.top = 900;
    deciding.state = WindowState::Maximised;
    zem::infowindows::placewindow(a, deciding);
    EXPECT_EQ(a.left, 1500);
    EXPECT_EQ(a.top, 900);
    deciding.state = WindowState::Normal;
    zem::infowindows::placewindow(a, deciding);
    EXPECT_EQ(a.left, 0);
    EXPECT_EQ(a.top, 0);
}

TEST(AboutWindow, WebButtonOpensTheManualOrReportsTheFailureWithThePointerBack) {
    Machine g;
    g.start();
    g.choose(g.m.w.mnuabout);
    g.p.pointers.clear();
    g.p.click(g.infos.about.cmdkestrow);
    g.p.advance(10);
    EXPECT_EQ(g.p.linksOpened, std::vector<std::string>{g.infos.manualPage});
    EXPECT_TRUE(g.p.messages.empty()) << "a browser that starts is no failure";
    EXPECT_EQ(g.p.pointers, (std::vector<Pointer>{Pointer::Hourglass, Pointer::Arrow}));
    EXPECT_EQ(g.p.pointer, Pointer::Arrow);

    // Any failure to start a browser is reported, with the address and the error number, the pointer normal.
    for (const long error : {2L, 13L}) {
        g.p.linkFails = true;
        g.p.linkError = error;
        g.p.pointers.clear();
        g.p.click(g.infos.about.cmdkestrow);
        g.p.advance(10);
        ASSERT_EQ(g.p.messages.size(), 1u);
        const auto& message = g.p.messages.front();
        EXPECT_EQ(message.title, "ExecuteLink");
        EXPECT_EQ(message.text, std::string("error Opening Link to ") + g.infos.manualPage + "\r\n\r\n" +
                                    std::to_string(error));
        EXPECT_EQ(message.buttons, zem::platform::MessageButtons::Ok);
        EXPECT_EQ(g.p.pointers, (std::vector<Pointer>{Pointer::Hourglass, Pointer::Arrow, Pointer::Arrow}))
            << "the pointer is back to normal before the message shows";
        EXPECT_EQ(g.p.pointer, Pointer::Arrow);
        g.p.messages.clear();
    }
    EXPECT_TRUE(g.infos.aboutOpen()) << "the about window stays open after the link";
}

TEST(AboutWindow, ManualIsFoundFromTheProgramsFolderInstalledOrInTheBuildTree) {
    using zem::infowindows::manualPath;
    EXPECT_EQ(manualPath("/usr/games"), "/usr/share/doc/zem/manual.html");
    EXPECT_EQ(manualPath("/opt/zem/bin/"), "/opt/zem/share/doc/zem/manual.html");
    // The game run from the build tree opens the manual the build wrote.
    EXPECT_EQ(manualPath(ZEM_BUILD_PROGRAM_FOLDER), ZEM_BUILD_MANUAL);
    EXPECT_TRUE(std::ifstream(ZEM_BUILD_MANUAL).good())
        << "the build wrote no manual at " << ZEM_BUILD_MANUAL;
}

std::string cell(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return "<td>" + std::string(text) + "</td>";
}

TEST(Manual, ShowsTheMachinesOwnPayTableAndEachPayoutSettingsReturn) {
    std::ifstream file(ZEM_BUILD_MANUAL);
    ASSERT_TRUE(file.good()) << ZEM_BUILD_MANUAL;
    const std::string manual = (std::ostringstream() << file.rdbuf()).str();
    EXPECT_EQ(manual.find('@'), std::string::npos) << "a figure was left unfilled";

    for (int symbol = zem::core::Chief; symbol <= zem::core::Tomahawk; ++symbol) {
        std::string row = "<tr><td>" + std::string(zem::core::symbolName(symbol)) + "</td>";
        for (int run = 2; run <= 5; ++run) {
            const int pay = zem::core::linePay(symbol, run);
            row += pay == 0 ? "<td>&ndash;</td>" : cell("%.0f", pay);
        }
        EXPECT_NE(manual.find(row + "</tr>"), std::string::npos) << row;
    }
    for (int scatters = 2; scatters <= 5; ++scatters) {
        const std::string row = cell("%.0f", scatters) + cell("%.0f", zem::core::scatterFactor(scatters));
        EXPECT_NE(manual.find("<tr>" + row + "</tr>"), std::string::npos) << row;
    }
    // The settings by the names the options window gives them, at 1, 5, 10, 15 and 25 lines.
    const std::pair<int16_t, const char*> settings[] = {
        {5, "Realistic"}, {2, "Loose"}, {1, "Orvelle Machine !!"}};
    for (const auto& [payout, name] : settings) {
        std::string row = "<tr><td>" + std::string(name) + "</td>";
        for (const int16_t lines : {1, 5, 10, 15, 25})
            row += cell("%.2f %%", zem::core::returnToPlayer(payout, lines) * 100.0);
        EXPECT_NE(manual.find(row + "</tr>"), std::string::npos) << row;
    }
}

}  // namespace
