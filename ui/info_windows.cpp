// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the pay-table and about windows.
#include "info_windows.h"

#include "layout.h"

namespace zem::ui {

namespace {

using platform::Color;
using platform::ControlKind;
using platform::PictureRef;

// Every control of these two windows is a single one (index 0).
void place(Control& c, ControlKind kind, const char* name, int left, int top, int width, int height) {
    ui::place(c, kind, name, 0, left, top, width, height);
}

}  // namespace

const char* aboutTitle() {
#ifdef ZEM_VERSION
    return "zem\r\nvideo slot machine\r\nversion " ZEM_VERSION;
#else
    return "zem\r\nvideo slot machine";
#endif
}

PaytableWindow::PaytableWindow() {
    Window& w = orvellepays;
    w.caption = kPaytableCaption;
    w.clientWidth = w.width = kPaytableWidthTwips;
    w.clientHeight = w.height = kPaytableHeightTwips;
    w.picture = PictureRef{"paytable", 0};
    w.icon = PictureRef{"icon", 0};
    w.background = Color{30, 10, 6};

    place(btnunloadpays, ControlKind::PushButton, "btnunloadpays", 6540, 75, 885, 390);
    btnunloadpays.caption = "Exit";
    btnunloadpays.accessibleName = "EXIT";
    btnunloadpays.accessibleDescription = "closes the pay table";
    w.add(btnunloadpays);

    place(lblreturn, ControlKind::Label, "lblreturn", kReturnBandLeft, kReturnBandTop, kReturnBandWidth,
          kReturnBandHeight);
    lblreturn.foreground = Color{255, 236, 160};
    lblreturn.fontPoints = 9;
    lblreturn.bold = true;
    lblreturn.alignment = 2;
    w.add(lblreturn);
}

AboutWindow::AboutWindow() {
    Window& w = aboutorvelle;
    w.caption = std::string(kAboutCaptionPrefix) + kApplicationTitle;
    w.clientWidth = w.width = kAboutWidthTwips;
    w.clientHeight = w.height = kAboutHeightTwips;
    w.icon = PictureRef{"icon", 0};
    w.background = Color{236, 233, 216};

    place(picIcon, ControlKind::PictureBox, "picIcon", 240, 240, 525, 525);
    picIcon.picture = PictureRef{"icon", 0};
    w.add(picIcon);

    place(lblTitle, ControlKind::Label, "lblTitle", 1020, 150, 3000, 780);
    lblTitle.caption = aboutTitle();
    lblTitle.fontPoints = 9;
    lblTitle.bold = true;
    lblTitle.visible = false;  // made visible when the window opens
    w.add(lblTitle);

    place(cmdOK, ControlKind::PushButton, "cmdOK", 4200, 150, 1020, 390);
    cmdOK.caption = "OK";
    cmdOK.accessibleName = "OK";
    cmdOK.accessibleDescription = "closes the about window";
    w.add(cmdOK);

    place(Label2, ControlKind::Label, "Label2", 240, 1200, 2000, 285);
    Label2.caption = kSeeMoreText;
    Label2.fontPoints = 8;
    w.add(Label2);

    place(cmdkestrow, ControlKind::PushButton, "cmdkestrow", 2300, 1110, 2920, 420);
    cmdkestrow.caption = kWebButtonText;
    cmdkestrow.hint = "Opens the player's manual in your web browser";
    cmdkestrow.accessibleName = "MANUAL";
    cmdkestrow.accessibleDescription = "opens the player's manual in the web browser";
    w.add(cmdkestrow);
}

}  // namespace zem::ui
