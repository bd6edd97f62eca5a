// SPDX-License-Identifier: GPL-3.0-or-later
// Opening, placing and closing the pay-table and about windows, and opening the player's manual.
#include "info_windows.h"

#include "core/machine_math.h"
#include "play/machine.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace zem::infowindows {

using platform::Pointer;
using platform::WindowState;

void placewindow(platform::Window& window, const platform::Window& deciding) {
    if (deciding.state != WindowState::Normal) return;
    window.left = 0;
    window.top = 0;
}

void openlink(platform::Platform& p, const std::string& address) {
    p.setPointer(Pointer::Hourglass);
    long error = 0;
    if (!p.openLink(address, error)) {
        p.setPointer(Pointer::Arrow);
        p.messageBox({"error Opening Link to " + address + "\r\n\r\n" + std::to_string(error), "ExecuteLink",
                      platform::MessageIcon::Information, platform::MessageButtons::Ok,
                      platform::MessageResult::Ok});
    }
    p.setPointer(Pointer::Arrow);
}

std::string manualPath(const std::string& programFolder) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::absolute(programFolder, error);
    if (error) folder = programFolder;
    return (folder / ZEM_MANUAL_FROM_PROGRAM).lexically_normal().string();
}

std::string returnText(int16_t payout, int16_t lines) {
    const double percent = core::returnToPlayer(payout, lines) * 100.0;
    char text[80];
    std::snprintf(text, sizeof text, "Return to player at this setting: %.1f %%", percent);
    return text;
}

InfoWindows::InfoWindows(play::Machine& machine) : m_(machine) {
    paytable.btnunloadpays.onClick = [this] { closePaytable(); };
    paytable.orvellepays.onCloseRequest = [this] { closePaytable(); };
    paytable.orvellepays.onEscape = [this] { closePaytable(); };
    paytable.orvellepays.owner = &machine.w.orvelle;
    about.cmdOK.onClick = [this] { closeAbout(); };
    about.aboutorvelle.onCloseRequest = [this] { closeAbout(); };
    about.aboutorvelle.onEscape = [this] { closeAbout(); };
    about.aboutorvelle.owner = &machine.w.orvelle;
    about.cmdkestrow.onClick = [this] { webPress(); };
}

InfoWindows::~InfoWindows() {
    // The real windows must not outlive the models they show.
    if (onUnload && paytableLoaded_) onUnload(paytable.orvellepays);
    if (onUnload && aboutLoaded_) onUnload(about.aboutorvelle);
}

void InfoWindows::installOpeners() {
    m_.openers.paytable = [this] { openPaytable(); };
    m_.openers.about = [this] { openAbout(); };
}

void InfoWindows::openPaytable() {
    if (paytableLoaded_) return;
    paytableLoaded_ = true;
    platform::Window& w = paytable.orvellepays;
    w.state = WindowState::Normal;
    paytable.lblreturn.caption = returnText(m_.s.machinepay, m_.s.linesplayed);
    if (onLoad) onLoad(w);
    w.visible = true;
    placewindow(w, w);
}

void InfoWindows::closePaytable() {
    if (!paytableLoaded_) return;
    m_.w.orvelle.enabled = true;
    paytable.orvellepays.visible = false;
    paytableLoaded_ = false;
    if (onUnload) onUnload(paytable.orvellepays);
}

void InfoWindows::openAbout() {
    if (aboutLoaded_) return;
    aboutLoaded_ = true;
    platform::Window& w = about.aboutorvelle;
    w.state = WindowState::Normal;
    w.caption = std::string(ui::kAboutCaptionPrefix) + ui::kApplicationTitle;
    // A fresh window first stands in the middle of the screen.
    const platform::ScreenSize screen = m_.p.display().screen();
    w.left = std::max(0, (screen.width * 15 - ui::kAboutWidthTwips) / 2);
    w.top = std::max(0, (screen.height * 15 - ui::kAboutHeightTwips) / 2);
    if (onLoad) onLoad(w);
    w.visible = true;
    about.lblTitle.visible = true;
    w.clientHeight = w.height = ui::kAboutHeightTwips;
    placewindow(w, m_.w.orvelle);
}

void InfoWindows::closeAbout() {
    if (!aboutLoaded_) return;
    about.aboutorvelle.visible = false;
    about.lblTitle.visible = false;
    aboutLoaded_ = false;
    if (onUnload) onUnload(about.aboutorvelle);
    m_.w.orvelle.enabled = true;
}

void InfoWindows::webPress() { openlink(m_.p, manualPage); }

}  // namespace zem::infowindows
