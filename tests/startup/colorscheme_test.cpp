#include "backgroundlabel.h"
#include "colorscheme.h"
#include "progbarxp.h"
#include "xpbutton.h"
#include "xpcheck.h"
#include "xpcolour.h"
#include "xpframe.h"
#include "xpoption.h"
#include "xptext.h"

#include <Glowtag.h>
#include <QComboBox>
#include <QtTest>

namespace {

// A frame whose style cannot be written, to see the walk stop there.
class LockedFrame : public XPFrame {
    Q_OBJECT
    Q_PROPERTY(int Style READ lockedStyle)

public:
    using XPFrame::XPFrame;
    int lockedStyle() const { return 0; }
};

Glowtag *label(QWidget *parent, const QString &name) {
    auto *tag = new Glowtag(parent);
    tag->setObjectName(name);
    tag->setColorBegin(0x000011);
    tag->setColorEnd(0x000022);
    tag->setColoreEtichetta(0x000033);
    tag->setStyle(Glowtag::Rect_Embedded_Concentric);
    return tag;
}

SettingsRecord scheme(qint16 labelStyle, qint16 controlStyle = 0) {
    SettingsRecord record;
    record.LabelStyle = labelStyle;
    record.SchemeControlStyle = controlStyle;
    record.SchemeColorBegin = 0x0000FF;
    record.SchemeColorEnd = 0x00FF00;
    record.LabelColorBegin = 0x123456;
    record.LabelColorEnd = 0x654321;
    return record;
}

} // namespace

class ColorSchemeTest : public QObject {
    Q_OBJECT

private slots:
    void flatLabelStyleSetsOnlyTheFillColour() {
        QWidget window;
        Glowtag *tag = label(&window, QStringLiteral("TextFW"));
        ApplyColorScheme(&window, scheme(7));
        QCOMPARE(int(tag->Style()), 7);
        QCOMPARE(tag->ColoreEtichetta(), 0x654321);
        QCOMPARE(tag->ColorBegin(), 0x000011);
        QCOMPARE(tag->ColorEnd(), 0x000022);
    }

    void gradientLabelStyleSetsBothColours() {
        QWidget window;
        QWidget frame(&window);
        Glowtag *nested = label(&frame, QStringLiteral("TxtFpga1"));
        ApplyColorScheme(&window, scheme(4));
        QCOMPARE(int(nested->Style()), 4);
        QCOMPARE(nested->ColorBegin(), 0x123456);
        QCOMPARE(nested->ColorEnd(), 0x654321);
        QCOMPARE(nested->ColoreEtichetta(), 0x000033);
    }

    void reservedLabelNamesAreSpared() {
        QWidget window;
        Glowtag *untouched = label(&window, QStringLiteral("LbColor"));
        Glowtag *separator = label(&window, QStringLiteral("LBSep"));
        Glowtag *styleOnly = label(&window, QStringLiteral("PnlOverRange"));
        Glowtag *otherCase = label(&window, QStringLiteral("lbcolor"));
        ApplyColorScheme(&window, scheme(2));
        QCOMPARE(int(untouched->Style()), 6);
        QCOMPARE(int(separator->Style()), 6);
        QCOMPARE(untouched->ColorBegin(), 0x000011);
        QCOMPARE(int(styleOnly->Style()), 2);
        QCOMPARE(styleOnly->ColorBegin(), 0x000011);
        QCOMPARE(otherCase->ColorBegin(), 0x123456);
    }

