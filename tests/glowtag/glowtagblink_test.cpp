#include "Glowtag.h"
#include "recordingsurface.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

// The blink: offsets tick by tick, the turning ticks, and what starts and stops it.
class GlowtagBlinkTest : public QObject {
    Q_OBJECT

private slots:
    void concentricOffsetsTurnAtBothEnds();
    void rowOffsetsTurnAtBottomAndTop();
    void startingOnAFlatStyleSwitchesToRows();
    void startingOnAGradientStyleWaitsForTheFirstTick();
    void squareStyleRestartsAtZeroAndKeepsBlinking();
    void flatStyleStopsTheBlink();
    void zeroIntervalRepaintsTheStillPicture();
    void realTimerAdvancesTheOffset();
};

namespace {

QTimer *timerOf(Glowtag &tag) {
    return tag.findChild<QTimer *>(QStringLiteral("Timer1"));
}

struct Tick {
    int offset;
    bool drew; // gradient drawn, or a turning tick
};

// Runs the tick n times, noting the offset each tick painted at and whether it drew a gradient.
QList<Tick> runTicks(Glowtag &tag, int n, RecordingSurface &surface) {
    QList<Tick> out;
    for (int k = 0; k < n; ++k) {
        surface.calls.clear();
        const int offset = tag.AnimationOffset();
        QMetaObject::invokeMethod(timerOf(tag), "timeout");
        const bool drew = surface.count("refresh") > 0;
        out.append({offset, drew});
    }
    return out;
}

QString describe(const QList<Tick> &ticks) {
    QStringList parts;
    for (const Tick &t : ticks)
        parts << QString::number(t.offset) + (t.drew ? "" : "T");
    return parts.join(' ');
}

void prepare(Glowtag &tag, int w, int h, Glowtag::EnStyleEtichetta style) {
    tag.resize(w, h);
    tag.initNewInstance(QFont(), QStringLiteral("Glowtag1"));
    tag.setStyle(style);
}

QStringList names(const QSignalSpy &spy) {
    QStringList out;
    for (const QList<QVariant> &args : spy)
        out << args.at(0).toString();
    return out;
}

} // namespace

void GlowtagBlinkTest::concentricOffsetsTurnAtBothEnds() {
    Glowtag tag;
    prepare(tag, 20, 10, Glowtag::Rect_Raised_Concentric); // N = 5
    tag.setTimerColore(50);
    RecordingSurface surface;
    tag.setSurface(&surface);
    const QList<Tick> ticks = runTicks(tag, 20, surface);
    QCOMPARE(describe(ticks), QStringLiteral("0 1 2 3 4T 3 2 1 0 -1 -2 -3 -4T -3 -2 -1 0 1 2 3"));

    // A turning tick still draws the square border, but no ring and never clears.
    surface.calls.clear();
    while (tag.AnimationOffset() != 4)
        QMetaObject::invokeMethod(timerOf(tag), "timeout");
    surface.calls.clear();
    QMetaObject::invokeMethod(timerOf(tag), "timeout");
    QCOMPARE(surface.count("line"), 8);
    QCOMPARE(surface.count("rr"), 0);
    QCOMPARE(surface.count("clear"), 0);
}

void GlowtagBlinkTest::rowOffsetsTurnAtBottomAndTop() {
    Glowtag tag;
    prepare(tag, 30, 10, Glowtag::Round_Shaded); // L = 8
    tag.setTimerColore(50);
    RecordingSurface surface;
    tag.setSurface(&surface);
    const QList<Tick> ticks = runTicks(tag, 22, surface);
    QCOMPARE(describe(ticks), QStringLiteral("0 1 2 3 4 5 6 7 8T 7 6 5 4 3 2 1 0 -1T 0 1 2 3"));
    // The tick starts the rows at the offset and draws over the previous picture.
    surface.calls.clear();
    QMetaObject::invokeMethod(timerOf(tag), "timeout");
    const QStringList lines = surface.only("line");
    QCOMPARE(lines.size(), 8 - 4 + 1);
    QVERIFY2(lines.first().contains(" 4 "), qPrintable(lines.first()));
    QCOMPARE(surface.count("clear"), 0);
}

