// SPDX-License-Identifier: GPL-3.0-or-later
// The machine's look for Qt's own controls and the message box that wears it.
#include "machine_look.h"

#include "platform/machine_look.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>
#include <utility>

namespace zem::platform::qt {

namespace {

QColor qtColour(Color c, int alpha = 255) { return QColor(c.r, c.g, c.b, alpha); }

QColor shade(const QColor& c, qreal towards, const QColor& target) {
    return QColor::fromRgbF(c.redF() + (target.redF() - c.redF()) * towards,
                            c.greenF() + (target.greenF() - c.greenF()) * towards,
                            c.blueF() + (target.blueF() - c.blueF()) * towards, c.alphaF());
}
QColor lighter(const QColor& c, qreal amount) { return shade(c, amount, Qt::white); }
QColor darker(const QColor& c, qreal amount) { return shade(c, amount, Qt::black); }
// A disabled control keeps its shape and loses its colour: a dull brown-grey at the same lightness.
QColor dulled(const QColor& c) { return QColor::fromHsvF(0.08, 0.18, c.valueF() * 0.75, c.alphaF()); }

const QColor kRimDark(25, 15, 8);

// The gold bezel round a lamp or a jewel: a dark rim, then metal lit from above.
QLinearGradient bezel(const QRectF& r, bool enabled) {
    QLinearGradient chrome(r.topLeft(), r.bottomLeft());
    const QColor stops[] = {QColor(255, 240, 200), QColor(196, 160, 90), QColor(140, 100, 40),
                            QColor(230, 200, 130)};
    const qreal at[] = {0.0, 0.45, 0.55, 1.0};
    for (int i = 0; i < 4; ++i) chrome.setColorAt(at[i], enabled ? stops[i] : dulled(stops[i]));
    return chrome;
}

// A push button as the machine's lamp buttons are painted: a gold bezel round a red face with a gloss over
// its upper half; pushed in, the face darkens and the bezel's shadow falls on it; disabled, it loses its
// colour.
void paintLamp(QPainter& p, const QRectF& rect, const QStyleOption& option, bool isDefault) {
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool pressed = option.state & (QStyle::State_Sunken | QStyle::State_On);
    const bool hovered = enabled && (option.state & QStyle::State_MouseOver);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal radius = std::min<qreal>(rect.height() * 0.3, 8.0);
    const QRectF outer = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(isDefault && enabled ? qtColour(look::kGoldLight) : kRimDark, isDefault ? 1.5 : 1.0));
    p.setBrush(bezel(outer, enabled));
    p.drawRoundedRect(outer, radius, radius);

    const QRectF face = outer.adjusted(2.5, 2.5, -2.5, -2.5);
    const qreal fr = std::max<qreal>(1.0, radius - 2.5);
    QColor base = qtColour(look::kLampRed);
    if (!enabled) base = dulled(base);
    if (pressed) base = darker(base, 0.35);
    if (hovered && !pressed) base = lighter(base, 0.12);
    QLinearGradient body(face.topLeft(), face.bottomLeft());
    body.setColorAt(0.0, lighter(base, pressed ? 0.05 : 0.2));
    body.setColorAt(0.5, base);
    body.setColorAt(1.0, darker(base, pressed ? 0.25 : 0.35));
    p.setPen(QPen(darker(base, 0.6), 1.0));
    p.setBrush(body);
    p.drawRoundedRect(face, fr, fr);

