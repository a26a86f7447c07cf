#include "Glowtag.h"

#include "glowtagimagesurface.h"
#include "glowtagmath.h"
#include "glowtagpropertybag.h"
#include "systemcolours.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <climits>
#include <cstdlib>
#include <stdexcept>

using glowtag::MaxOf;
using glowtag::MinOf;
using glowtag::nearest;

namespace {

// Defaults of a new instance, also the defaults of the saved entries.
constexpr int DefaultColorBegin = 0x00C0C0C0;
constexpr int DefaultColorEnd = 0x00FFFFFF;
constexpr int DefaultColoreBordo = 0x00808080;
constexpr int DefaultColoreCaption = int(0x80000012u); // button text
constexpr int DefaultColoreSfondo = int(0x8000000Fu);  // button face
constexpr int DefaultColoreEtichetta = int(0x8000000Fu);
constexpr int DefaultRaggioEtichetta = 10;
constexpr int DefaultDimBordo = 1;
constexpr int DefaultStyle = Glowtag::Round_Concentric;
constexpr int DefaultTimerColore = 0;

// Border colour sets (outer top/left, inner top/left, inner bottom/right, outer bottom/right).
constexpr int RaisedSet[4] = {0x00FFFFFF, 0x00C0C0C0, 0x00808080, 0x00000000};
constexpr int SunkenSet[4] = {0x00C0C0C0, 0x00000000, 0x00FFFFFF, 0x00C0C0C0};

bool hasSquareBorder(int style) {
    return style == Glowtag::Rect_Raised_Shaded || style == Glowtag::Rect_Embedded_Shaded ||
           style == Glowtag::Rect_Raised_Concentric || style == Glowtag::Rect_Embedded_Concentric;
}

bool isGradientStyle(int style) {
    return style >= 1 && style <= 6;
}

int absoluteOrThrow(int value, const char *property) {
    if (value == INT_MIN)
        throw std::overflow_error(std::string(property) +
                                  ": -2147483648 has no absolute value (overflow)");
    return std::abs(value);
}

int readInt(GlowtagPropertyBag &bag, const char *key, int defaultValue) {
    const QVariant value = bag.read(QString::fromLatin1(key), defaultValue);
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < INT_MIN || number > qlonglong(UINT_MAX))
        throw std::runtime_error(std::string("The saved label property \"") + key +
                                 "\" is not a 32-bit number: " + value.toString().toStdString());
    // Colours may come back as their unsigned spelling.
    return int(std::uint32_t(number));
}

} // namespace

struct Glowtag::Private {
    QString caption;
    int coloreCaption = 0;
    int coloreSfondo = 0;
    int coloreEtichetta = 0;
    qint16 dimBordo = 0;
    int coloreBordo = 0;
    int colorBegin = 0;
    int colorEnd = 0;
    int timerColore = 0;
    qint16 raggioEtichetta = 0;
    EnStyleEtichetta style = Round_Flat;
    int animationOffset = 0;
    int animationDirection = 0;
    bool savingProperties = false;

    QLabel *label = nullptr;
    QTimer *timer = nullptr;
    std::unique_ptr<GlowtagImageSurface> imageSurface;
    GlowtagSurface *surface = nullptr;
    QColor penColour = Qt::black;
    int penWidth = 1;
    QColor backColour;
    QColor captionColour;
    // What the host supplied; also the defaults that saving leaves out.
    QFont ambientFont;
    bool ambientFontKnown = false;
    QString displayName;

    // Pen changes are passed on whole so that any surface sees colour and width together.
    void setPenColour(const QColor &colour) {
        penColour = colour;
        surface->setPen(penColour, penWidth);
    }
    // A hidden widget learns its new size before any resize event; draw at the new size anyway.
    void fitImage(const QSize &size) { imageSurface->resize(size, backColour); }
    void setPenWidth(int width) {
        penWidth = width;
        surface->setPen(penColour, penWidth);
    }
};

