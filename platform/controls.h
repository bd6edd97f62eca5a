// SPDX-License-Identifier: GPL-3.0-or-later
// Controls as plain data: the properties the windows need, and the handler slots their events run.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zem::platform {

enum class ControlKind {
    Window,
    PictureBox,  // a picture container that may hold other controls (reel windows, panels with pictures)
    Image,       // a picture that reacts to the mouse (picture buttons, markers)
    Label,
    PushButton,
    Panel,  // a plain panel with a caption
    Frame,  // a captioned group box
    OptionButton,
    TextBox,
    MenuEntry,
    LineSegment,  // a straight line drawn on the window's own surface, beneath its picture boxes
};

// A picture of the program's: a named picture or picture list, and the picture's number in it (0 for a
// single picture). An empty name means no picture.
struct PictureRef {
    std::string name;
    int index = 0;
    bool empty() const { return name.empty(); }
    bool operator==(const PictureRef&) const = default;
};

struct Color {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Color&) const = default;
};

struct MouseEvent {
    int button = 1;  // 1 left, 2 right, 4 middle
    int shift = 0;   // 1 shift, 2 control, 4 alt
    int x = 0;       // twips, inside the control
    int y = 0;
};

// Keys as the windows hear them: a typed character by its code (a letter in lower case), or one of these keys
// that type nothing, numbered past the last character.
namespace keys {
inline constexpr int kReturn = 13;
inline constexpr int kF1 = 0x110001;
inline constexpr int kLeft = 0x110002;
inline constexpr int kRight = 0x110003;
inline constexpr int kUp = 0x110004;
inline constexpr int kDown = 0x110005;
}  // namespace keys

class Window;

class Control {
  public:
    Control() = default;
    Control(ControlKind kind, std::string name, int index = 0)
        : kind(kind), name(std::move(name)), index(index) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    ControlKind kind = ControlKind::Label;
    std::string name;
    int index = 0;              // place in its control array; 0 for a single control
    Control* parent = nullptr;  // the container it stands in (window, picture box, panel or frame)
    Window* window = nullptr;   // the top-level window it belongs to

    bool visible = true;
    bool enabled = true;
    int left = 0, top = 0, width = 0, height = 0;  // twips, relative to the parent

    std::string caption;  // label, button, panel, frame, option button and menu text; a text box's text
    std::string hint;     // shown when the mouse rests on the control
    // What a screen reader says of the control: its name ("BET 5") and what it does ("spins at 5 coins a
    // line"). Empty for controls the player cannot use.
    std::string accessibleName;
    std::string accessibleDescription;
    // The key that does what a click on the control does, while the control could take the click (0: none).
    int shortcut = 0;
    // When set, the control carries its key only while this holds (two buttons that share one key by turns).
    std::function<bool()> shortcutActive;
    PictureRef picture;
    PictureRef overlay;  // drawn over the picture with its white pixels transparent
    Color foreground{0, 0, 0};
    Color background{255, 255, 255};
    bool transparentBackground = true;
    bool autoSize = false;  // a label sized to its text
    int fontPoints = 10;
    bool bold = false;
    std::string fontFamily;
    int alignment = 0;  // 0 left, 1 right, 2 centre
    bool wordWrap = false;
    bool stretch = false;           // the picture is scaled to the control's size instead of drawn at its own
    bool dimsWhenDisabled = false;  // a picture button: drawn dimmed and greyed while it is disabled

    // A label in the machine's own lettering: its text filled from `foreground` at the top to `shade` at the
    // bottom, edged in `outline` and casting a soft shadow, like the words painted in the pictures.
    bool lettered = false;
    Color shade{0, 0, 0};
    Color outline{0, 0, 0};

    bool marked = false;  // option buttons
    int group = 0;        // option buttons of one group share a number

    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line segments, twips in the window
    int lineWidth = 1;                   // pixels

    std::function<void(const MouseEvent&)> onPress;
    std::function<void(const MouseEvent&)> onRelease;
    std::function<void(const MouseEvent&)> onMove;
    std::function<void()> onClick;
    std::function<void(int& key)> onKey;  // a typed character; set it to 0 to consume it

    // A press by the program: runs the click handler at once, enabled, visible or marked or not.
    void press() {
        if (onClick) onClick();
    }
    // Marks an option button by program: clears the other marks of its group and runs its click handler.
    void mark();

    // Whether the player can reach the control now: it, its containers and its window are visible and
    // enabled.
    bool acceptsInput() const;
    // Whether the control is on show: it and all its containers are visible.
    bool shown() const;
    // Position in the window's client area, in twips.
    int windowLeft() const;
    int windowTop() const;
};

// How the player has left a top-level window.
enum class WindowState { Normal, Minimised, Maximised };

// How a window's controls are drawn: as the desktop draws its own forms, or in the machine's palette and type
// (lamp buttons in a gold bezel, gold-rimmed frames, jewel options) over the window's painted picture.
enum class WindowLook { Desktop, Machine };

class Window : public Control {
  public:
    explicit Window(std::string name) : Control(ControlKind::Window, std::move(name)) {
        window = this;
        visible = false;
    }

    int clientWidth = 0;  // twips
    int clientHeight = 0;
    bool keyPreview = false;  // the window sees typed characters before any control
    bool fillScreen = false;  // shown scaled up to fill the screen, its proportions kept (the large size)
    bool offersLargeSize = false;  // the player may switch it to the large size and back
    std::function<void(int& key)> onKeyPreview;
    std::function<void()> onCloseRequest;  // the close box
    std::function<void()> onEscape;        // the Escape key: leaves the window as its own way out does
    // Keys of the window's own that no control carries (the sound switch); each runs `onShortcut`.
    std::vector<int> ownKeys;
    std::function<void(int key)> onShortcut;
    // The player pressed a mouse button anywhere on the window (a control, enabled or not, its background or
    // its menu bar). Runs before whatever the press itself does, and takes nothing from it.
    std::function<void()> onPlayerPress;
    // The window this one stands over while it is open (the machine window for the game's other windows): the
    // window system keeps it above its owner, whatever the player clicks.
    Window* owner = nullptr;
    Control* focus = nullptr;  // the control that holds the keyboard focus, or the window itself
    PictureRef icon;
    WindowLook look = WindowLook::Desktop;
    WindowState state = WindowState::Normal;  // kept current by the back end as the player changes it

    // Registers a control of this window inside `container` (the window itself when null). Controls are kept
    // in creation order, which is also their stacking order (later ones above).
    void add(Control& control, Control* container = nullptr);
    const std::vector<Control*>& controls() const { return controls_; }
    Control* find(const std::string& name, int index = 0) const;

  private:
    std::vector<Control*> controls_;
};

}  // namespace zem::platform
