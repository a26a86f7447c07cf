#include "Glowtag.h"
#include "recordingsurface.h"

#include <QPalette>
#include <QTimer>
#include <QtTest>

// The painters' primitives, recorded exactly, and the pixels they leave in the image.
class GlowtagPaintingTest : public QObject {
    Q_OBJECT

private slots:
    void concentricRoundedRoundsHalvesToEven();
    void concentricWithSquareBorder();
    void concentricAtNegativeOffset_data();
    void concentricAtNegativeOffset();
    void rowsFollowRoundedEnds();
    void smallCornerGivesStraightRows_data();
    void smallCornerGivesStraightRows();
    void tinySurfacesOnlyTurn_data();
    void tinySurfacesOnlyTurn();
    void flatStylesAndPenWidth();
    void widestBorderStillDraws();
    void systemColourGradientSplitsAsPlainNumber();
    void pixelsOfFlatAndSquareBorders();
    void pixelsOfRowGradient();
    void pixelsAtConcentricCentre();
    void backgroundFromSystemColours_data();
    void backgroundFromSystemColours();
};

namespace {

// A still label of the given size with plain colours: black to red 10, so that the running red
// crosses exact halves, blue background, grey outline.
void prepare(Glowtag &tag, int w, int h, int style, int corner = 10) {
    tag.resize(w, h);
    tag.initNewInstance(QFont(), QStringLiteral("Glowtag1"));
    tag.setColoreSfondo(0x00FF0000);
    tag.setColorBegin(0x00000000);
    tag.setColorEnd(0x0000000A);
    tag.setRaggioEtichetta(corner);
    tag.setStyle(Glowtag::EnStyleEtichetta(style));
}

QStringList record(Glowtag &tag) {
    RecordingSurface surface;
    tag.setSurface(&surface);
    tag.VisualizzaEtichetta();
    tag.setSurface(nullptr);
    return surface.calls;
}

QStringList rings(const QList<int> &steps, const QList<int> &reds, int w, int h) {
    QStringList out;
    for (int n = 0; n < steps.size(); ++n) {
        const int i = steps[n];
        out << QStringLiteral("rr %1 %1 %2 %3 10 10 %4 2")
                   .arg(i)
                   .arg(w - i)
                   .arg(h - i)
                   .arg(QColor(reds[n], 0, 0).name());
    }
    return out;
}

void tick(Glowtag &tag) {
    QMetaObject::invokeMethod(tag.findChild<QTimer *>(QStringLiteral("Timer1")), "timeout");
}

QRgb pixel(const Glowtag &tag, int x, int y) {
    return tag.image().pixel(x, y) & 0xFFFFFF;
}

} // namespace

void GlowtagPaintingTest::concentricRoundedRoundsHalvesToEven() {
    Glowtag tag;
    prepare(tag, 360, 20, Glowtag::Round_Concentric);
    // Red runs 0.5, 1, 1.5, ... per ring; ring 0 is not drawn by the rounded style.
    QStringList expected{"clear #0000ff"};
    expected << rings({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 2, 2, 2, 3, 4, 4, 4, 5, 6}, 360, 20);
    expected << "rr 0 0 360 20 10 10 #808080 1"
             << "refresh";
    QCOMPARE(record(tag), expected);
}

void GlowtagPaintingTest::concentricWithSquareBorder() {
    Glowtag tag;
    prepare(tag, 360, 20, Glowtag::Rect_Raised_Concentric);
    QStringList expected{"clear #0000ff"};
    expected << rings({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0, 1, 2, 2, 2, 3, 4, 4, 4, 5, 6}, 360,
                      20);
    expected << "refresh"
             << "line 0 0 0 20 #ffffff 1"
             << "line 1 1 1 19 #c0c0c0 1"
             << "line 0 0 360 0 #ffffff 1"
             << "line 2 1 359 1 #c0c0c0 1"
             << "line 359 0.5 359 20 #000000 1"
             << "line 358 1.5 358 19 #808080 1"
             << "line 0 19 360 19 #000000 1"
             << "line 1 18 358 18 #808080 1";
    QCOMPARE(record(tag), expected);
    QCOMPARE(tag.penWidth(), 2); // the border restores the gradient's pen

    tag.setStyle(Glowtag::Rect_Embedded_Concentric);
    const QStringList sunken = record(tag).mid(13);
    QCOMPARE(sunken, (QStringList{"line 0 0 0 20 #c0c0c0 1", "line 1 1 1 19 #000000 1",
                                  "line 0 0 360 0 #c0c0c0 1", "line 2 1 359 1 #000000 1",
                                  "line 359 0.5 359 20 #c0c0c0 1", "line 358 1.5 358 19 #ffffff 1",
                                  "line 0 19 360 19 #c0c0c0 1", "line 1 18 358 18 #ffffff 1"}));
}