namespace {

// Keeps SavingProperties true exactly as long as a save runs, also when a write throws.
class SavingScope {
public:
    explicit SavingScope(bool &flag) : flag_(flag) { flag_ = true; }
    ~SavingScope() { flag_ = false; }
    SavingScope(const SavingScope &) = delete;
    SavingScope &operator=(const SavingScope &) = delete;

private:
    bool &flag_;
};

} // namespace

Glowtag::Glowtag(QWidget *parent) : QWidget(parent), d(std::make_unique<Private>()) {
    d->imageSurface = std::make_unique<GlowtagImageSurface>([this] { update(); });
    d->surface = d->imageSurface.get();
    d->backColour = palette().color(QPalette::Button);
    d->imageSurface->resize(size(), d->backColour);

    d->label = new QLabel(this);
    d->label->setObjectName(QStringLiteral("CaptionLabel"));
    d->label->setAutoFillBackground(false);
    d->label->setAttribute(Qt::WA_TranslucentBackground);
    d->label->installEventFilter(this);

    d->timer = new QTimer(this);
    d->timer->setObjectName(QStringLiteral("Timer1"));
    d->timer->setInterval(0);
    connect(d->timer, &QTimer::timeout, this, [this] {
        VisualizzaEtichetta();
        d->animationOffset += d->animationDirection;
    });

    VisualizzaEtichetta();
}

Glowtag::~Glowtag() {
    // The children outlive the private data; nothing of theirs may reach it any more.
    d->label->removeEventFilter(this);
    d->timer->stop();
}

// --- properties ---

Glowtag::EnStyleEtichetta Glowtag::Style() const {
    return d->style;
}

void Glowtag::setStyle(EnStyleEtichetta style) {
    d->style = style;
    d->animationOffset = 0;
    emit propertyChanged(QStringLiteral("Style"));
    d->surface->clear(d->backColour);
    VisualizzaEtichetta();
}

int Glowtag::ColorEnd() const {
    return d->colorEnd;
}

void Glowtag::setColorEnd(int colour) {
    d->colorEnd = colour;
    emit propertyChanged(QStringLiteral("ColorEnd"));
    VisualizzaEtichetta();
}

int Glowtag::ColorBegin() const {
    return d->colorBegin;
}

void Glowtag::setColorBegin(int colour) {
    d->colorBegin = colour;
    emit propertyChanged(QStringLiteral("ColorBegin"));
    VisualizzaEtichetta();
}

int Glowtag::ColoreBordo() const {
    return d->coloreBordo;
}

void Glowtag::setColoreBordo(int colour) {
    d->coloreBordo = colour;
    emit propertyChanged(QStringLiteral("ColoreBordo"));
    VisualizzaEtichetta();
}

int Glowtag::DimBordo() const {
    return d->dimBordo;
}

void Glowtag::setDimBordo(int width) {
    if (width < SHRT_MIN || width > SHRT_MAX)
        throw std::overflow_error("DimBordo: " + std::to_string(width) +
                                  " does not fit in 16 bits (overflow)");
    d->dimBordo = qint16(MaxOf(width, 1));
    emit propertyChanged(QStringLiteral("DimBordo"));
    VisualizzaEtichetta();
}

int Glowtag::ColoreEtichetta() const {
    return d->coloreEtichetta;
}

void Glowtag::setColoreEtichetta(int colour) {
    d->coloreEtichetta = colour;
    emit propertyChanged(QStringLiteral("ColoreEtichetta"));
    d->surface->clear(d->backColour);
    VisualizzaEtichetta();
}

int Glowtag::ColoreSfondo() const {
    return d->coloreSfondo;
}

void Glowtag::setColoreSfondo(int colour) {
    d->coloreSfondo = colour;
    emit propertyChanged(QStringLiteral("ColoreSfondo"));
    d->surface->clear(d->backColour);
    VisualizzaEtichetta();
}

int Glowtag::ColoreCaption() const {
    return d->coloreCaption;
}

void Glowtag::setColoreCaption(int colour) {
    d->coloreCaption = colour;
    emit propertyChanged(QStringLiteral("ColoreCaption"));
    d->surface->clear(d->backColour);
    VisualizzaEtichetta();
}

QString Glowtag::Caption() const {
    return d->caption;
}

