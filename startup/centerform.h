#pragma once

#include <QPointF>
#include <QSizeF>

class QWidget;

// Top-left corner that centres a window horizontally and in the upper 85 % of the screen.
QPointF centeredPosition(const QSizeF &screen, const QSizeF &window);

// Moves the window there on its screen, showing the busy pointer meanwhile.
void CenterForm(QWidget *window);
