// SPDX-License-Identifier: GPL-3.0-or-later
// The real widgets of one window model, and the step that brings them in line with it.
#pragma once

#include "platform/controls.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QLine>
#include <QRect>
#include <QSize>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QObject;
class QWidget;

namespace zem::platform::qt {

class ClientWidget;
class TopWidget;

// Twips to pixels, 15 to the pixel, rounded to the nearest pixel (halves away from zero).
constexpr int twipsToPixels(int twips) { return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15); }

// How many times its own size a window is drawn. `client` is the client area at its own size, `chrome` what
// the window adds round it at any scale (the desktop's frame, a menu bar), `available` the screen's work
// area. A window that fills the screen is as large as the work area allows; any other has its own size, or
// less when that does not fit: no window is ever larger than the work area.
double windowScale(QSize client, QSize chrome, QSize available, bool fillScreen);

// One control's widget (or menu action) and the values last put on it, so that a sync touches only what
// changed.
struct BoundControl {
    Control* control = nullptr;
    QWidget* widget = nullptr;  // none for line segments and menu entries
    QAction* action = nullptr;  // menu entries
    QMenu* menu = nullptr;      // a menu entry with entries under it
    int lineSlot = -1;          // line segments: the slot on the window's surface
    bool fresh = true;          // nothing applied yet

    QRect geometry;
    int width = -1;  // twips, as last applied
    QSize textSize;  // an autosized label's size for its text
    bool visible = false;
    bool enabled = true;
    std::string caption;
    std::string hint;
    std::string accessibleName;
    std::string accessibleDescription;
    PictureRef picture;
    PictureRef overlay;
    bool stretch = false;
    Color foreground;
    Color background;
    bool transparentBackground = true;
    int fontPoints = 0;
    bool bold = false;
    std::string fontFamily;
    int alignment = -1;
    bool wordWrap = false;
    bool autoSize = false;
    bool marked = false;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0, lineWidth = 0;
};

// What a window's view needs of the back end that shows it: the pictures, a way to hand the player's input to
// the model, and what is known of the desktop. The back end implements it; the view knows nothing more of it.
class ViewHost {
  public:
    // A picture, converted for fast drawing; a null image for an empty or unknown reference.
    virtual QImage picture(const PictureRef& ref) = 0;
    // The same for a window shown `scale` times its own size on a screen of device pixel ratio `ratio`.
    virtual QImage picture(const PictureRef& ref, double scale, double ratio) = 0;
    // A picture with another drawn over it, the other's white pixels transparent, at a scale.
    virtual QImage composite(const PictureRef& picture, const PictureRef& overlay, double scale, double ratio) = 0;
    // Pictures the window is about to show at a scale (or, `ahead`, would show at the size it may be switched
    // to), to be painted before they are asked for when the back end can.
    virtual void prepare(const std::vector<PictureRef>& refs, double scale, double ratio, bool ahead) {
        (void)refs, (void)scale, (void)ratio, (void)ahead;
    }
    // Runs a handler of player input at once, then brings the widgets in line.
    virtual void deliver(const std::function<void()>& handler) = 0;
    // Whether the widgets are being brought in line with the models (their changes are not the player's).
    virtual bool syncing() const = 0;
    // Whether the program is ending: the windows close without asking the model.
    virtual bool quitRequested() const = 0;
    // The real widget of a control shown by the back end; null when it has none.
    virtual QWidget* widgetOf(const Control& control) const = 0;

    // What the desktop's frame last added round a window of the game's (invalid before one was framed).
    QSize frameSeen{-1, -1};

  protected:
    ~ViewHost() = default;
};

class WindowView {
  public:
    WindowView(ViewHost& host, Window& window);
    ~WindowView();
    WindowView(const WindowView&) = delete;
    WindowView& operator=(const WindowView&) = delete;

    // Brings every widget in line with the model: new controls get widgets, changed values are applied.
    void sync();

    Window& window() { return window_; }
    QWidget* top() const;
    QWidget* client() const;
    QMenuBar* menuBar() const { return menuBar_; }
    QWidget* widgetOf(const Control& control) const;
    QAction* actionOf(const Control& control) const;
    // The control whose widget this is (the window for its own top-level and client area); null if none.
    Control* controlOf(const QWidget* widget) const;
    BoundControl* boundOf(const QWidget* widget) const;

    // How many times its own size the window is shown (1, or more when it fills the screen), and the
    // screen's device pixel ratio.
    double scale() const { return scale_; }
    double pixelRatio() const { return ratio_; }

    // A user's edit of a text box: the model takes the text, and the view knows it has it.
    void takeText(BoundControl& bound, const std::string& text);

  private:
    void bindNew();
    void create(BoundControl& bound);
    void createMenuEntry(BoundControl& bound);
    void apply(BoundControl& bound);
    void updateScale();
    void prepareOtherSize();
    std::vector<PictureRef> shownPictures() const;
    void applyWindowBeforeControls();
    void applyWindowVisibility();
    void placeFrame();
    void standOverOwner();
    void applyText(BoundControl& bound, const Control& c);
    void applyFontAndColours(BoundControl& bound, const Control& c);
    QWidget* containerWidget(const Control* container) const;
    bool hasMenuEntriesUnder(const Control& entry) const;

    ViewHost& platform_;
    Window& window_;
    TopWidget* top_ = nullptr;
    ClientWidget* client_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    std::unique_ptr<QObject> guard_;  // the context of every connection, so none outlives the view
    std::vector<std::unique_ptr<BoundControl>> bound_;  // in the window's control order
    std::unordered_map<const Control*, BoundControl*> byControl_;
    QHash<const QWidget*, BoundControl*> byWidget_;

    // The window's own values last applied.
    bool fresh_ = true;
    std::string caption_;
    int clientWidth_ = -1, clientHeight_ = -1, left_ = 0, top_px_ = 0;
    bool visible_ = false, enabled_ = true;
    PictureRef icon_, picture_;
    Color background_;
    double scale_ = 1.0;
    double ratio_ = 1.0;
    double preparedOther_ = 0.0;  // the scale of the other size whose pictures were last asked for ahead
    // The window was asked to stand at (left, top) and the desktop's frame round it is not known yet: once it
    // is, the window is moved so that the frame, title bar included, stands there.
    bool placing_ = false;
};

}  // namespace zem::platform::qt
