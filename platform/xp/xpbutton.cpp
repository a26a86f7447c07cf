#include "xpbutton.h"

#include "xpcolour.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

XPButton::XPButton(QWidget *parent) : QPushButton(parent) {}

XPButton::XPButton(const QString &text, QWidget *parent) : QPushButton(text, parent) {}

void XPButton::setStyle(int style) {
    m_style = style;
    update();
}

void XPButton::setColorScheme(int scheme) {
    m_colorScheme = scheme;
    update();
}

void XPButton::setColorBegin(int colour) {
    m_colorBegin = colour;
    update();
}

void XPButton::setColorEnd(int colour) {
    m_colorEnd = colour;
    update();
}

void XPButton::paintEvent(QPaintEvent *event) {
    if (m_colorScheme != 1) {
        QPushButton::paintEvent(event);
        return;
    }
    paintGradientFace();
}

void XPButton::paintGradientFace() {
    QPainter painter(this);
    QColor top = xpColour(m_colorBegin, palette());
    QColor bottom = xpColour(m_colorEnd, palette());
    const bool pressed = isDown() || isChecked();
    if (pressed)
        std::swap(top, bottom);
    QLinearGradient face(0, 0, 0, height());
    face.setColorAt(0, top);
    face.setColorAt(1, bottom);
    if (m_style == 1) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(isEnabled() ? QColor(0x00, 0x3C, 0x74) : QColor(0xC9, 0xC7, 0xBA));
        painter.setBrush(face);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        if (underMouse() && isEnabled() && !pressed) {
            painter.setPen(QColor(0xF8, 0xB3, 0x30));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 2, 2);
        }
    } else {
        painter.fillRect(rect(), face);
        qDrawWinButton(&painter, rect(), palette(), pressed, nullptr);
    }
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(palette().color(group, QPalette::ButtonText));
    const QRect captionArea = pressed ? rect().translated(1, 1) : rect();
    painter.drawText(captionArea, Qt::AlignCenter | Qt::TextShowMnemonic, text());
    if (!hasFocus())
        return;
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(4, 4, -4, -4);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}
