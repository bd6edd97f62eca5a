// SPDX-License-Identifier: GPL-3.0-or-later
// Everything the game asks of the machine it runs on, behind one interface with a Qt and a headless back end.
#pragma once

#include "controls.h"
#include "core/random.h"
#include "display_mode.h"
#include "event_loop.h"
#include "settings_store.h"
#include "sound_output.h"

#include <string>

namespace zem::platform {

enum class MessageIcon { Information, Stop };
enum class MessageButtons { Ok, YesNo };
enum class MessageResult { Ok, Yes, No };

struct MessageBoxRequest {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    MessageResult defaultButton = MessageResult::Ok;
};

enum class Pointer { Arrow, Hourglass };

class Platform {
  public:
    virtual ~Platform() = default;

    virtual EventLoop& loop() = 0;
    // Lets pending window events run: queued input and due timer ticks, each once.
    virtual void doEvents() = 0;
    // Blocks the thread for ms milliseconds and runs nothing; what the windows show is on screen first.
    virtual void sleep(int ms) = 0;
    // Puts what the windows show on screen now, without a pause and without running any event (a motion drawn
    // in a tight loop). The headless back end has nothing to draw.
    virtual void paint() {}
    // A modal message box; returns the button chosen.
    virtual MessageResult messageBox(const MessageBoxRequest& request) = 0;
    virtual void setPointer(Pointer pointer) = 0;
    // Gives the keyboard focus to a control or window.
    virtual void setFocus(Control& control) = 0;
    // Opens a web address with the user's default handler; false (with an error number) when it failed.
    virtual bool openLink(const std::string& address, long& error) = 0;
    // Ends the program once the current handler returns.
    virtual void quit() = 0;

    virtual core::Random& random() = 0;
    virtual SettingsStore& store() = 0;
    virtual SoundOutput& sound() = 0;
    virtual DisplayMode& display() = 0;
};

}  // namespace zem::platform
