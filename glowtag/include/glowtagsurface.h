#pragma once

#include "glowtag_export.h"

#include <QColor>

// Where a Glowtag draws. The control's own surface is its persistent image; another surface can
// be put in its place to observe the drawing.
class GLOWTAG_EXPORT GlowtagSurface {
public:
    virtual ~GlowtagSurface() = default;

    // The pen used by every following outline and line; width in pixels.
    virtual void setPen(const QColor &colour, int width) = 0;
    // Outline only, with the geometry of the classic RoundRect: the right and bottom edges are
    // exclusive and the corners are arcs of an ellipse ew wide and eh high.
    virtual void roundRect(int left, int top, int right, int bottom, int ew, int eh) = 0;
    virtual void line(float x1, float y1, float x2, float y2) = 0;
    // Fills the whole surface with the background colour.
    virtual void clear(const QColor &colour) = 0;
    // Presents what was drawn.
    virtual void refresh() = 0;
};
