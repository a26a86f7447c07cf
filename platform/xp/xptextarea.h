#pragma once

#include <QPlainTextEdit>

// Multi-line text box of the window toolkit; styled like XPText.
class XPTextArea : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(int Style READ Style WRITE setStyle)

public:
    explicit XPTextArea(QWidget *parent = nullptr);

    int Style() const { return m_style; }
    void setStyle(int style);

private:
    int m_style = 0;
};
