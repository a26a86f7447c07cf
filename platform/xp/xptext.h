#pragma once

#include <QLineEdit>

// Single-line text box of the window toolkit. Style 0 is the sunken classic frame,
// 1 a thin flat border.
class XPText : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(int Style READ Style WRITE setStyle)

public:
    explicit XPText(QWidget *parent = nullptr);

    int Style() const { return m_style; }
    void setStyle(int style);

private:
    int m_style = 0;
};
