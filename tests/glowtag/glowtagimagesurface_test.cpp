#include "glowtagimagesurface.h"

#include <QtTest>

// Pixels of the image surface's own outline stroker, against the classic RoundRect geometry.
class GlowtagImageSurfaceTest : public QObject {
    Q_OBJECT

private slots:
    void outlines_data();
    void outlines();
    void hugePenAndCoordinatesStayInside();
    void resizeKeepsThePicture();
};

namespace {

// '#' drawn, '.' background, one string per row.
QStringList picture(const QImage &image) {
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x)
            row += (image.pixel(x, y) & 0xFFFFFF) == 0xFF0000 ? '#' : '.';
        rows << row;
    }
    return rows;
}

} // namespace

void GlowtagImageSurfaceTest::outlines_data() {
    QTest::addColumn<QList<int>>("args"); // left, top, right, bottom, ew, eh, pen
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("pen 1, square: right and bottom exclusive")
        << QList<int>{1, 1, 7, 6, 0, 0, 1}
        << QStringList{"........", ".######.", ".#....#.", ".#....#.",
                       ".#....#.", ".######.", "........"};
    QTest::newRow("pen 2 straddles the outline")
        << QList<int>{1, 1, 7, 6, 0, 0, 2}
        << QStringList{"#######.", "#######.", "##...##.", "##...##.",
                       "#######.", "#######.", "........"};
    QTest::newRow("rounded corners leave the corner pixel")
        << QList<int>{0, 0, 8, 7, 6, 6, 1}
        << QStringList{"..####..", ".#....#.", "#......#", "#......#",
                       "#......#", ".#....#.", "..####.."};
    QTest::newRow("reversed corners are normalised")
        << QList<int>{7, 6, 1, 1, 0, 0, 1}
        << QStringList{"........", ".######.", ".#....#.", ".#....#.",
                       ".#....#.", ".######.", "........"};
    QTest::newRow("empty rectangle draws nothing")
        << QList<int>{3, 3, 3, 3, 0, 0, 2}
        << QStringList{"........", "........", "........", "........",
                       "........", "........", "........"};
}

void GlowtagImageSurfaceTest::outlines() {
    QFETCH(QList<int>, args);
    QFETCH(QStringList, expected);
    GlowtagImageSurface surface(nullptr);
    surface.resize(QSize(8, 7), Qt::white);
    surface.clear(Qt::white);
    surface.setPen(QColor(255, 0, 0), args[6]);
    surface.roundRect(args[0], args[1], args[2], args[3], args[4], args[5]);
    QCOMPARE(picture(surface.image()), expected);
}

void GlowtagImageSurfaceTest::hugePenAndCoordinatesStayInside() {
    GlowtagImageSurface surface(nullptr);
    surface.resize(QSize(8, 7), Qt::white);
    surface.clear(Qt::white);
    surface.setPen(QColor(255, 0, 0), 32767);
    surface.roundRect(-2000000000, -2000000000, 2000000000, 2000000000, 32767, 32767);
    surface.roundRect(0, 0, 8, 7, 32767, 32767);
    const QStringList full(7, QStringLiteral("########"));
    QCOMPARE(picture(surface.image()), full);
}

void GlowtagImageSurfaceTest::resizeKeepsThePicture() {
    int presented = 0;
    GlowtagImageSurface surface([&presented] { ++presented; });
    surface.resize(QSize(4, 4), Qt::white);
    surface.clear(QColor(255, 0, 0));
    surface.resize(QSize(6, 5), Qt::white);
    const QImage &image = surface.image();
    QCOMPARE(image.size(), QSize(6, 5));
    QCOMPARE(image.pixel(3, 3) & 0xFFFFFF, 0xFF0000u);
    QCOMPARE(image.pixel(5, 4) & 0xFFFFFF, 0xFFFFFFu);
    surface.refresh();
    QCOMPARE(presented, 1);
}

QTEST_MAIN(GlowtagImageSurfaceTest)
#include "glowtagimagesurface_test.moc"
