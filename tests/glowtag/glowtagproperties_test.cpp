#include "Glowtag.h"
#include "glowtagidentity.h"
#include "recordingsurface.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <climits>
#include <cmath>
#include <stdexcept>

// Property setters: what each one stores, announces, clears and repaints.
class GlowtagPropertiesTest : public QObject {
    Q_OBJECT

private slots:
    void freshInstanceIsStillAndFloorsTheBorder();
    void newInstanceDefaults();
    void setterSideEffects_data();
    void setterSideEffects();
    void captionRefreshesOnlyTheLabel();
    void styleRestartsTheAnimation();
    void dimBordoNeverBelowOne_data();
    void dimBordoNeverBelowOne();
    void absoluteValues();
    void overflowKeepsTheOldValue_data();
    void overflowKeepsTheOldValue();
    void propertiesSetByNameWithPlainIntegers();
    void clickOnCaptionOrBesideRaisesOnce();
    void identityConstants();
};

namespace {

QStringList names(const QSignalSpy &spy) {
    QStringList out;
    for (const QList<QVariant> &args : spy)
        out << args.at(0).toString();
    return out;
}

void makeStill(Glowtag &tag) {
    tag.resize(120, 40);
    tag.initNewInstance(QFont(), QStringLiteral("Glowtag1"));
    tag.VisualizzaEtichetta();
}

} // namespace

void GlowtagPropertiesTest::freshInstanceIsStillAndFloorsTheBorder() {
    Glowtag tag;
    QCOMPARE(int(tag.Style()), 0);
    QCOMPARE(tag.DimBordo(), 1); // the creation repaint of Round_Flat raises it
    QCOMPARE(tag.TimerColore(), 0);
    QCOMPARE(tag.AnimationOffset(), 0);
    QCOMPARE(tag.AnimationDirection(), 0);
    QCOMPARE(tag.penWidth(), 1);
    auto *timer = tag.findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    QVERIFY(!timer->isActive());
    QCOMPARE(timer->interval(), 0);
    QVERIFY(tag.findChild<QLabel *>(QStringLiteral("CaptionLabel")) == tag.captionLabel());
}

void GlowtagPropertiesTest::newInstanceDefaults() {
    Glowtag tag;
    QSignalSpy spy(&tag, &Glowtag::propertyChanged);
    QFont ambient(QStringLiteral("Sans"), 13);
    tag.initNewInstance(ambient, QStringLiteral("Glowtag7"));
    QCOMPARE(names(spy), (QStringList{"Font", "Caption"}));
    QCOMPARE(tag.Font().pointSize(), 13);
    QCOMPARE(tag.captionLabel()->font().pointSize(), 13);
    QCOMPARE(tag.captionLabel()->text(), QStringLiteral("Glowtag7"));
    QCOMPARE(tag.Caption(), QStringLiteral("Caption Etichetta"));
    QCOMPARE(int(tag.Style()), 4);
    QCOMPARE(tag.RaggioEtichetta(), 10);
    QCOMPARE(tag.DimBordo(), 1);
    QCOMPARE(tag.ColorBegin(), 0x00C0C0C0);
    QCOMPARE(tag.ColorEnd(), 0x00FFFFFF);
    QCOMPARE(tag.ColoreBordo(), 0x00808080);
    QCOMPARE(unsigned(tag.ColoreSfondo()), 0x8000000Fu);
    QCOMPARE(unsigned(tag.ColoreEtichetta()), 0x8000000Fu);
    QCOMPARE(unsigned(tag.ColoreCaption()), 0x80000012u);
    QCOMPARE(tag.TimerColore(), 0);
    tag.VisualizzaEtichetta();
    QCOMPARE(tag.captionLabel()->text(), QStringLiteral("Caption Etichetta"));
    QCOMPARE(tag.captionLabel()->palette().color(QPalette::WindowText),
             tag.palette().color(QPalette::ButtonText));
}

