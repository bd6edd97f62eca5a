// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds in the real windows, offscreen: walking the accessibility tree of the machine
// window (with the gamble panel up), the options window, the pay table and the about window, every control
// the player can use is in the tree with a name and a description.
#include "assets/pictures.h"
#include "gamble/gamble.h"
#include "infowindows/info_windows.h"
#include "options/options_window.h"
#include "platform/qt/qt_platform.h"
#include "play/machine.h"

#include <QAccessible>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace zem::testing {
namespace {

using platform::Control;
using platform::ControlKind;
using platform::qt::QtPlatform;

QImage resolve(const platform::PictureRef& ref) { return assets::picture(ref.name, ref.index); }

// The name and description of every object reached from the window's accessible interface, child by child.
struct Tree {
    std::map<const QObject*, std::pair<QString, QString>> found;
    void walk(QAccessibleInterface* node, int depth = 0) {
        if (node == nullptr || depth > 32) return;
        if (QObject* object = node->object()) {
            found[object] = {node->text(QAccessible::Name), node->text(QAccessible::Description)};
        }
        for (int i = 0; i < node->childCount(); ++i) walk(node->child(i), depth + 1);
    }
};

// A control the player can click, press, mark, type in or hover.
bool usable(const Control& c) {
    switch (c.kind) {
        case ControlKind::PushButton:
        case ControlKind::OptionButton:
        case ControlKind::TextBox:
            return true;
        case ControlKind::Image:
        case ControlKind::PictureBox:
            return c.onPress || c.onClick || c.onMove;
        default:
            return false;
    }
}

// Checks every usable control on show in `window` against the tree walked from its top-level widget; returns
// how many it checked.
int checkWindow(QtPlatform& qt, platform::Window& window) {
    qt.sync();
    QWidget* top = qt.widgetOf(window);
    EXPECT_NE(top, nullptr) << window.name;
    if (top == nullptr) return 0;
    Tree tree;
    tree.walk(QAccessible::queryAccessibleInterface(top));
    int checked = 0;
    for (const Control* c : window.controls()) {
        if (!usable(*c) || !c->shown()) continue;
        const std::string what = window.name + "." + c->name + std::to_string(c->index);
        QWidget* widget = qt.widgetOf(*c);
        if (widget == nullptr || !widget->isVisible()) continue;  // hidden in the real window too
        ++checked;
        const auto it = tree.found.find(widget);
        if (it == tree.found.end()) {
            ADD_FAILURE() << what << " is not in the accessibility tree";
            continue;
        }
        EXPECT_FALSE(it->second.first.trimmed().isEmpty()) << what << " has no name";
        EXPECT_FALSE(it->second.second.trimmed().isEmpty()) << what << " has no description";
        if (!c->accessibleName.empty()) {
            EXPECT_EQ(it->second.first.toStdString(), c->accessibleName) << what;
        }
    }
    return checked;
}

struct RealGame {
    QTemporaryDir dir;
    QtPlatform qt{
        QtPlatform::Options{resolve, platform::qt::QtSoundOutput::Device::None, dir.filePath("zem.ini")}};
    play::Machine m{qt, [](int n) { return assets::recordingResource(n); }};
    gamble::Gamble gamble{m};
    options::OptionsWindow options{m};
    infowindows::InfoWindows infos{m};

    RealGame() {
        qt.store().write("zem", "player1", "bank", "1000");
        qt.attach(m.w.orvelle);
        qt.attach(options.w.frmorvelleoptions);
        infos.onLoad = [this](platform::Window& w) { qt.attach(w); };
        infos.onUnload = [this](platform::Window& w) { qt.detach(w); };
        infos.installOpeners();
        m.startup();
    }
    ~RealGame() {
        if (!m.closed()) m.requestClose();
    }
};

TEST(Accessibility, EveryControlOnShowHasANameAndADescriptionInTheTree) {
    RealGame g;
    // The machine window, its button panel up, and again with the gamble panel over the reels.
    EXPECT_GE(checkWindow(g.qt, g.m.w.orvelle), 17) << "lines, bets, COINS, NOTES, AUTO, OPTIONS, GAMBLE";
    g.m.w.pandouble.visible = true;
    EXPECT_GE(checkWindow(g.qt, g.m.w.orvelle), 24) << "and the gamble's seven buttons";
    g.m.w.pandouble.visible = false;
    QAccessibleInterface* bet = QAccessible::queryAccessibleInterface(g.qt.widgetOf(g.m.w.pplay[4]));
    ASSERT_NE(bet, nullptr);
    EXPECT_EQ(bet->text(QAccessible::Name).toStdString(), "BET 5");
    EXPECT_EQ(bet->text(QAccessible::Description).toStdString(), "spins at 5 coins a line");

    g.m.optionsPress();
    ASSERT_TRUE(g.options.isOpen());
    EXPECT_GE(checkWindow(g.qt, g.options.w.frmorvelleoptions), 18);
    g.options.close();

    g.infos.openPaytable();
    ASSERT_TRUE(g.infos.paytableOpen());
    EXPECT_GE(checkWindow(g.qt, g.infos.paytable.orvellepays), 1);
    g.infos.closePaytable();
    g.infos.openAbout();
    ASSERT_TRUE(g.infos.aboutOpen());
    EXPECT_GE(checkWindow(g.qt, g.infos.about.aboutorvelle), 2);
    g.infos.closeAbout();
}

}  // namespace
}  // namespace zem::testing