void Glowtag::setCaption(const QString &caption) {
    d->caption = caption;
    emit propertyChanged(QStringLiteral("Caption"));
    VisualizzaCaption();
}

int Glowtag::RaggioEtichetta() const {
    return d->raggioEtichetta;
}

void Glowtag::setRaggioEtichetta(int radius) {
    const int magnitude = absoluteOrThrow(radius, "RaggioEtichetta");
    if (magnitude > SHRT_MAX)
        throw std::overflow_error("RaggioEtichetta: " + std::to_string(radius) +
                                  " does not fit in 16 bits (overflow)");
    d->raggioEtichetta = qint16(magnitude);
    emit propertyChanged(QStringLiteral("RaggioEtichetta"));
    d->surface->clear(d->backColour);
    VisualizzaEtichetta();
}

int Glowtag::TimerColore() const {
    return d->timerColore;
}

void Glowtag::setTimerColore(int milliseconds) {
    d->timerColore = absoluteOrThrow(milliseconds, "TimerColore");
    emit propertyChanged(QStringLiteral("TimerColore"));
    d->animationDirection = 1;
    if (d->timerColore != 0) {
        if (!isGradientStyle(d->style)) {
            d->style = Round_Shaded;
            setStyle(Round_Shaded);
        }
        d->timer->setInterval(d->timerColore);
        d->timer->start();
    } else {
        d->timer->setInterval(0);
        d->timer->stop();
        d->animationOffset = 0;
        d->timerColore = 0;
        VisualizzaEtichetta();
    }
}

QFont Glowtag::Font() const {
    return font();
}

void Glowtag::setFont_(const QFont &font) {
    d->label->setFont(font);
    setFont(font);
    emit propertyChanged(QStringLiteral("Font"));
    VisualizzaEtichetta();
}

int Glowtag::AnimationOffset() const {
    return d->animationOffset;
}
int Glowtag::AnimationDirection() const {
    return d->animationDirection;
}
bool Glowtag::SavingProperties() const {
    return d->savingProperties;
}
int Glowtag::penWidth() const {
    return d->penWidth;
}

// --- painting ---

void Glowtag::VisualizzaEtichetta() {
    d->fitImage(size());
    const int corner = d->raggioEtichetta;
    if (!isGradientStyle(d->style)) {
        d->timer->stop();
        d->timer->setInterval(0);
        d->animationOffset = 0;
        d->timerColore = 0;
    }
    if (!d->timer->isActive()) {
        // Setting the background fills the surface, so erasing first would not show.
        d->backColour = glowtag::resolveColour(d->coloreSfondo, palette());
        d->surface->clear(d->backColour);
    }
    switch (d->style) {
    case Round_Flat: {
        d->dimBordo = MaxOf<qint16>(d->dimBordo, 1);
        DisegnaColoreEtichetta(corner, corner, d->dimBordo);
        d->setPenColour(glowtag::resolveColour(d->coloreBordo, palette()));
        d->setPenWidth(d->dimBordo);
        d->surface->roundRect(0, 0, nearest(width()), nearest(height()), corner, corner);
        d->setPenWidth(1);
        d->surface->refresh();
        break;
    }
    case Round_Shaded:
        GradLineareOrizzontale(corner, corner, true);
        break;
    case Rect_Raised_Shaded:
        GradLineareOrizzontale(corner, corner, false);
        DisegnaBordoQuadrato(RaisedSet[0], RaisedSet[1], RaisedSet[2], RaisedSet[3]);
        break;
    case Rect_Embedded_Shaded:
        GradLineareOrizzontale(corner, corner, false);
        DisegnaBordoQuadrato(SunkenSet[0], SunkenSet[1], SunkenSet[2], SunkenSet[3]);
        break;
    case Round_Concentric:
        GradConcentrica(corner, corner, true);
        break;
    case Rect_Raised_Concentric:
        GradConcentrica(corner, corner, false);
        DisegnaBordoQuadrato(RaisedSet[0], RaisedSet[1], RaisedSet[2], RaisedSet[3]);
        break;
    case Rect_Embedded_Concentric:
        GradConcentrica(corner, corner, false);
        DisegnaBordoQuadrato(SunkenSet[0], SunkenSet[1], SunkenSet[2], SunkenSet[3]);
        break;
    case Rect_Raised:
        d->dimBordo = MaxOf<qint16>(d->dimBordo, 1);
        DisegnaColoreEtichetta(corner, corner, d->dimBordo);
        DisegnaBordoQuadrato(RaisedSet[0], RaisedSet[1], RaisedSet[2], RaisedSet[3]);
        break;
    case Rect_Embedded:
        d->dimBordo = MaxOf<qint16>(d->dimBordo, 1);
        DisegnaColoreEtichetta(corner, corner, d->dimBordo);
        DisegnaBordoQuadrato(SunkenSet[0], SunkenSet[1], SunkenSet[2], SunkenSet[3]);
        break;
    default:
        break;
    }
    VisualizzaCaption();
    // Painters that end without a refresh (square borders, turning ticks) still get shown.
    update();
}

