#pragma once

#include <QRect>

class QAbstractButton;
class QPainter;

// Drawing shared by the flat (Style 1) option button and check box.
namespace xppaint {

// The indicator square for a button of this height, left-aligned and vertically centred.
QRect indicatorRect(const QAbstractButton &button);
// Caption to the right of the indicator, with the focus mark when the button has focus.
void drawCaption(QPainter &painter, const QAbstractButton &button, const QRect &indicator);

} // namespace xppaint