    QPainterPath faceShape;
    faceShape.addRoundedRect(face, fr, fr);
    p.setClipPath(faceShape);
    if (pressed) {
        QLinearGradient inset(face.topLeft(), QPointF(face.left(), face.top() + face.height() * 0.45));
        inset.setColorAt(0.0, QColor(0, 0, 0, 150));
        inset.setColorAt(1.0, QColor(0, 0, 0, 0));
        p.fillRect(face, inset);
    } else {
        QPainterPath gloss;
        gloss.addRoundedRect(QRectF(face.left() + 2, face.top() + 1, face.width() - 4, face.height() * 0.46),
                             fr * 0.8, fr * 0.8);
        QLinearGradient shine(face.topLeft(), QPointF(face.left(), face.top() + face.height() * 0.5));
        shine.setColorAt(0.0, QColor(255, 255, 255, enabled ? 90 : 45));
        shine.setColorAt(1.0, QColor(255, 255, 255, 15));
        p.fillPath(gloss, shine);
    }
    p.restore();
}

// An option button's circle as a jewel in a gold setting: a dark well, and a red stone when it is marked.
void paintJewel(QPainter& p, const QRectF& rect, const QStyleOption& option) {
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool on = option.state & QStyle::State_On;
    const qreal side = std::min(rect.width(), rect.height());
    const QRectF ring(rect.center().x() - side / 2 + 0.5, rect.center().y() - side / 2 + 0.5, side - 1,
                      side - 1);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kRimDark, 1.0));
    p.setBrush(bezel(ring, enabled));
    p.drawEllipse(ring);
    const qreal inset = std::max<qreal>(2.0, side * 0.16);
    const QRectF well = ring.adjusted(inset, inset, -inset, -inset);
    p.setPen(Qt::NoPen);
    p.setBrush(option.state & QStyle::State_Sunken ? QColor(70, 36, 20) : QColor(22, 10, 6));
    p.drawEllipse(well);
    if (on) {
        const QRectF stone = well.adjusted(1, 1, -1, -1);
        QRadialGradient glow(stone.center() - QPointF(stone.width() * 0.2, stone.height() * 0.2),
                             stone.width() * 0.7);
        const QColor red = enabled ? QColor(235, 50, 36) : dulled(QColor(235, 50, 36));
        glow.setColorAt(0.0, lighter(red, 0.6));
        glow.setColorAt(0.5, red);
        glow.setColorAt(1.0, darker(red, 0.5));
        p.setBrush(glow);
        p.drawEllipse(stone);
    }
    p.restore();
}

