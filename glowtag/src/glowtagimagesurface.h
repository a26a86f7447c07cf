#pragma once

#include "glowtagsurface.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <functional>

// The control's persistent picture. The painter stays open across primitives (opening one per
// ring would dominate a repaint) and is closed before the image is read, copied or resized.
class GlowtagImageSurface : public GlowtagSurface {
public:
    explicit GlowtagImageSurface(std::function<void()> present);
    ~GlowtagImageSurface() override;

    void setPen(const QColor &colour, int width) override;
    void roundRect(int left, int top, int right, int bottom, int ew, int eh) override;
    void line(float x1, float y1, float x2, float y2) override;
    void clear(const QColor &colour) override;
    void refresh() override;

    // Keeps what was drawn where the new size overlaps the old; the rest takes the colour.
    void resize(const QSize &size, const QColor &background);
    const QImage &image();

    // Centre line of an outline: left..right and top..bottom inclusive, corner radii rx, ry.
    struct Outline {
        double left, top, right, bottom, rx, ry;
    };
    static void strokeRoundRect(QImage &image, const Outline &outline, int penWidth,
                                const QColor &colour);

private:
    QPainter &painter();
    void finish();

    QImage image_;
    QPainter painter_;
    QPen pen_;
    std::function<void()> present_;
};
