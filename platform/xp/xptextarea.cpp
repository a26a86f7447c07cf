#include "xptextarea.h"

XPTextArea::XPTextArea(QWidget *parent) : QPlainTextEdit(parent) {}

void XPTextArea::setStyle(int style) {
    m_style = style;
    setStyleSheet(style == 1 ? QStringLiteral("XPTextArea { border: 1px solid #7F9DB9; }")
                             : QString());
}
