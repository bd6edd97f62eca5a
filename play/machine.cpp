// SPDX-License-Identifier: GPL-3.0-or-later
// Wiring of the machine window: timers and the handler of every control event.
#include "machine.h"

namespace zem::play {

Machine::Machine(platform::Platform& platform, std::function<std::vector<uint8_t>(int)> fetchRecording)
    : p(platform),
      sounds(platform.sound(), s.soundonoff),
      tmrshowbuttons(platform.loop(), "tmrshowbuttons", 200, [this] { showButtonsTick(); }),
      tmrcoins(platform.loop(), "tmrcoins", 100, [this] { coinsTick(); }),
      tmrautospin(platform.loop(), "tmrautospin", 400, [this] { autospinTick(); }),
      tmrtick(platform.loop(), "tmrtick", 100, [this] { tickTick(); }),
      Timerwincounter(platform.loop(), "Timerwincounter", 50, [this] { winCounterTick(); }),
      Timerrespin(platform.loop(), "Timerrespin", 200, [this] { respinTick(); }),
      fetchRecording_(std::move(fetchRecording)) {
    using platform::MouseEvent;
    auto showOnRelease = [](platform::Control& c) { return [&c](const MouseEvent&) { c.visible = true; }; };

    w.orvelle.onKeyPreview = [this](int& key) { keyPreview(key); };
    w.orvelle.onShortcut = [this](int key) {
        if (key == ui::kSoundKey) toggleSound();
    };
    w.orvelle.onCloseRequest = [this] { requestClose(); };
    w.mnuexit.onClick = [this] { requestClose(); };
    w.mnuabout.onClick = [this] { aboutChosen(); };
    w.mnuptble.onClick = [this] { paytableChosen(); };
    w.mnuhistory.onClick = [this] { historyChosen(); };
    w.Mnupaylines.onClick = [this] {
        if (openers.paylineViewer) openers.paylineViewer();
    };

    w.coinsin.onPress = [this](const MouseEvent&) { coinsPress(); };
    w.coinsin.onRelease = showOnRelease(w.coinsin);
    w.notes.onPress = [this](const MouseEvent&) { notesPress(); };
    w.notes.onRelease = showOnRelease(w.notes);
    for (int i = 1; i <= 5; ++i) {
        w.payline[i].onPress = [this, i](const MouseEvent&) { paylinePress(i); };
        w.payline[i].onRelease = showOnRelease(w.payline[i]);
    }
    for (int i = 1; i <= 6; ++i) {
        w.pplay[i].onPress = [this, i](const MouseEvent&) { pplayPress(i); };
        w.pplay[i].onRelease = showOnRelease(w.pplay[i]);
        w.play[i].onClick = [this, i] { playAction(i); };
    }
    w.autoplayon.onPress = [this](const MouseEvent&) { autoplayOnPress(); };
    w.autoplayon.onRelease = showOnRelease(w.autoplayon);
    w.autoplayoff.onPress = [this](const MouseEvent&) { autoplayOffPress(); };
    w.autoplayoff.onRelease = showOnRelease(w.autoplayoff);
    // One key is the autoplay switch: AUTO OFF's while autoplay runs, AUTO ON's otherwise.
    w.autoplayon.shortcutActive = [this] { return autoplaymode == 0; };
    w.autoplayoff.shortcutActive = [this] { return autoplaymode > 0; };
    w.btnoptions.onPress = [this](const MouseEvent&) { optionsPress(); };
    w.btnoptions.onRelease = showOnRelease(w.btnoptions);
    w.doublebutton.onPress = [this](const MouseEvent&) {
        w.doublebutton.visible = false;
        if (openers.gamble) openers.gamble();
    };
    w.doublebutton.onRelease = showOnRelease(w.doublebutton);
    w.takewin.onClick = [this] { takewinPress(); };
}

void Machine::setLabel(platform::Control& c, int64_t value) { c.caption = std::to_string(value); }

}  // namespace zem::play
