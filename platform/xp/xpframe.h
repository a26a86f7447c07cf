#pragma once

#include <QGroupBox>

// Frame of the window toolkit. Style 0 is the classic etched group box, 1 a rounded
// border with the title in the frame's accent colour.
class XPFrame : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int Style READ Style WRITE setStyle)

public:
    explicit XPFrame(QWidget *parent = nullptr);
    explicit XPFrame(const QString &title, QWidget *parent = nullptr);

    int Style() const { return m_style; }
    void setStyle(int style);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintRounded();
    int m_style = 0;
};
