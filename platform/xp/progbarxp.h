#pragma once

#include <QProgressBar>

// Progress bar of the window toolkit. Style 1 draws a smooth continuous bar, Style 3
// separated blocks; any other value keeps the platform's own bar.
class ProgBarXP : public QProgressBar {
    Q_OBJECT
    Q_PROPERTY(int Style READ Style WRITE setStyle)

public:
    explicit ProgBarXP(QWidget *parent = nullptr);

    int Style() const { return m_style; }
    void setStyle(int style);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintTrack(class QPainter &painter, const QRect &area) const;
    void paintSmooth(QPainter &painter, const QRect &filled) const;
    void paintBlocks(QPainter &painter, const QRect &filled) const;
    void paintText(QPainter &painter) const;
    int m_style = 0;
};