void GlowtagPaintingTest::concentricAtNegativeOffset_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("expected");
    // 20x10: N = 5, red step 1 per ring; offset -2 after the blink has turned once.
    QStringList rounded;
    rounded << "rr 2 2 18 8 10 10 #010000 2"
            << "rr 1 1 19 9 10 10 #020000 2";
    for (int i = 1; i <= 5; ++i)
        rounded << QStringLiteral("rr %1 %1 %2 %3 10 10 %4 2")
                       .arg(i)
                       .arg(20 - i)
                       .arg(10 - i)
                       .arg(QColor(i + 3, 0, 0).name());
    rounded << "rr 0 0 20 10 10 10 #808080 1"
            << "refresh";
    QTest::newRow("rounded mirrors") << int(Glowtag::Round_Concentric) << rounded;
    QStringList square;
    for (int i = -2; i <= 5; ++i)
        square << QStringLiteral("rr %1 %1 %2 %3 10 10 %4 2")
                      .arg(i)
                      .arg(20 - i)
                      .arg(10 - i)
                      .arg(QColor(i + 3, 0, 0).name());
    square << "refresh";
    QTest::newRow("square draws outside") << int(Glowtag::Rect_Raised_Concentric) << square;
}

void GlowtagPaintingTest::concentricAtNegativeOffset() {
    QFETCH(int, style);
    QFETCH(QStringList, expected);
    Glowtag tag;
    prepare(tag, 20, 10, style);
    tag.setTimerColore(50);
    while (!(tag.AnimationOffset() == -2 && tag.AnimationDirection() == -1))
        tick(tag);
    QStringList calls = record(tag);
    // While blinking nothing is cleared; the square border follows the rings.
    QCOMPARE(calls.mid(0, expected.size()), expected);
    QCOMPARE(calls.count("refresh"), 1);
    QCOMPARE(calls.filter("clear").size(), 0);
}

void GlowtagPaintingTest::rowsFollowRoundedEnds() {
    Glowtag tag;
    prepare(tag, 360, 20, Glowtag::Round_Shaded);
    tag.setColorEnd(0x00000014); // red 20: one step per row
    // Corner 10: radius 5, margin 2; rows 6..15 keep the plain inset of 1.
    const QStringList insets{"7", "4", "3",       "2.41742", "2.10102", "2", "1",
                             "1", "1", "1",       "1",       "1",       "1", "1",
                             "1", "1", "2.10102", "2.41742", "3"};
    const QStringList ends{"353", "356", "357",     "357.583", "357.899", "358", "359",
                           "359", "359", "359",     "359",     "359",     "359", "359",
                           "359", "359", "357.899", "357.583", "357"};
    QStringList expected{"clear #0000ff"};
    for (int i = 0; i <= 18; ++i)
        expected << QStringLiteral("line %1 %2 %3 %2 %4 2")
                        .arg(insets[i])
                        .arg(i)
                        .arg(ends[i])
                        .arg(QColor(i + 1, 0, 0).name());
    expected << "rr 0 0 360 20 10 10 #808080 1"
             << "refresh";
    QCOMPARE(record(tag), expected);
}

void GlowtagPaintingTest::smallCornerGivesStraightRows_data() {
    QTest::addColumn<int>("corner");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("firstRow");
    QTest::newRow("corner 0, rounded") << 0 << int(Glowtag::Round_Shaded) << "line 2 0 358 0";
    QTest::newRow("corner 1, rounded") << 1 << int(Glowtag::Round_Shaded) << "line 2 0 358 0";
    QTest::newRow("corner 1, square") << 1 << int(Glowtag::Rect_Raised_Shaded) << "line 0 0 360 0";
    QTest::newRow("corner 3, square") << 3 << int(Glowtag::Rect_Raised_Shaded) << "line 2 0 358 0";
}

void GlowtagPaintingTest::smallCornerGivesStraightRows() {
    QFETCH(int, corner);
    QFETCH(int, style);
    QFETCH(QString, firstRow);
    Glowtag tag;
    prepare(tag, 360, 20, style, corner);
    const QStringList lines = record(tag).filter(QRegularExpression(" 2$"));
    QCOMPARE(lines.size(), 19);
    QVERIFY2(lines.first().startsWith(firstRow + ' '), qPrintable(lines.first()));
    if (corner <= 1) {
        for (int i = 1; i <= 18; ++i)
            QVERIFY2(lines[i].startsWith(QStringLiteral("line 1 %1 359 %1 ").arg(i)),
                     qPrintable(lines[i]));
    }
}

