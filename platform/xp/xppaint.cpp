#include "xppaint.h"

#include <QAbstractButton>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace xppaint {

QRect indicatorRect(const QAbstractButton &button) {
    const int size = qMax(7, qMin(13, button.height() - 2));
    return QRect(1, (button.height() - size) / 2, size, size);
}

QRect beginIndicator(QPainter &painter, const QAbstractButton &button) {
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect box = indicatorRect(button);
    QLinearGradient face(box.topLeft(), box.bottomRight());
    face.setColorAt(0, QColor(0xDC, 0xDC, 0xD7));
    face.setColorAt(1, Qt::white);
    painter.setPen(button.isEnabled() ? QColor(0x1C, 0x51, 0x80) : QColor(0xCA, 0xC8, 0xBB));
    painter.setBrush(face);
    return box;
}

QColor markColour(const QAbstractButton &button) {
    return button.isEnabled() ? QColor(0x21, 0xA1, 0x21) : QColor(0xCA, 0xC8, 0xBB);
}

void drawCaption(QPainter &painter, const QAbstractButton &button, const QRect &indicator) {
    const QRect area(indicator.right() + 6, 0, button.width() - indicator.right() - 6,
                     button.height());
    const QPalette::ColorGroup group = button.isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(button.palette().color(group, QPalette::WindowText));
    const int flags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic;
    QRect used;
    painter.drawText(area, flags, button.text(), &used);
    if (!button.hasFocus() || button.text().isEmpty())
        return;
    QStyleOptionFocusRect focus;
    focus.initFrom(&button);
    focus.rect = used.adjusted(-1, 0, 1, 0);
    button.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, &button);
}

} // namespace xppaint
