#include "glowtagimagesurface.h"

#include <QLineF>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// A rounded rectangle [x0, x1) x [y0, y1) with corner radii rx, ry (0 = square corners).
struct Rounded {
    double x0, y0, x1, y1, rx, ry;
};

// Horizontal extent [from, to) of the shape at height y, or false when the row misses it.
bool spanAt(const Rounded &s, double y, double &from, double &to) {
    if (y < s.y0 || y >= s.y1 || s.x1 <= s.x0)
        return false;
    double inset = 0.0;
    if (s.rx > 0.0 && s.ry > 0.0) {
        double dy = 0.0;
        if (y < s.y0 + s.ry)
            dy = s.y0 + s.ry - y;
        else if (y > s.y1 - s.ry)
            dy = y - (s.y1 - s.ry);
        if (dy > 0.0) {
            const double q = std::min(dy / s.ry, 1.0);
            inset = s.rx * (1.0 - std::sqrt(1.0 - q * q));
        }
    }
    from = s.x0 + inset;
    to = s.x1 - inset;
    return from < to;
}

// Columns [first, end) of the pixels whose centre lies in [from, to), within the row.
void columns(double from, double to, int width, int &first, int &end) {
    const double f = std::max(std::ceil(from - 0.5), 0.0);
    const double e = std::min(std::ceil(to - 0.5), double(width));
    first = e > f ? int(f) : 0;
    end = e > f ? int(e) : 0;
}

// What one row of a stroke fills: up to two pieces, left and right of the hole.
struct Pieces {
    int left = 0, leftEnd = 0, right = 0, rightEnd = 0;
};

Pieces piecesAt(const Rounded &outer, const Rounded &inner, double y, int width) {
    Pieces p;
    double from = 0, to = 0;
    if (!spanAt(outer, y, from, to))
        return p;
    double holeFrom = 0, holeTo = 0;
    if (spanAt(inner, y, holeFrom, holeTo)) {
        columns(from, std::min(holeFrom, to), width, p.left, p.leftEnd);
        columns(std::max(holeTo, from), to, width, p.right, p.rightEnd);
    } else {
        columns(from, to, width, p.left, p.leftEnd);
    }
    return p;
}

} // namespace

void GlowtagImageSurface::strokeRoundRect(QImage &image, const Outline &o, int penWidth,
                                          const QColor &colour) {
    // The stroke is the ring between the outline grown and shrunk by half the pen, filled row
    // by row: far cheaper than a general path stroker for the many rings of a gradient. Like a
    // classic pen, an odd width puts its extra pixel right of and below the outline.
    const int pen = std::max(penWidth, 1);
    const double half = pen / 2.0;
    const double shift = (pen % 2) ? 0.5 : 0.0;
    double rx = std::min(o.rx, (o.right - o.left) / 2.0);
    double ry = std::min(o.ry, (o.bottom - o.top) / 2.0);
    if (rx <= 0.0 || ry <= 0.0)
        rx = ry = 0.0;
    const double l = o.left + shift, t = o.top + shift, r = o.right + shift, b = o.bottom + shift;
    const Rounded outer{l - half,
                        t - half,
                        r + half,
                        b + half,
                        rx > 0.0 ? rx + half : 0.0,
                        ry > 0.0 ? ry + half : 0.0};
    double irx = std::max(rx - half, 0.0), iry = std::max(ry - half, 0.0);
    if (irx <= 0.0 || iry <= 0.0)
        irx = iry = 0.0;
    const Rounded inner{l + half, t + half, r - half, b - half, irx, iry};
    const int width = image.width();
    const int firstRow = int(std::max(std::ceil(outer.y0 - 0.5), 0.0));
    const int endRow = int(std::min(std::ceil(outer.y1 - 0.5), double(image.height())));
    // Rows clear of every corner share one pair of pieces: the sides of a tall ring.
    const double straightFrom = std::max(outer.y0 + outer.ry, inner.y0 + inner.ry);
    const double straightTo = std::min(outer.y1 - outer.ry, inner.y1 - inner.ry);
    Pieces straight;
    bool straightKnown = false;
    const QRgb rgb = colour.rgb();
    for (int y = firstRow; y < endRow; ++y) {
        const double cy = y + 0.5;
        const bool isStraight = cy >= straightFrom && cy <= straightTo;
        Pieces pieces;
        if (isStraight && straightKnown) {
            pieces = straight;
        } else {
            pieces = piecesAt(outer, inner, cy, width);
            if (isStraight) {
                straight = pieces;
                straightKnown = true;
            }
        }
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        if (pieces.leftEnd > pieces.left)
            std::fill(row + pieces.left, row + pieces.leftEnd, rgb);
        if (pieces.rightEnd > pieces.right)
            std::fill(row + pieces.right, row + pieces.rightEnd, rgb);
    }
}

GlowtagImageSurface::GlowtagImageSurface(std::function<void()> present)
    : image_(1, 1, QImage::Format_RGB32), present_(std::move(present)) {
    image_.fill(Qt::black);
    pen_.setJoinStyle(Qt::MiterJoin);
    // Rows of a gradient end exactly where their inset says; caps would run into the outline.
    pen_.setCapStyle(Qt::FlatCap);
}

GlowtagImageSurface::~GlowtagImageSurface() {
    finish();
}

void GlowtagImageSurface::setPen(const QColor &colour, int width) {
    pen_.setColor(colour);
    pen_.setWidth(std::max(width, 0));
}

void GlowtagImageSurface::roundRect(int left, int top, int right, int bottom, int ew, int eh) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    // The right and bottom edges are exclusive; the pen straddles the outline.
    const double l = left, t = top, r = double(right) - 1.0, b = double(bottom) - 1.0;
    if (r < l || b < t)
        return;
    finish();
    strokeRoundRect(image_, {l, t, r, b, ew / 2.0, eh / 2.0}, pen_.width(), pen_.color());
}

void GlowtagImageSurface::line(float x1, float y1, float x2, float y2) {
    QPainter &p = painter();
    p.setPen(pen_);
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
