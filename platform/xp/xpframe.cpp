#include "xpframe.h"

#include <QPainter>
#include <QRegion>

XPFrame::XPFrame(QWidget *parent) : QGroupBox(parent) {}

XPFrame::XPFrame(const QString &title, QWidget *parent) : QGroupBox(title, parent) {}

void XPFrame::setStyle(int style) {
    m_style = style;
    update();
}

void XPFrame::paintEvent(QPaintEvent *event) {
    // A checkable frame needs the platform's check indicator in its title.
    if (m_style != 1 || isCheckable()) {
        QGroupBox::paintEvent(event);
        return;
    }
    paintRounded();
}

void XPFrame::paintRounded() {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics(font());
    QString caption = title();
    caption.remove(QLatin1Char('&'));
    QRect titleArea;
    if (!caption.isEmpty()) {
        const int width = metrics.horizontalAdvance(caption) + 6;
        int left = 8;
        if (alignment() & Qt::AlignHCenter)
            left = (this->width() - width) / 2;
        else if (alignment() & Qt::AlignRight)
            left = this->width() - width - 8;
        titleArea = QRect(left, 0, width, metrics.height());
    }
    // Leave a gap in the border under the title instead of painting over what lies behind.
    painter.setClipRegion(QRegion(rect()) - QRegion(titleArea));
    painter.setPen(QColor(0xD0, 0xD0, 0xBF));
    const QRectF border = QRectF(rect()).adjusted(0.5, metrics.height() / 2 + 0.5, -0.5, -0.5);
    painter.drawRoundedRect(border, 4, 4);
    painter.setClipping(false);
    if (titleArea.isNull())
        return;
    painter.setPen(isEnabled() ? QColor(0x00, 0x46, 0xD5)
                               : palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(titleArea, Qt::AlignCenter, caption);
}