void Glowtag::VisualizzaCaption() {
    QLabel *label = d->label;
    if (label->text() != d->caption)
        label->setText(d->caption);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(false);
    label->adjustSize();
    const float w = float(width());
    const float h = float(height());
    const int top = nearest(double(h) / 2.0 - label->height() / 2.0);
    const int left = nearest(double(w) / 2.0 - label->width() / 2.0);
    if (label->pos() != QPoint(left, top))
        label->move(left, top);
    const QColor colour = glowtag::resolveColour(d->coloreCaption, palette());
    if (colour != d->captionColour || !d->captionColour.isValid()) {
        d->captionColour = colour;
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, colour);
        label->setPalette(pal);
    }
}

void Glowtag::GradConcentrica(int Rx, int Ry, bool Bordo) {
    d->fitImage(size());
    const glowtag::Channels begin = glowtag::splitColour(d->colorBegin);
    const glowtag::Channels end = glowtag::splitColour(d->colorEnd);
    double r = begin.red, g = begin.green, b = begin.blue;
    const double depth = float(height());
    const int rings = nearest(MinOf(float(width()), float(height())) / 2.0);
    const qint64 offset = d->animationOffset;
    if (std::llabs(offset) + 1 >= rings) {
        d->animationDirection = -d->animationDirection;
        return;
    }
    const bool square = hasSquareBorder(d->style);
    for (qint64 i = offset; i <= rings; ++i) {
        r += (end.red - begin.red) / depth;
        g += (end.green - begin.green) / depth;
        b += (end.blue - begin.blue) / depth;
        d->setPenColour(glowtag::colourFromChannels(r, g, b));
        d->setPenWidth(2);
        const float w = float(width());
        const float h = float(height());
        if (square) {
            d->surface->roundRect(int(i), int(i), nearest(w - i), nearest(h - i), Rx, Ry);
        } else if (std::llabs(i) >= 1) {
            const qint64 a = std::llabs(i);
            d->surface->roundRect(int(a), int(a), nearest(w - a), nearest(h - a), Rx, Ry);
        }
    }
    if (Bordo) {
        d->setPenColour(glowtag::resolveColour(d->coloreBordo, palette()));
        d->dimBordo = MaxOf<qint16>(d->dimBordo, 1);
        d->setPenWidth(d->dimBordo);
        d->surface->roundRect(0, 0, nearest(width()), nearest(height()), Rx, Ry);
    }
    d->surface->refresh();
}

