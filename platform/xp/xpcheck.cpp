#include "xpcheck.h"

#include "xppaint.h"

#include <QPainter>
#include <QPainterPath>

XPCheck::XPCheck(QWidget *parent) : QCheckBox(parent) {}

XPCheck::XPCheck(const QString &text, QWidget *parent) : QCheckBox(text, parent) {}

void XPCheck::setStyle(int style) {
    m_style = style;
    update();
}

void XPCheck::paintEvent(QPaintEvent *event) {
    if (m_style != 1) {
        QCheckBox::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QRect box = xppaint::beginIndicator(painter, *this);
    painter.drawRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    const Qt::CheckState state = checkState();
    const QColor mark = xppaint::markColour(*this);
    if (state == Qt::Checked) {
        QPainterPath tick;
        const qreal w = box.width();
        tick.moveTo(box.left() + w * 0.22, box.top() + w * 0.5);
        tick.lineTo(box.left() + w * 0.42, box.top() + w * 0.72);
        tick.lineTo(box.left() + w * 0.78, box.top() + w * 0.28);
        painter.setPen(QPen(mark, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    } else if (state == Qt::PartiallyChecked) {
        painter.fillRect(box.adjusted(3, 3, -3, -3), mark);
    }
    xppaint::drawCaption(painter, *this, box);
}
