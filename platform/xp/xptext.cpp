#include "xptext.h"

XPText::XPText(QWidget *parent) : QLineEdit(parent) {}

void XPText::setStyle(int style) {
    m_style = style;
    setStyleSheet(style == 1
                      ? QStringLiteral("XPText { border: 1px solid #7F9DB9; padding: 1px 2px; }")
                      : QString());
}