void Glowtag::GradLineareOrizzontale(int Rx1, int Ry1, bool Bordo) {
    d->fitImage(size());
    const int radius = nearest(Rx1 / 2.0);
    const glowtag::Channels begin = glowtag::splitColour(d->colorBegin);
    const glowtag::Channels end = glowtag::splitColour(d->colorEnd);
    double r = begin.red, g = begin.green, b = begin.blue;
    const double depth = float(height());
    d->setPenWidth(2);
    const int last = nearest(float(height()) - 2.0f);
    const qint64 offset = d->animationOffset;
    if (std::llabs(offset) >= last || offset < 0) {
        d->animationDirection = -d->animationDirection;
        return;
    }
    const float margin = hasSquareBorder(d->style) ? 0.0f : 2.0f;
    const double r2 = double(radius) * radius;
    for (qint64 i = offset; i <= last; ++i) {
        r += (end.red - begin.red) / depth;
        g += (end.green - begin.green) / depth;
        b += (end.blue - begin.blue) / depth;
        d->setPenColour(glowtag::colourFromChannels(r, g, b));
        const double row = double(std::llabs(i));
        float inset = 1.0f;
        if (row <= radius) {
            const double dy = radius - row;
            inset = float(radius) - float(std::sqrt(MaxOf(r2 - dy * dy, 0.0))) + margin;
        } else {
            const float h = float(height());
            if (row > double(h) - radius) {
                const double dy = (double(h) - radius) - row;
                inset = float(radius) - float(std::sqrt(MaxOf(r2 - dy * dy, 0.0))) + margin;
            }
        }
        const float w = float(width());
        d->surface->line(inset, float(i), w - inset, float(i));
    }
    if (Bordo) {
        d->setPenColour(glowtag::resolveColour(d->coloreBordo, palette()));
        d->dimBordo = MaxOf<qint16>(d->dimBordo, 1);
        d->setPenWidth(d->dimBordo);
        d->surface->roundRect(0, 0, nearest(width()), nearest(height()), Rx1, Ry1);
    }
    d->surface->refresh();
}

void Glowtag::DisegnaColoreEtichetta(int Rx, int Ry, qint16 Bordo) {
    d->fitImage(size());
    Q_UNUSED(Bordo)
    d->setPenWidth(10);
    d->setPenColour(glowtag::resolveColour(d->coloreEtichetta, palette()));
    const int step = d->penWidth / 2;
    for (double i = d->penWidth / 2 - 1; i <= float(height()) / 2.0; i += step) {
        const float w = float(width());
        const float h = float(height());
        d->surface->roundRect(nearest(i), nearest(i), nearest(w - i), nearest(h - i), Rx, Ry);
    }
}

void Glowtag::DisegnaBordoQuadrato(int Colore1, int Colore2, int Colore3, int Colore4) {
    d->fitImage(size());
    const int remembered = d->penWidth;
    d->setPenWidth(d->dimBordo);
    // Wider than the 16-bit member so that the largest border width still draws.
    const double k = d->dimBordo;
    auto draw = [this](int colour, double x1, double y1, double x2, double y2) {
        d->setPenColour(glowtag::resolveColour(colour, palette()));
        d->surface->line(float(x1), float(y1), float(x2), float(y2));
    };
    auto W = [this] { return double(float(width())); };
    auto H = [this] { return double(float(height())); };
    draw(Colore1, 0, 0, 0, H());
    draw(Colore2, k, 1, k, H() - 1);
    draw(Colore1, 0, 0, W(), 0);
    draw(Colore2, k + 1, k, W() - 1, k);
    draw(Colore4, W() - 1, k / 2, W() - 1, H());
    draw(Colore3, W() - 1 - k, k + k / 2, W() - 1 - k, H() - 1);
    draw(Colore4, 0, H() - 1, W(), H() - 1);
    draw(Colore3, k, H() - 1 - k, W() - 1 - k, H() - 1 - k);
    d->setPenWidth(remembered);
}

// --- persistence ---

void Glowtag::initNewInstance(const QFont &ambientFont, const QString &displayName) {
    d->ambientFont = ambientFont;
    d->ambientFontKnown = true;
    d->displayName = displayName;
    setFont_(ambientFont);
    setCaption(displayName);
    d->colorBegin = DefaultColorBegin;
    d->colorEnd = DefaultColorEnd;
    d->coloreBordo = DefaultColoreBordo;
    d->caption = QStringLiteral("Caption Etichetta");
    d->coloreCaption = DefaultColoreCaption;
    d->coloreSfondo = DefaultColoreSfondo;
    d->coloreEtichetta = DefaultColoreEtichetta;
    d->raggioEtichetta = DefaultRaggioEtichetta;
    d->dimBordo = DefaultDimBordo;
    d->style = EnStyleEtichetta(DefaultStyle);
    d->timerColore = DefaultTimerColore;
}

