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
    const QRect box = xppaint::beginIndicator(painter, *this);
    painter.drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    if (isChecked()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(xppaint::markColour(*this));
        const int inset = box.width() / 4 + 1;
        painter.drawEllipse(box.adjusted(inset, inset, -inset, -inset));
    }
    xppaint::drawCaption(painter, *this, box);
}