// A frame's rim: a gold line with a dark one inside it, round a slightly darkened field.
void paintRim(QPainter& p, const QRectF& rect) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(qtColour(look::kGold), 1.0));
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawRoundedRect(outer, 4, 4);
    p.setPen(QPen(QColor(0, 0, 0, 110), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(outer.adjusted(1, 1, -1, -1), 3, 3);
    p.restore();
}

// The message boxes' icons: a gold coin with an "i" for information, a red stop disc with a cross.
QIcon paintedIcon(bool stop) {
    QIcon icon;
    for (int side : {32, 64}) {
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF disc(1, 1, side - 2, side - 2);
        p.setPen(QPen(kRimDark, side / 32.0));
        p.setBrush(bezel(disc, true));
        p.drawEllipse(disc);
        const QRectF face = disc.adjusted(side * 0.1, side * 0.1, -side * 0.1, -side * 0.1);
        QRadialGradient body(face.center() - QPointF(side * 0.1, side * 0.12), face.width() * 0.7);
        const QColor colour = stop ? QColor(206, 40, 26) : QColor(240, 190, 60);
        body.setColorAt(0.0, lighter(colour, 0.4));
        body.setColorAt(1.0, darker(colour, 0.3));
        p.setPen(Qt::NoPen);
        p.setBrush(body);
        p.drawEllipse(face);
        if (stop) {
            p.setPen(QPen(qtColour(look::kCream), side * 0.11, Qt::SolidLine, Qt::RoundCap));
            const qreal a = side * 0.34, b = side * 0.66;
            p.drawLine(QPointF(a, a), QPointF(b, b));
            p.drawLine(QPointF(a, b), QPointF(b, a));
        } else {
            QFont font(QString::fromLatin1(look::kSerifFace));
            font.setPixelSize(static_cast<int>(side * 0.62));
            font.setBold(true);
            p.setFont(font);
            p.setPen(qtColour(look::kInk));
            p.drawText(face, Qt::AlignCenter, QStringLiteral("i"));
        }
        p.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

class MachineStyle final : public QProxyStyle {
  public:
    MachineStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        if (metric == PM_RadioButtonLabelSpacing) return std::min(value, kOptionLabelSpacing);
        // A message box keeps its text clear of its gold rim.
        const bool margin = metric == PM_LayoutLeftMargin || metric == PM_LayoutRightMargin ||
                            metric == PM_LayoutTopMargin || metric == PM_LayoutBottomMargin;
        if (margin && qobject_cast<const QMessageBox*>(widget) != nullptr) return value + 8;
        return value;
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
        // A lamp needs room for its bezel round the caption.
        if (type == CT_PushButton) result = result.expandedTo(QSize(size.width() + 24, size.height() + 12));
        return result;
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* p,
                       const QWidget* widget) const override {
        switch (element) {
            case PE_PanelButtonCommand: {
                const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
                paintLamp(*p, option->rect, *option,
                          button != nullptr && (button->features & QStyleOptionButton::DefaultButton));
                return;
            }
            case PE_FrameDefaultButton:
                return;  // the lamp draws its own
            case PE_IndicatorRadioButton:
                paintJewel(*p, option->rect, *option);
                return;
            case PE_FrameGroupBox:
                paintRim(*p, option->rect);
                return;
            case PE_FrameFocusRect: {
                p->save();
                p->setRenderHint(QPainter::Antialiasing);
                p->setPen(QPen(qtColour(look::kGoldLight, 200), 1.0, Qt::DotLine));
                p->setBrush(Qt::NoBrush);
                const bool onLamp = qobject_cast<const QPushButton*>(widget) != nullptr;
                p->drawRoundedRect(QRectF(option->rect)
                                       .adjusted(onLamp ? 3.5 : 0.5, onLamp ? 3.5 : 0.5, onLamp ? -3.5 : -0.5,
                                                 onLamp ? -3.5 : -0.5),
                                   3, 3);
                p->restore();
                return;
            }
            default:
                QProxyStyle::drawPrimitive(element, option, p, widget);
        }
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* p,
                     const QWidget* widget) const override {
        if (element == CE_PushButtonLabel) {
            // The caption with a dark shadow beneath it, readable on the lamp's gloss.
            if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) {
                QStyleOptionButton shadow = *button;
                shadow.palette.setColor(QPalette::ButtonText, QColor(40, 8, 0, 200));
                shadow.rect.translate(1, 1);
                QProxyStyle::drawControl(element, &shadow, p, widget);
            }
        }
        QProxyStyle::drawControl(element, option, p, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* p,
                            const QWidget* widget) const override {
        if (control == CC_GroupBox) {
            // The rim passes through the middle of the frame's title, which stands in a gap of it, set in
            // from the corner, in the machine's gold.
            if (const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option)) {
                const int indent = box->fontMetrics.height() / 2;
                const QRect title = QProxyStyle::subControlRect(control, box, SC_GroupBoxLabel, widget)
                                        .translated(indent, 0)
                                        .intersected(box->rect);
                QRect frame = box->rect;
                if (!box->text.isEmpty()) frame.setTop(title.center().y());
                p->save();
                QRegion outside(box->rect);
                if (!box->text.isEmpty()) outside -= title.adjusted(-3, 0, 3, 0);
                p->setClipRegion(outside);
                paintRim(*p, frame);
                p->restore();
                if (!box->text.isEmpty()) {
                    p->save();
                    p->setPen(qtColour(look::kGoldLight));
                    drawItemText(p, title, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextHideMnemonic,
                                 box->palette, box->state & State_Enabled, box->text, QPalette::NoRole);
                    p->restore();
                }
                return;
            }
        }
        QProxyStyle::drawComplexControl(control, option, p, widget);
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        // A lamp carries its caption alone.
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (icon == SP_MessageBoxInformation) return paintedIcon(false);
        if (icon == SP_MessageBoxCritical) return paintedIcon(true);
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

}  // namespace

QStyle* machineStyle() { return sharedStyle<MachineStyle>(); }

QPalette machinePalette() {
    QPalette p;
    const QColor wood = qtColour(look::kWood), cream = qtColour(look::kCream);
    p.setColor(QPalette::Window, wood);
    p.setColor(QPalette::WindowText, cream);
    p.setColor(QPalette::Base, qtColour(look::kParchment));
    p.setColor(QPalette::AlternateBase, qtColour(look::kParchment));
    p.setColor(QPalette::Text, qtColour(look::kInk));
    p.setColor(QPalette::PlaceholderText, darker(qtColour(look::kParchment), 0.4));
    p.setColor(QPalette::Button, qtColour(look::kLampRed));
    p.setColor(QPalette::ButtonText, cream);
    p.setColor(QPalette::BrightText, qtColour(look::kGoldLight));
    p.setColor(QPalette::Light, qtColour(look::kGoldLight));
    p.setColor(QPalette::Midlight, qtColour(look::kGold));
    p.setColor(QPalette::Mid, QColor(150, 100, 30));
    p.setColor(QPalette::Dark, QColor(60, 25, 0));
    p.setColor(QPalette::Shadow, QColor(20, 8, 2));
    p.setColor(QPalette::Highlight, qtColour(look::kGold));
    p.setColor(QPalette::HighlightedText, qtColour(look::kInk));
    const QColor dim(170, 140, 110);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        p.setColor(QPalette::Disabled, role, dim);
    return p;
}

QFont machineFont(int pixels, bool bold) {
    QFont font(QString::fromLatin1(look::kSansFace));
    font.setPixelSize(std::max(1, pixels));
    font.setBold(bold);
    return font;
}

void wearMachineStyle(QWidget& widget) {
    QStyle* style = machineStyle();
    if (widget.style() != style) widget.setStyle(style);
    for (QWidget* child : widget.findChildren<QWidget*>()) {
        if (child->style() != style) child->setStyle(style);
    }
}

// The message's type: a size between the machine's small print and its meters.
constexpr int kMessagePixels = 14;
// What a message box takes of its width beside its text: the icon and the margins.
constexpr int kIconAndMargins = 120;

MachineMessageBox::MachineMessageBox(Icon icon, const QString& title, const QString& text, QWidget* parent,
                                     QImage backdrop)
    : QMessageBox(icon, title, text, QMessageBox::NoButton, parent), backdrop_(std::move(backdrop)) {
    setPalette(machinePalette());
    setFont(machineFont(kMessagePixels));
    setStyle(machineStyle());  // the icon follows the style
}

void MachineMessageBox::showEvent(QShowEvent* event) {
    // The buttons are made after the box: they are dressed now, before the box takes its size from them.
    wearMachineStyle(*this);
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setFont(machineFont(kMessagePixels, true));
        button->setMinimumHeight(30);
        button->setIcon(QIcon());  // the desktop's style gave them its own when they were made
    }
    // The message's lines are its own: the desktop's box breaks a text wider than half the screen in the
    // middle of its lines. Held at its whole width, as long as the screen is wide enough for it, none is
    // broken.
    if (auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        label->setWordWrap(false);
        const int whole = label->sizeHint().width();
        const int room = screen() != nullptr ? screen()->availableGeometry().width() - kIconAndMargins : 0;
        label->setMinimumWidth(whole <= room ? whole : 0);
    }
    QMessageBox::showEvent(event);
}

void MachineMessageBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (backdrop_.isNull()) {
        p.fillRect(rect(), qtColour(look::kWood));
    } else {
        p.drawImage(QRectF(rect()), backdrop_);
    }
    // The gold trim round the box, as round the machine's meters.
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(qtColour(look::kGold), 2.0));
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    p.setPen(QPen(qtColour(look::kGoldLight, 120), 1.0));
    p.drawRect(QRectF(rect()).adjusted(4.5, 4.5, -4.5, -4.5));
}

}  // namespace zem::platform::qt