void Glowtag::readProperties(GlowtagPropertyBag &bag, const QFont &ambientFont,
                             const QString &displayName) {
    d->ambientFont = ambientFont;
    d->ambientFontKnown = true;
    d->displayName = displayName;
    const QVariant font = bag.read(QStringLiteral("Font"), ambientFont);
    if (!font.canConvert<QFont>())
        throw std::runtime_error("The saved label property \"Font\" is not a font: " +
                                 font.toString().toStdString());
    setFont_(font.value<QFont>());
    setCaption(bag.read(QStringLiteral("Caption"), displayName).toString());
    d->coloreCaption = readInt(bag, "ColoreCaption", DefaultColoreCaption);
    d->coloreSfondo = readInt(bag, "ColoreSfondo", DefaultColoreSfondo);
    d->coloreEtichetta = readInt(bag, "ColoreEtichetta", DefaultColoreEtichetta);
    setColorBegin(readInt(bag, "ColorBegin", DefaultColorBegin));
    setColorEnd(readInt(bag, "ColorEnd", DefaultColorEnd));
    setColoreBordo(readInt(bag, "ColoreBordo", DefaultColoreBordo));
    setRaggioEtichetta(readInt(bag, "RaggioEtichetta", DefaultRaggioEtichetta));
    setDimBordo(readInt(bag, "DimBordo", DefaultDimBordo));
    setStyle(EnStyleEtichetta(readInt(bag, "Style", DefaultStyle)));
    setTimerColore(readInt(bag, "TimerColore", DefaultTimerColore));
}

void Glowtag::writeProperties(GlowtagPropertyBag &bag) {
    SavingScope saving(d->savingProperties);
    const QFont ambient = d->ambientFontKnown ? d->ambientFont : QApplication::font();
    bag.write(QStringLiteral("Caption"), d->caption, d->displayName);
    bag.write(QStringLiteral("ColoreCaption"), d->coloreCaption, DefaultColoreCaption);
    bag.write(QStringLiteral("ColoreSfondo"), d->coloreSfondo, DefaultColoreSfondo);
    bag.write(QStringLiteral("ColoreEtichetta"), d->coloreEtichetta, DefaultColoreEtichetta);
    bag.write(QStringLiteral("Font"), font(), ambient);
    bag.write(QStringLiteral("ColorBegin"), d->colorBegin, DefaultColorBegin);
    bag.write(QStringLiteral("ColorEnd"), d->colorEnd, DefaultColorEnd);
    bag.write(QStringLiteral("ColoreBordo"), d->coloreBordo, DefaultColoreBordo);
    bag.write(QStringLiteral("RaggioEtichetta"), int(d->raggioEtichetta), DefaultRaggioEtichetta);
    bag.write(QStringLiteral("DimBordo"), int(d->dimBordo), DefaultDimBordo);
    bag.write(QStringLiteral("Style"), int(d->style), DefaultStyle);
    bag.write(QStringLiteral("TimerColore"), d->timerColore, DefaultTimerColore);
}

// --- surface, events ---

const QImage &Glowtag::image() const {
    return d->imageSurface->image();
}

void Glowtag::setSurface(GlowtagSurface *surface) {
    d->surface = surface ? surface : d->imageSurface.get();
}

QLabel *Glowtag::captionLabel() const {
    return d->label;
}

void Glowtag::paintEvent(QPaintEvent *event) {
    Q_UNUSED(event)
    const QImage &picture = d->imageSurface->image();
    QPainter painter(this);
    painter.drawImage(0, 0, picture);
}

void Glowtag::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    d->imageSurface->resize(size(), d->backColour);
    if (!d->savingProperties)
        VisualizzaEtichetta();
}

void Glowtag::mousePressEvent(QMouseEvent *event) {
    // Accepting the press makes the matching release come here.
    event->accept();
}

void Glowtag::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
    event->accept();
}

bool Glowtag::eventFilter(QObject *watched, QEvent *event) {
    if (!d || watched != d->label)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton &&
            d->label->rect().contains(mouse->position().toPoint()))
            emit Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