    void toolkitWidgetsGetTheControlStyle() {
        QWidget window;
        auto *option = new XPOption(&window);
        auto *check = new XPCheck(&window);
        auto *text = new XPText(&window);
        auto *frame = new XPFrame(&window);
        auto *button = new XPButton(&window);
        auto *bar = new ProgBarXP(&window);
        auto *combo = new QComboBox(&window);
        combo->setProperty("Style", 42);
        ApplyColorScheme(&window, scheme(1, 1));
        QCOMPARE(option->Style(), 1);
        QCOMPARE(check->Style(), 1);
        QCOMPARE(text->Style(), 1);
        QCOMPARE(frame->Style(), 1);
        QCOMPARE(button->Style(), 1);
        QCOMPARE(button->ColorScheme(), 1);
        QCOMPARE(button->ColorBegin(), 0x0000FF);
        QCOMPARE(button->ColorEnd(), 0x00FF00);
        QCOMPARE(bar->Style(), 1);
        QCOMPARE(combo->property("Style").toInt(), 42);
        ApplyColorScheme(&window, scheme(1, 0));
        QCOMPARE(bar->Style(), 3);
        QCOMPARE(option->Style(), 0);
        bar->setStyle(5);
        ApplyColorScheme(&window, scheme(1, 2));
        QCOMPARE(bar->Style(), 5);
    }

    void schemedButtonFaceRunsFromBeginToEndColour() {
        XPButton button;
        button.resize(80, 40);
        ApplyColorScheme(&button, scheme(1, 1)); // the button has no children: untouched
        QCOMPARE(button.ColorScheme(), 0);
        button.setColorScheme(1);
        button.setColorBegin(0x0000FF); // red, in blue-green-red order
        button.setColorEnd(0xFF0000);   // blue
        const QImage face = button.grab().toImage();
        const QColor top = face.pixelColor(40, 3);
        const QColor bottom = face.pixelColor(40, 36);
        QVERIFY2(top.red() > 200 && top.blue() < 60, qPrintable(top.name()));
        QVERIFY2(bottom.blue() > 200 && bottom.red() < 60, qPrintable(bottom.name()));
    }

    void systemColoursComeFromThePalette() {
        QPalette palette;
        palette.setColor(QPalette::Button, QColor(1, 2, 3));
        palette.setColor(QPalette::Light, QColor(4, 5, 6));
        QCOMPARE(xpColour(int(0x8000000F), palette), QColor(1, 2, 3));
        QCOMPARE(xpColour(int(0x80000014), palette), QColor(4, 5, 6));
        QCOMPARE(xpColour(0x00336699, palette), QColor(0x99, 0x66, 0x33));
    }

    void rejectedWriteEndsTheWalk() {
        QWidget window;
        auto *before = new XPOption(&window);
        auto *locked = new LockedFrame(&window);
        locked->setObjectName(QStringLiteral("Locked"));
        auto *after = new XPOption(&window);
        QVERIFY_THROWS_EXCEPTION(ColorSchemeError, ApplyColorScheme(&window, scheme(1, 1)));
        QCOMPARE(before->Style(), 1);
        QCOMPARE(after->Style(), 0);
    }

    void backgroundKeepsASquareBorder_data() {
        QTest::addColumn<int>("labelStyle");
        QTest::addColumn<int>("expected");
        for (int style = 0; style <= 8; ++style) {
            const bool square = style == 2 || style == 3 || style == 5 || style == 6;
            QTest::addRow("style %d", style) << style << (square ? style : 3);
        }
    }

    void backgroundKeepsASquareBorder() {
        QFETCH(int, labelStyle);
        QFETCH(int, expected);
        QWidget window;
        window.resize(474, 270);
        Glowtag *background = label(&window, QStringLiteral("LBSfondo"));
        background->setGeometry(0, 0, 100, 50);
        const SettingsRecord record = scheme(qint16(labelStyle));
        ApplyColorScheme(&window, record);
        DressBackgroundLabel(background, &window, record);
        QCOMPARE(int(background->Style()), expected);
        QCOMPARE(background->ColoreBordo(), 0x123456);
        QCOMPARE(background->ColorBegin(), 0x123456);
        QCOMPARE(background->ColorEnd(), 0x654321);
        QCOMPARE(background->geometry(), QRect(0, 0, 474, 270));
    }
};

QTEST_MAIN(ColorSchemeTest)
#include "colorscheme_test.moc"
