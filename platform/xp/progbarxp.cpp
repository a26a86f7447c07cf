#include "progbarxp.h"

#include <QPainter>

ProgBarXP::ProgBarXP(QWidget *parent) : QProgressBar(parent) {}

void ProgBarXP::setStyle(int style) {
    m_style = style;
    update();
}

void ProgBarXP::paintEvent(QPaintEvent *event) {
    if ((m_style != 1 && m_style != 3) || orientation() != Qt::Horizontal) {
        QProgressBar::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QRect area = rect().adjusted(2, 2, -2, -2);
    paintTrack(painter, rect());
    const qint64 span = qint64(maximum()) - minimum();
    const qint64 done = qBound<qint64>(0, qint64(value()) - minimum(), span);
    const int width = span > 0 ? int(area.width() * done / span) : 0;
    const QRect filled(area.left(), area.top(), width, area.height());
    if (m_style == 1)
        paintSmooth(painter, filled);
    else
        paintBlocks(painter, filled);
    if (isTextVisible())
        paintText(painter);
}

void ProgBarXP::paintTrack(QPainter &painter, const QRect &area) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x68, 0x68, 0x68));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRoundedRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void ProgBarXP::paintSmooth(QPainter &painter, const QRect &filled) const {
    if (filled.width() <= 0)
        return;
    const QColor bar = palette().color(QPalette::Highlight);
    QLinearGradient shade(0, filled.top(), 0, filled.bottom());
    shade.setColorAt(0, bar.lighter(160));
    shade.setColorAt(0.5, bar);
    shade.setColorAt(1, bar.lighter(130));
    painter.fillRect(filled, shade);
}

void ProgBarXP::paintBlocks(QPainter &painter, const QRect &filled) const {
    const QColor bar = palette().color(QPalette::Highlight);
    QLinearGradient shade(0, filled.top(), 0, filled.bottom());
    shade.setColorAt(0, bar.lighter(160));
    shade.setColorAt(0.5, bar);
    shade.setColorAt(1, bar.lighter(130));
    const int block = qMax(4, filled.height() * 2 / 3);
    for (int x = filled.left(); x < filled.right(); x += block + 2) {
        const int w = qMin(block, filled.right() + 1 - x);
        painter.fillRect(QRect(x, filled.top(), w, filled.height()), shade);
    }
}

void ProgBarXP::paintText(QPainter &painter) const {
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(rect(), Qt::AlignCenter, text());
}
