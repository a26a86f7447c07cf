#include "banner.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

constexpr int Width = 454;
constexpr int Height = 139;

void paintBackground(QPainter &painter) {
    QLinearGradient sky(0, 0, Width, Height);
    sky.setColorAt(0, QColor(0x10, 0x2A, 0x4C));
    sky.setColorAt(1, QColor(0x2E, 0x6E, 0x9E));
    painter.fillRect(0, 0, Width, Height, sky);
}

// A few faint carrier waves across the banner.
void paintWaves(QPainter &painter) {
    for (int wave = 0; wave < 3; ++wave) {
        QPainterPath path;
        const double amplitude = 10 + wave * 6;
        const double baseline = 92 + wave * 9;
        for (int x = 0; x <= Width; x += 3) {
            const double y = baseline + amplitude * std::sin(x / (28.0 + wave * 9) + wave);
            if (x == 0)
                path.moveTo(x, y);
            else
                path.lineTo(x, y);
        }
        painter.setPen(QPen(QColor(255, 255, 255, 40 + wave * 15), 1.5));
        painter.drawPath(path);
    }
}

void paintTitle(QPainter &painter) {
    QFont title(QStringLiteral("Sans Serif"));
    title.setStyleHint(QFont::SansSerif);
    title.setPixelSize(30);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 18, Width, 44), Qt::AlignCenter,
                     QStringLiteral("RV44 Series Upgrade"));
    QFont subtitle = title;
    subtitle.setPixelSize(13);
    subtitle.setBold(false);
    painter.setFont(subtitle);
    painter.setPen(QColor(0xC8, 0xDC, 0xF0));
    painter.drawText(QRect(0, 60, Width, 20), Qt::AlignCenter,
                     QStringLiteral("Receiver memory update"));
}

} // namespace

QPixmap makeBanner() {
    QPixmap banner(Width, Height);
    QPainter painter(&banner);
    painter.setRenderHint(QPainter::Antialiasing);
    paintBackground(painter);
    paintWaves(painter);
    paintTitle(painter);
    painter.setPen(QColor(0x0A, 0x1A, 0x30));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, Width - 1, Height - 1);
    return banner;
}
