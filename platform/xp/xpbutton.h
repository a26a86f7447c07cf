#pragma once

#include <QPushButton>

// Push button of the window toolkit. With ColorScheme 1 the face is a vertical gradient
// from ColorBegin (top) to ColorEnd (bottom); Style 0 gives it a raised square bevel,
// Style 1 a flat rounded border. ColorScheme 0 keeps the platform's own button.
class XPButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(int Style READ Style WRITE setStyle)
    Q_PROPERTY(int ColorScheme READ ColorScheme WRITE setColorScheme)
    Q_PROPERTY(int ColorBegin READ ColorBegin WRITE setColorBegin)
    Q_PROPERTY(int ColorEnd READ ColorEnd WRITE setColorEnd)

public:
    explicit XPButton(QWidget *parent = nullptr);
    explicit XPButton(const QString &text, QWidget *parent = nullptr);

    int Style() const { return m_style; }
    void setStyle(int style);
    int ColorScheme() const { return m_colorScheme; }
    void setColorScheme(int scheme);
    int ColorBegin() const { return m_colorBegin; }
    void setColorBegin(int colour);
    int ColorEnd() const { return m_colorEnd; }
    void setColorEnd(int colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintGradientFace();
    int m_style = 0;
    int m_colorScheme = 0;
    int m_colorBegin = int(0x80000014u);
    int m_colorEnd = int(0x8000000Fu);
};