void GlowtagPaintingTest::tinySurfacesOnlyTurn_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<bool>("draws");
    QTest::newRow("concentric 360x2") << int(Glowtag::Round_Concentric) << 360 << 2 << false;
    QTest::newRow("concentric 2x360") << int(Glowtag::Round_Concentric) << 2 << 360 << false;
    QTest::newRow("concentric 1x1") << int(Glowtag::Round_Concentric) << 1 << 1 << false;
    QTest::newRow("concentric 3x360") << int(Glowtag::Round_Concentric) << 3 << 360 << true;
    QTest::newRow("rows 360x2") << int(Glowtag::Round_Shaded) << 360 << 2 << false;
    QTest::newRow("rows 360x1") << int(Glowtag::Round_Shaded) << 360 << 1 << false;
    QTest::newRow("rows 360x3") << int(Glowtag::Round_Shaded) << 360 << 3 << true;
    QTest::newRow("rows 2x20") << int(Glowtag::Round_Shaded) << 2 << 20 << true;
}

void GlowtagPaintingTest::tinySurfacesOnlyTurn() {
    QFETCH(int, style);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(bool, draws);
    Glowtag tag;
    prepare(tag, w, h, style);
    RecordingSurface surface;
    tag.setSurface(&surface);
    tag.setTimerColore(0); // direction 1, then a still repaint
    tag.setSurface(nullptr);
    QCOMPARE(tag.AnimationDirection(), draws ? 1 : -1);
    if (draws) {
        QVERIFY(surface.count("refresh") == 1);
    } else {
        QCOMPARE(surface.calls, QStringList{"clear #0000ff"});
    }
}

void GlowtagPaintingTest::flatStylesAndPenWidth() {
    Glowtag tag;
    prepare(tag, 360, 20, Glowtag::Round_Flat);
    tag.setColoreEtichetta(0x000000FF);
    tag.setDimBordo(3);
    QCOMPARE(record(tag), (QStringList{"clear #0000ff", "rr 4 4 356 16 10 10 #ff0000 10",
                                       "rr 9 9 351 11 10 10 #ff0000 10",
                                       "rr 0 0 360 20 10 10 #808080 3", "refresh"}));
    QCOMPARE(tag.penWidth(), 1);

    tag.setStyle(Glowtag::Rect_Raised);
    const QStringList calls = record(tag);
    QCOMPARE(calls.mid(0, 3), (QStringList{"clear #0000ff", "rr 4 4 356 16 10 10 #ff0000 10",
                                           "rr 9 9 351 11 10 10 #ff0000 10"}));
    QCOMPARE(calls.mid(3, 2), (QStringList{"line 0 0 0 20 #ffffff 3", "line 3 1 3 19 #c0c0c0 3"}));
    QCOMPARE(calls.at(7), QStringLiteral("line 359 1.5 359 20 #000000 3"));
    QCOMPARE(calls.size(), 11); // no refresh of its own
    QCOMPARE(tag.penWidth(), 10);

    tag.setProperty("Style", 9); // no shape, only the background
    QCOMPARE(record(tag), QStringList{"clear #0000ff"});
}

void GlowtagPaintingTest::widestBorderStillDraws() {
    Glowtag tag;
    prepare(tag, 100, 40, Glowtag::Rect_Embedded);
    tag.setDimBordo(32767);
    const QStringList lines = record(tag).filter("line");
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines.at(3), QStringLiteral("line 32768 32767 99 32767 #000000 32767"));
    QCOMPARE(lines.at(5), QStringLiteral("line -32668 49150.5 -32668 39 #ffffff 32767"));
    QCOMPARE(tag.image().size(), QSize(100, 40));
}

void GlowtagPaintingTest::systemColourGradientSplitsAsPlainNumber() {
    Glowtag tag;
    prepare(tag, 40, 20, Glowtag::Rect_Raised_Concentric);
    tag.setColorBegin(int(0x8000000Fu));
    tag.setColorEnd(int(0x8000000Fu));
    const QStringList ringsDrawn = record(tag).filter(QRegularExpression("^rr .* 2$"));
    QCOMPARE(ringsDrawn.size(), 11);
    for (const QString &ring : ringsDrawn)
        QVERIFY2(ring.endsWith("#0f0000 2"), qPrintable(ring));
}

