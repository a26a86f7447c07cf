#pragma once

#include <QGroupBox>

class QPainter;

// Frame of the window toolkit, its title set into the top line. Style 0 is the classic
// etched border, 1 a rounded border with the title in the accent colour.
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
    void paintFrame();
    void paintRoundedBorder(QPainter &painter, int lineTop) const;
    void paintEtchedBorder(QPainter &painter, int lineTop) const;
    int m_style = 0;
};