void GlowtagPropertiesTest::setterSideEffects_data() {
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("clearsWhenStill");    // own clear + the repaint's
    QTest::addColumn<int>("clearsWhenBlinking"); // own clear only
    QTest::addColumn<bool>("resetsOffset");

    QTest::newRow("Style") << "Style" << QVariant(5) << 2 << 1 << true;
    QTest::newRow("ColorEnd") << "ColorEnd" << QVariant(0x00112233) << 1 << 0 << false;
    QTest::newRow("ColorBegin") << "ColorBegin" << QVariant(0x00112233) << 1 << 0 << false;
    QTest::newRow("ColoreBordo") << "ColoreBordo" << QVariant(0x000000FF) << 1 << 0 << false;
    QTest::newRow("DimBordo") << "DimBordo" << QVariant(3) << 1 << 0 << false;
    QTest::newRow("ColoreEtichetta") << "ColoreEtichetta" << QVariant(0xFF) << 2 << 1 << false;
    QTest::newRow("ColoreSfondo") << "ColoreSfondo" << QVariant(0xFF00) << 2 << 1 << false;
    QTest::newRow("ColoreCaption") << "ColoreCaption" << QVariant(0xFF0000) << 2 << 1 << false;
    QTest::newRow("RaggioEtichetta") << "RaggioEtichetta" << QVariant(4) << 2 << 1 << false;
    QTest::newRow("Font") << "Font" << QVariant(QFont(QStringLiteral("Serif"), 9)) << 1 << 0
                          << false;
}

void GlowtagPropertiesTest::setterSideEffects() {
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    QFETCH(int, clearsWhenStill);
    QFETCH(int, clearsWhenBlinking);
    QFETCH(bool, resetsOffset);

    for (bool blinking : {false, true}) {
        Glowtag tag;
        makeStill(tag);
        RecordingSurface surface;
        if (blinking) {
            tag.setTimerColore(100);
            auto *timer = tag.findChild<QTimer *>(QStringLiteral("Timer1"));
            QMetaObject::invokeMethod(timer, "timeout");
            QMetaObject::invokeMethod(timer, "timeout");
            QCOMPARE(tag.AnimationOffset(), 2);
        }
        tag.setSurface(&surface);
        QSignalSpy spy(&tag, &Glowtag::propertyChanged);
        QVERIFY(tag.setProperty(property.toLatin1().constData(), value));
        QCOMPARE(names(spy), QStringList{property});
        QCOMPARE(surface.count("clear"), blinking ? clearsWhenBlinking : clearsWhenStill);
        QVERIFY2(surface.count("rr") + surface.count("line") > 0, "the label was not repainted");
        if (blinking)
            QCOMPARE(tag.AnimationOffset(), resetsOffset ? 0 : 2);
        tag.setSurface(nullptr);
    }
}

void GlowtagPropertiesTest::captionRefreshesOnlyTheLabel() {
    Glowtag tag;
    makeStill(tag);
    RecordingSurface surface;
    tag.setSurface(&surface);
    QSignalSpy spy(&tag, &Glowtag::propertyChanged);
    tag.setCaption(QStringLiteral("A rather longer caption"));
    QCOMPARE(names(spy), QStringList{"Caption"});
    QVERIFY(surface.calls.isEmpty());
    QLabel *label = tag.captionLabel();
    QCOMPARE(label->text(), QStringLiteral("A rather longer caption"));
    QCOMPARE(label->size(), label->sizeHint());
    // Centred on the control, halves rounded.
    QCOMPARE(label->x(), int(std::nearbyint(120 / 2.0 - label->width() / 2.0)));
    QCOMPARE(label->y(), int(std::nearbyint(40 / 2.0 - label->height() / 2.0)));
    QVERIFY(label->alignment() & Qt::AlignHCenter);
}

void GlowtagPropertiesTest::styleRestartsTheAnimation() {
    Glowtag tag;
    makeStill(tag);
    tag.setTimerColore(60);
    auto *timer = tag.findChild<QTimer *>(QStringLiteral("Timer1"));
    for (int i = 0; i < 3; ++i)
        QMetaObject::invokeMethod(timer, "timeout");
    QCOMPARE(tag.AnimationOffset(), 3);
    tag.setStyle(Glowtag::Rect_Raised_Shaded);
    QCOMPARE(tag.AnimationOffset(), 0);
    QVERIFY(timer->isActive());
    QCOMPARE(tag.TimerColore(), 60);
}

void GlowtagPropertiesTest::dimBordoNeverBelowOne_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stored");
    QTest::newRow("zero") << 0 << 1;
    QTest::newRow("negative") << -7 << 1;
    QTest::newRow("most negative 16-bit") << -32768 << 1;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("largest") << 32767 << 32767;
}

void GlowtagPropertiesTest::dimBordoNeverBelowOne() {
    QFETCH(int, value);
    QFETCH(int, stored);
    Glowtag tag;
    tag.resize(60, 30);
    for (int style = 0; style <= 8; ++style) {
        tag.setStyle(Glowtag::EnStyleEtichetta(style));
        tag.setDimBordo(value);
        QCOMPARE(tag.DimBordo(), stored);
    }
}

