#pragma once

#include <QCheckBox>

// Check box of the window toolkit. Style 0 is the classic look, 1 a flat modern indicator.
class XPCheck : public QCheckBox {
    Q_OBJECT
    Q_PROPERTY(int Style READ Style WRITE setStyle)

public:
    explicit XPCheck(QWidget *parent = nullptr);
    explicit XPCheck(const QString &text, QWidget *parent = nullptr);

    int Style() const { return m_style; }
    void setStyle(int style);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_style = 0;
};
