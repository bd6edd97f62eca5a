// SPDX-License-Identifier: GPL-3.0-or-later
// The machine's look for Qt's own controls: a style that draws push buttons as lamps in a gold bezel, frames
// with a gold rim, option buttons as jewels; the palette and type that go with it; and the message box that
// wears them over a painted background.
#pragma once

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QMessageBox>
#include <QPalette>
#include <QPointer>
#include <QStyle>

class QWidget;

namespace zem::platform::qt {

// The room an option button leaves between its circle and its caption, in pixels: the layouts give some
// option buttons little room (a reel speed has 25 pixels for its circle and its digit).
inline constexpr int kOptionLabelSpacing = 2;

// One style of kind `S` for the application, made when first asked for; it goes with the application.
template <class S>
QStyle* sharedStyle() {
    static QPointer<QStyle> style;
    if (style.isNull()) {
        style = new S;
        style->setParent(qApp);
    }
    return style;
}

// The machine's style, one for the application.
QStyle* machineStyle();
QPalette machinePalette();
// The machine's sans face at `pixels`.
QFont machineFont(int pixels, bool bold = false);
// Dresses a widget and everything in it in the machine's style (a widget's style is not handed down).
void wearMachineStyle(QWidget& widget);

// A message box in the machine's look: its painted picture (stretched to the box, a plain wood colour
// without one) within a gold rim, cream text in the machine's type, lamp buttons.
class MachineMessageBox final : public QMessageBox {
  public:
    MachineMessageBox(Icon icon, const QString& title, const QString& text, QWidget* parent, QImage backdrop);

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage backdrop_;
};

}  // namespace zem::platform::qt