void GlowtagPaintingTest::pixelsOfFlatAndSquareBorders() {
    Glowtag tag;
    prepare(tag, 120, 40, Glowtag::Round_Flat, 20);
    tag.setColoreSfondo(0x0000FF00);
    tag.setColoreEtichetta(0x000000FF);
    tag.setColoreBordo(0x00FF0000);
    QCOMPARE(pixel(tag, 60, 20), qRgb(255, 0, 0) & 0xFFFFFF);
    QCOMPARE(pixel(tag, 0, 20), qRgb(0, 0, 255) & 0xFFFFFF); // outline at the left edge
    QCOMPARE(pixel(tag, 0, 0), qRgb(0, 255, 0) & 0xFFFFFF);  // outside the rounded corner

    tag.setStyle(Glowtag::Rect_Raised);
    QCOMPARE(pixel(tag, 60, 20), 0xFF0000u);
    QCOMPARE(pixel(tag, 0, 20), 0xFFFFFFu);
    QCOMPARE(pixel(tag, 1, 20), 0xC0C0C0u);
    QCOMPARE(pixel(tag, 60, 0), 0xFFFFFFu);
    QCOMPARE(pixel(tag, 119, 20), 0x000000u);
    QCOMPARE(pixel(tag, 118, 20), 0x808080u);
    QCOMPARE(pixel(tag, 60, 39), 0x000000u);
    QCOMPARE(pixel(tag, 60, 38), 0x808080u);

    tag.setStyle(Glowtag::Rect_Embedded);
    QCOMPARE(pixel(tag, 0, 20), 0xC0C0C0u);
    QCOMPARE(pixel(tag, 1, 20), 0x000000u);
    QCOMPARE(pixel(tag, 119, 20), 0xC0C0C0u);
    QCOMPARE(pixel(tag, 118, 20), 0xFFFFFFu);
    QCOMPARE(pixel(tag, 60, 38), 0xFFFFFFu);
}

void GlowtagPaintingTest::pixelsOfRowGradient() {
    Glowtag tag;
    prepare(tag, 200, 100, Glowtag::Rect_Raised_Shaded);
    tag.setColorBegin(0x00000000);
    tag.setColorEnd(0x00FFFFFF);
    const int top = qGray(tag.image().pixel(100, 2));
    const int bottom = qGray(tag.image().pixel(100, 97));
    QVERIFY2(top <= 13, qPrintable(QString::number(top)));
    QVERIFY2(bottom >= 240, qPrintable(QString::number(bottom)));
    int previous = -1;
    for (int y = 2; y <= 97; ++y) {
        const QRgb p = tag.image().pixel(100, y);
        QCOMPARE(qRed(p), qGreen(p));
        QVERIFY(qRed(p) >= previous);
        previous = qRed(p);
    }
}

void GlowtagPaintingTest::pixelsAtConcentricCentre() {
    Glowtag tag;
    prepare(tag, 100, 100, Glowtag::Rect_Raised_Concentric);
    tag.setColorEnd(0x000000FF);
    const QRgb centre = tag.image().pixel(50, 50);
    // About half way: the step is the range over H and about H / 2 rings reach the centre.
    QVERIFY2(qAbs(qRed(centre) - 128) <= 4, qPrintable(QString::number(qRed(centre))));
    QCOMPARE(qGreen(centre), 0);
    QVERIFY(qRed(tag.image().pixel(5, 50)) < qRed(tag.image().pixel(25, 50)));
}

void GlowtagPaintingTest::backgroundFromSystemColours_data() {
    QTest::addColumn<unsigned>("colour");
    QTest::addColumn<int>("role");
    QTest::newRow("button face") << 0x8000000Fu << int(QPalette::Button);
    QTest::newRow("button shadow") << 0x80000010u << int(QPalette::Dark);
    QTest::newRow("button text") << 0x80000012u << int(QPalette::ButtonText);
    QTest::newRow("3-D highlight") << 0x80000014u << int(QPalette::Light);
    QTest::newRow("window") << 0x80000005u << int(QPalette::Base);
    QTest::newRow("highlight") << 0x8000000Du << int(QPalette::Highlight);
    QTest::newRow("unknown index") << 0x80000063u << -1;
}

void GlowtagPaintingTest::backgroundFromSystemColours() {
    QFETCH(unsigned, colour);
    QFETCH(int, role);
    Glowtag tag;
    QPalette palette = tag.palette();
    palette.setColor(QPalette::Button, QColor(0x12, 0x34, 0x56));
    palette.setColor(QPalette::Dark, QColor(0x21, 0x43, 0x65));
    palette.setColor(QPalette::ButtonText, QColor(0x01, 0x02, 0x03));
    palette.setColor(QPalette::Light, QColor(0xF1, 0xF2, 0xF3));
    palette.setColor(QPalette::Base, QColor(0xA1, 0xA2, 0xA3));
    palette.setColor(QPalette::Highlight, QColor(0x31, 0x32, 0x33));
    tag.setPalette(palette);
    prepare(tag, 50, 20, 99);
    tag.setColoreSfondo(int(colour));
    const QColor expected = role < 0 ? QColor(Qt::black) : palette.color(QPalette::ColorRole(role));
    QCOMPARE(QColor(tag.image().pixel(25, 2)), expected);
}

QTEST_MAIN(GlowtagPaintingTest)
#include "glowtagpainting_test.moc"
