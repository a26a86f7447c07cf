#pragma once

#include <QRadioButton>

// Option button of the window toolkit. Style 0 is the classic look, 1 a flat modern indicator.
class XPOption : public QRadioButton {
    Q_OBJECT
    Q_PROPERTY(int Style READ Style WRITE setStyle)

public:
    explicit XPOption(QWidget *parent = nullptr);
    explicit XPOption(const QString &text, QWidget *parent = nullptr);

    int Style() const { return m_style; }
    void setStyle(int style);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_style = 0;
};
