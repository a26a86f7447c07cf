#include "glowtagimagesurface.h"

#include <QLineF>
#include <QRectF>
#include <algorithm>
#include <utility>

GlowtagImageSurface::GlowtagImageSurface(std::function<void()> present)
    : image_(1, 1, QImage::Format_RGB32), present_(std::move(present)) {
    image_.fill(Qt::black);
    pen_.setJoinStyle(Qt::MiterJoin);
    pen_.setCapStyle(Qt::SquareCap);
    linePen_ = pen_;
    // Rows of a gradient end exactly where their inset says; caps would run into the outline.
    linePen_.setCapStyle(Qt::FlatCap);
}

GlowtagImageSurface::~GlowtagImageSurface() {
    finish();
}

void GlowtagImageSurface::setPen(const QColor &colour, int width) {
    const int w = std::max(width, 0);
    pen_.setColor(colour);
    pen_.setWidth(w);
    linePen_.setColor(colour);
    linePen_.setWidth(w);
}

void GlowtagImageSurface::roundRect(int left, int top, int right, int bottom, int ew, int eh) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    // The right and bottom edges are exclusive; the pen straddles the outline.
    const QRectF rect(double(left), double(top), double(right) - left - 1.0,
                      double(bottom) - top - 1.0);
    if (rect.width() < 0 || rect.height() < 0)
        return;
    QPainter &p = painter();
    p.setPen(pen_);
    p.setBrush(Qt::NoBrush);
    if (ew <= 1 || eh <= 1)
        p.drawRect(rect);
    else
        p.drawRoundedRect(rect, ew / 2.0, eh / 2.0, Qt::AbsoluteSize);
}

void GlowtagImageSurface::line(float x1, float y1, float x2, float y2) {
    QPainter &p = painter();
    p.setPen(linePen_);
    p.drawLine(QLineF(x1, y1, x2, y2));
}

void GlowtagImageSurface::clear(const QColor &colour) {
    finish();
    image_.fill(colour);
}

void GlowtagImageSurface::refresh() {
    finish();
    if (present_)
        present_();
}

void GlowtagImageSurface::resize(const QSize &size, const QColor &background) {
    const QSize wanted(std::max(size.width(), 1), std::max(size.height(), 1));
    if (wanted == image_.size())
        return;
    finish();
    QImage resized(wanted, QImage::Format_RGB32);
    resized.fill(background);
    {
        QPainter copy(&resized);
        copy.drawImage(0, 0, image_);
    }
    image_ = std::move(resized);
}

const QImage &GlowtagImageSurface::image() {
    finish();
    return image_;
}

QPainter &GlowtagImageSurface::painter() {
    if (!painter_.isActive()) {
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing, false);
    }
    return painter_;
}

void GlowtagImageSurface::finish() {
    if (painter_.isActive())
        painter_.end();
}
