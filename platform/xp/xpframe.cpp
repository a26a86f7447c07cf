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
    if (isCheckable()) {
        QGroupBox::paintEvent(event);
        return;
    }
    paintFrame();
}

void XPFrame::paintFrame() {
    QPainter painter(this);
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
    const int lineTop = metrics.height() / 2;
    if (m_style == 1)
        paintRoundedBorder(painter, lineTop);
    else
        paintEtchedBorder(painter, lineTop);
    painter.setClipping(false);
    if (titleArea.isNull())
        return;
    QColor text = palette().color(QPalette::Disabled, QPalette::WindowText);
    if (isEnabled())
        text = m_style == 1 ? QColor(0x00, 0x46, 0xD5) : palette().color(QPalette::WindowText);
    painter.setPen(text);
    painter.drawText(titleArea, Qt::AlignCenter, caption);
}

void XPFrame::paintRoundedBorder(QPainter &painter, int lineTop) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0xD0, 0xD0, 0xBF));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, lineTop + 0.5, -0.5, -0.5), 4, 4);
}

void XPFrame::paintEtchedBorder(QPainter &painter, int lineTop) const {
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRect outer = rect().adjusted(0, lineTop, -2, -2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(outer.translated(1, 1));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(outer);
}
