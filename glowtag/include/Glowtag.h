#pragma once

#include "glowtag_export.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>

class QLabel;
class QTimer;
class GlowtagSurface;
class GlowtagPropertyBag;

// A label that paints a flat, gradient, concentric or bordered face with a centred caption,
// can animate its gradient, and saves and restores its properties.
// Colours are 32-bit: 0x00BBGGRR, or 0x800000nn for system colour nn (as a negative int).
class GLOWTAG_EXPORT Glowtag : public QWidget {
    Q_OBJECT
    Q_PROPERTY(EnStyleEtichetta Style READ Style WRITE setStyle)
    Q_PROPERTY(int ColorEnd READ ColorEnd WRITE setColorEnd)
    Q_PROPERTY(int ColorBegin READ ColorBegin WRITE setColorBegin)
    Q_PROPERTY(int ColoreBordo READ ColoreBordo WRITE setColoreBordo)
    Q_PROPERTY(int DimBordo READ DimBordo WRITE setDimBordo)
    Q_PROPERTY(int ColoreEtichetta READ ColoreEtichetta WRITE setColoreEtichetta)
    Q_PROPERTY(int ColoreSfondo READ ColoreSfondo WRITE setColoreSfondo)
    Q_PROPERTY(int ColoreCaption READ ColoreCaption WRITE setColoreCaption)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int RaggioEtichetta READ RaggioEtichetta WRITE setRaggioEtichetta)
    Q_PROPERTY(int TimerColore READ TimerColore WRITE setTimerColore)
    Q_PROPERTY(QFont Font READ Font WRITE setFont_)

public:
    enum EnStyleEtichetta : qint32 {
        Round_Flat = 0,
        Round_Shaded = 1,
        Rect_Raised_Shaded = 2,
        Rect_Embedded_Shaded = 3,
        Round_Concentric = 4,
        Rect_Raised_Concentric = 5,
        Rect_Embedded_Concentric = 6,
        Rect_Raised = 7,
        Rect_Embedded = 8,
    };
    Q_ENUM(EnStyleEtichetta)

    explicit Glowtag(QWidget *parent = nullptr);
    ~Glowtag() override;

    EnStyleEtichetta Style() const;
    void setStyle(EnStyleEtichetta style);
    int ColorEnd() const;
    void setColorEnd(int colour);
    int ColorBegin() const;
    void setColorBegin(int colour);
    int ColoreBordo() const;
    void setColoreBordo(int colour);
    int DimBordo() const;
    void setDimBordo(int width); // 16-bit; throws std::overflow_error outside it, floors at 1
    int ColoreEtichetta() const;
    void setColoreEtichetta(int colour);
    int ColoreSfondo() const;
    void setColoreSfondo(int colour);
    int ColoreCaption() const;
    void setColoreCaption(int colour);
    QString Caption() const;
    void setCaption(const QString &caption);
    int RaggioEtichetta() const;
    void setRaggioEtichetta(int radius); // throws std::overflow_error above 32767
    int TimerColore() const;
    void setTimerColore(int milliseconds); // throws std::overflow_error for INT_MIN
    QFont Font() const;
    void setFont_(const QFont &font);

    int AnimationOffset() const;
    int AnimationDirection() const;
    bool SavingProperties() const;
    // Width of the drawing pen as the painters leave it.
    int penWidth() const;

    // Painters; the control calls them itself on every change, resize and blink tick.
    void GradConcentrica(int Rx, int Ry, bool Bordo);
    void GradLineareOrizzontale(int Rx1, int Ry1, bool Bordo);
    void VisualizzaCaption();
    void VisualizzaEtichetta();
    void DisegnaColoreEtichetta(int Rx, int Ry, qint16 Bordo);
    void DisegnaBordoQuadrato(int Colore1, int Colore2, int Colore3, int Colore4);

    // A host brings each instance to life once, either as new (defaults, display name) or from
    // its saved properties; until then every member is zero. Bag failures propagate as
    // std::runtime_error, bad 16-bit values as std::overflow_error.
    void initNewInstance(const QFont &ambientFont, const QString &displayName);
    void readProperties(GlowtagPropertyBag &bag, const QFont &ambientFont,
                        const QString &displayName);
    void writeProperties(GlowtagPropertyBag &bag);

    // The persistent picture the control shows.
    const QImage &image() const;
    // Draw through another surface (tests record the primitives); nullptr restores the image.
    void setSurface(GlowtagSurface *surface);
    QLabel *captionLabel() const;

signals:
    // The host is told which property changed.
    void propertyChanged(const QString &name);
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
