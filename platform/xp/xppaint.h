#pragma once

#include <QColor>
#include <QRect>

class QAbstractButton;
class QPainter;

// Drawing shared by the flat (Style 1) option button and check box.
namespace xppaint {

// The indicator square for a button of this height, left-aligned and vertically centred.
QRect indicatorRect(const QAbstractButton &button);
// Sets up the painter for the flat indicator (antialiased, gradient face, outline) and returns
// its square.
QRect beginIndicator(QPainter &painter, const QAbstractButton &button);
// Colour of the check mark or the option dot.
QColor markColour(const QAbstractButton &button);
// Caption to the right of the indicator, with the focus mark when the button has focus.
void drawCaption(QPainter &painter, const QAbstractButton &button, const QRect &indicator);

} // namespace xppaint