void GlowtagBlinkTest::startingOnAFlatStyleSwitchesToRows() {
    Glowtag tag;
    prepare(tag, 100, 30, Glowtag::Round_Flat);
    QSignalSpy spy(&tag, &Glowtag::propertyChanged);
    tag.setTimerColore(250);
    QCOMPARE(names(spy), (QStringList{"TimerColore", "Style"}));
    QCOMPARE(tag.Style(), Glowtag::Round_Shaded);
    QVERIFY(timerOf(tag)->isActive());
    QCOMPARE(timerOf(tag)->interval(), 250);
    QCOMPARE(tag.AnimationOffset(), 0);
    QCOMPARE(tag.AnimationDirection(), 1);
}

void GlowtagBlinkTest::startingOnAGradientStyleWaitsForTheFirstTick() {
    Glowtag tag;
    prepare(tag, 100, 30, Glowtag::Rect_Raised_Concentric);
    tag.setTimerColore(40);
    QMetaObject::invokeMethod(timerOf(tag), "timeout");
    QMetaObject::invokeMethod(timerOf(tag), "timeout");
    RecordingSurface surface;
    tag.setSurface(&surface);
    QSignalSpy spy(&tag, &Glowtag::propertyChanged);
    tag.setTimerColore(250);
    QCOMPARE(names(spy), QStringList{"TimerColore"});
    QVERIFY(surface.calls.isEmpty());
    QCOMPARE(tag.Style(), Glowtag::Rect_Raised_Concentric);
    QCOMPARE(tag.AnimationOffset(), 2); // kept
    QCOMPARE(timerOf(tag)->interval(), 250);
}

void GlowtagBlinkTest::squareStyleRestartsAtZeroAndKeepsBlinking() {
    Glowtag tag;
    prepare(tag, 100, 30, Glowtag::Round_Concentric);
    tag.setTimerColore(40);
    for (int i = 0; i < 5; ++i)
        QMetaObject::invokeMethod(timerOf(tag), "timeout");
    tag.setStyle(Glowtag::Rect_Raised_Shaded);
    QCOMPARE(tag.AnimationOffset(), 0);
    QVERIFY(timerOf(tag)->isActive());
    QCOMPARE(tag.TimerColore(), 40);
}

void GlowtagBlinkTest::flatStyleStopsTheBlink() {
    Glowtag tag;
    prepare(tag, 100, 30, Glowtag::Round_Concentric);
    tag.setTimerColore(40);
    for (int i = 0; i < 3; ++i)
        QMetaObject::invokeMethod(timerOf(tag), "timeout");
    QSignalSpy spy(&tag, &Glowtag::propertyChanged);
    tag.setStyle(Glowtag::Rect_Raised);
    QCOMPARE(names(spy), QStringList{"Style"}); // the interval is reset without a notice
    QVERIFY(!timerOf(tag)->isActive());
    QCOMPARE(timerOf(tag)->interval(), 0);
    QCOMPARE(tag.TimerColore(), 0);
    QCOMPARE(tag.AnimationOffset(), 0);
}

void GlowtagBlinkTest::zeroIntervalRepaintsTheStillPicture() {
    Glowtag tag;
    prepare(tag, 100, 30, Glowtag::Round_Concentric);
    tag.setColoreSfondo(0x00FF00FF);
    tag.setTimerColore(40);
    for (int i = 0; i < 3; ++i)
        QMetaObject::invokeMethod(timerOf(tag), "timeout");
    RecordingSurface surface;
    tag.setSurface(&surface);
    tag.setTimerColore(0);
    QCOMPARE(surface.calls.first(), QStringLiteral("clear #ff00ff"));
    QCOMPARE(tag.AnimationOffset(), 0);
    QCOMPARE(tag.AnimationDirection(), 1);
    QVERIFY(!timerOf(tag)->isActive());
    // The still picture starts again at the first ring.
    QVERIFY2(surface.only("rr").first().startsWith("rr 1 1 99 29 "),
             qPrintable(surface.only("rr").first()));
}

void GlowtagBlinkTest::realTimerAdvancesTheOffset() {
    Glowtag tag;
    prepare(tag, 100, 30, Glowtag::Round_Concentric);
    tag.setTimerColore(5);
    QTRY_VERIFY_WITH_TIMEOUT(tag.AnimationOffset() >= 2, 5000);
    tag.setTimerColore(0);
}

QTEST_MAIN(GlowtagBlinkTest)
#include "glowtagblink_test.moc"
