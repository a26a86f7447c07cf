#include "xpoption.h"

#include "xppaint.h"

#include <QPainter>

XPOption::XPOption(QWidget *parent) : QRadioButton(parent) {}

XPOption::XPOption(const QString &text, QWidget *parent) : QRadioButton(text, parent) {}

void XPOption::setStyle(int style) {
    m_style = style;
    update();
}

void XPOption::paintEvent(QPaintEvent *event) {
    if (m_style != 1) {
        QRadioButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect box = xppaint::indicatorRect(*this);
    QLinearGradient face(box.topLeft(), box.bottomRight());
    face.setColorAt(0, QColor(0xDC, 0xDC, 0xD7));
    face.setColorAt(1, Qt::white);
    painter.setPen(isEnabled() ? QColor(0x1C, 0x51, 0x80) : QColor(0xCA, 0xC8, 0xBB));
    painter.setBrush(face);
    painter.drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    if (isChecked()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(isEnabled() ? QColor(0x21, 0xA1, 0x21) : QColor(0xCA, 0xC8, 0xBB));
        const int inset = box.width() / 4 + 1;
        painter.drawEllipse(box.adjusted(inset, inset, -inset, -inset));
    }
    xppaint::drawCaption(painter, *this, box);
}