void GlowtagPropertiesTest::absoluteValues() {
    Glowtag tag;
    makeStill(tag);
    tag.setRaggioEtichetta(-25);
    QCOMPARE(tag.RaggioEtichetta(), 25);
    tag.setRaggioEtichetta(-32767);
    QCOMPARE(tag.RaggioEtichetta(), 32767);
    tag.setTimerColore(-300);
    QCOMPARE(tag.TimerColore(), 300);
    auto *timer = tag.findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 300);
    tag.setTimerColore(INT_MAX);
    QCOMPARE(timer->interval(), INT_MAX);
}

void GlowtagPropertiesTest::overflowKeepsTheOldValue_data() {
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("value");
    QTest::newRow("radius above 16 bits") << "RaggioEtichetta" << 40000;
    QTest::newRow("radius 32768") << "RaggioEtichetta" << 32768;
    QTest::newRow("radius below -32767") << "RaggioEtichetta" << -32768;
    QTest::newRow("radius most negative") << "RaggioEtichetta" << INT_MIN;
    QTest::newRow("interval most negative") << "TimerColore" << INT_MIN;
    QTest::newRow("border above 16 bits") << "DimBordo" << 32768;
}

void GlowtagPropertiesTest::overflowKeepsTheOldValue() {
    QFETCH(QString, property);
    QFETCH(int, value);
    Glowtag tag;
    makeStill(tag);
    tag.setRaggioEtichetta(12);
    tag.setTimerColore(0);
    tag.setDimBordo(2);
    const QByteArray name = property.toLatin1();
    const QVariant before = tag.property(name.constData());
    QSignalSpy spy(&tag, &Glowtag::propertyChanged);
    bool threw = false;
    try {
        if (property == "RaggioEtichetta")
            tag.setRaggioEtichetta(value);
        else if (property == "TimerColore")
            tag.setTimerColore(value);
        else
            tag.setDimBordo(value);
    } catch (const std::overflow_error &e) {
        threw = true;
        QVERIFY(QString::fromStdString(e.what()).contains(property));
    }
    QVERIFY(threw);
    QCOMPARE(tag.property(name.constData()), before);
    QCOMPARE(spy.count(), 0);
}

void GlowtagPropertiesTest::propertiesSetByNameWithPlainIntegers() {
    Glowtag tag;
    makeStill(tag);
    QVERIFY(tag.setProperty("Style", 7));
    QCOMPARE(tag.Style(), Glowtag::Rect_Raised);
    QCOMPARE(tag.property("Style").toInt(), 7);
    QVERIFY(tag.setProperty("Style", 42)); // stored, draws no shape
    QCOMPARE(int(tag.Style()), 42);
    QVERIFY(tag.setProperty("ColoreSfondo", int(0x8000000Fu)));
    QCOMPARE(unsigned(tag.ColoreSfondo()), 0x8000000Fu);
    QVERIFY(tag.setProperty("ColorBegin", 0x00123456));
    QCOMPARE(tag.ColorBegin(), 0x00123456);
    QVERIFY(tag.setProperty("Caption", QStringLiteral("by name")));
    QCOMPARE(tag.captionLabel()->text(), QStringLiteral("by name"));
    QVERIFY(tag.setProperty("TimerColore", 40));
    QCOMPARE(int(tag.Style()), 1); // forced into a gradient style to blink
}

void GlowtagPropertiesTest::clickOnCaptionOrBesideRaisesOnce() {
    QWidget window;
    window.resize(300, 100);
    auto *tag = new Glowtag(&window);
    tag->setGeometry(10, 10, 200, 60);
    tag->initNewInstance(QFont(), QStringLiteral("Glowtag1"));
    tag->setCaption(QStringLiteral("Click me"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicks(tag, &Glowtag::Click);

    QLabel *label = tag->captionLabel();
    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    QCOMPARE(clicks.count(), 1);
    QTest::mouseClick(tag, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(clicks.count(), 2);
    QTest::mouseClick(tag, Qt::RightButton, {}, QPoint(3, 3));
    QCOMPARE(clicks.count(), 2);
}

void GlowtagPropertiesTest::identityConstants() {
    QCOMPARE(QString::fromLatin1(GlowtagIdentity::ProgrammaticId),
             QStringLiteral("Pro_Glowtag.Glowtag"));
    QCOMPARE(QString::fromLatin1(Glowtag::staticMetaObject.className()),
             QString::fromLatin1(GlowtagIdentity::ClassName));
    QCOMPARE(QString::fromLatin1(QMetaEnum::fromType<Glowtag::EnStyleEtichetta>().name()),
             QString::fromLatin1(GlowtagIdentity::StyleEnumName));
}

QTEST_MAIN(GlowtagPropertiesTest)
#include "glowtagproperties_test.moc"
