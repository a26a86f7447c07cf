#include "Glowtag.h"
#include "glowtagsettingsbag.h"
#include "recordingsurface.h"

#include <QLabel>
#include <QMap>
#include <QResizeEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <stdexcept>

// Saving and loading through the host's property store.
class GlowtagPersistenceTest : public QObject {
    Q_OBJECT

private slots:
    void roundTripThroughSettings();
    void defaultsAreLeftOut();
    void missingKeysGiveTheDefaults();
    void readAndWriteOrder();
    void failingReadStopsAtItsKey();
    void failingWriteEndsTheSave();
    void resizeWhileSavingDoesNotRepaint();
    void malformedValueIsReported();
    void unsignedColourSpelling();
};

namespace {

// An in-memory store that logs every access and can fail at a chosen key.
class MemoryBag : public GlowtagPropertyBag {
public:
    QVariant read(const QString &key, const QVariant &defaultValue) override {
        log << "read " + key;
        if (key == failAt)
            throw std::runtime_error("read failed");
        return values.value(key, defaultValue);
    }
    void write(const QString &key, const QVariant &value, const QVariant &defaultValue) override {
        log << "write " + key;
        if (onWrite)
            onWrite(key);
        if (key == failAt)
            throw std::runtime_error("write failed");
        values.insert(key, value);
        defaults.insert(key, defaultValue);
    }

    QMap<QString, QVariant> values;
    QMap<QString, QVariant> defaults;
    QStringList log;
    QString failAt;
    std::function<void(const QString &)> onWrite;
};

const QStringList readOrder{
    "Font",     "Caption",     "ColoreCaption",   "ColoreSfondo", "ColoreEtichetta", "ColorBegin",
    "ColorEnd", "ColoreBordo", "RaggioEtichetta", "DimBordo",     "Style",           "TimerColore"};
const QStringList writeOrder{
    "Caption",  "ColoreCaption", "ColoreSfondo",    "ColoreEtichetta", "Font",  "ColorBegin",
    "ColorEnd", "ColoreBordo",   "RaggioEtichetta", "DimBordo",        "Style", "TimerColore"};

QStringList prefixed(const QString &prefix, const QStringList &keys) {
    QStringList out;
    for (const QString &k : keys)
        out << prefix + k;
    return out;
}

void customise(Glowtag &tag) {
    tag.initNewInstance(QFont(), QStringLiteral("Glowtag3"));
    tag.setFont_(QFont(QStringLiteral("Serif"), 17));
    tag.setCaption(QStringLiteral("Stored caption"));
    tag.setColoreCaption(0x00010203);
    tag.setColoreSfondo(int(0x80000010u));
    tag.setColoreEtichetta(0x00040506);
    tag.setColorBegin(0x00112233);
    tag.setColorEnd(0x00445566);
    tag.setColoreBordo(0x00778899);
    tag.setRaggioEtichetta(7);
    tag.setDimBordo(4);
    tag.setStyle(Glowtag::Rect_Embedded_Concentric);
    tag.setTimerColore(120);
}

} // namespace

void GlowtagPersistenceTest::roundTripThroughSettings() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath("window.ini");
    {
        Glowtag saved;
        customise(saved);
        QSettings settings(file, QSettings::IniFormat);
        GlowtagSettingsBag bag(settings, QStringLiteral("Glowtag3"));
        saved.writeProperties(bag);
    }
    QSettings settings(file, QSettings::IniFormat);
    GlowtagSettingsBag bag(settings, QStringLiteral("Glowtag3"));
    Glowtag loaded;
    loaded.readProperties(bag, QFont(), QStringLiteral("Glowtag3"));
    QCOMPARE(loaded.Font().family(), QStringLiteral("Serif"));
    QCOMPARE(loaded.Font().pointSize(), 17);
    QCOMPARE(loaded.captionLabel()->font().pointSize(), 17);
    QCOMPARE(loaded.Caption(), QStringLiteral("Stored caption"));
    QCOMPARE(loaded.captionLabel()->text(), QStringLiteral("Stored caption"));
    QCOMPARE(loaded.ColoreCaption(), 0x00010203);
    QCOMPARE(unsigned(loaded.ColoreSfondo()), 0x80000010u);
    QCOMPARE(loaded.ColoreEtichetta(), 0x00040506);
    QCOMPARE(loaded.ColorBegin(), 0x00112233);
    QCOMPARE(loaded.ColorEnd(), 0x00445566);
    QCOMPARE(loaded.ColoreBordo(), 0x00778899);
    QCOMPARE(loaded.RaggioEtichetta(), 7);
    QCOMPARE(loaded.DimBordo(), 4);
    QCOMPARE(loaded.Style(), Glowtag::Rect_Embedded_Concentric);
    QCOMPARE(loaded.TimerColore(), 120);
    auto *timer = loaded.findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer->isActive()); // the blink comes back with the load
    QCOMPARE(timer->interval(), 120);
}

void GlowtagPersistenceTest::defaultsAreLeftOut() {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("window.ini"), QSettings::IniFormat);
    GlowtagSettingsBag bag(settings);
    Glowtag tag;
    const QFont ambient(QStringLiteral("Sans"), 11);
    tag.initNewInstance(ambient, QStringLiteral("Glowtag1"));
    tag.writeProperties(bag);
    // Only the caption differs from its default (the display name).
    QCOMPARE(settings.allKeys(), QStringList{"Caption"});
    QCOMPARE(settings.value("Caption").toString(), QStringLiteral("Caption Etichetta"));
}

void GlowtagPersistenceTest::missingKeysGiveTheDefaults() {
    MemoryBag bag;
    Glowtag tag;
    const QFont ambient(QStringLiteral("Sans"), 15);
    tag.readProperties(bag, ambient, QStringLiteral("Glowtag9"));
    QCOMPARE(tag.Font().pointSize(), 15);
    QCOMPARE(tag.Caption(), QStringLiteral("Glowtag9"));
    QCOMPARE(tag.captionLabel()->text(), QStringLiteral("Glowtag9"));
    QCOMPARE(unsigned(tag.ColoreCaption()), 0x80000012u);
    QCOMPARE(unsigned(tag.ColoreSfondo()), 0x8000000Fu);
    QCOMPARE(unsigned(tag.ColoreEtichetta()), 0x8000000Fu);
    QCOMPARE(tag.ColorBegin(), 0x00C0C0C0);
    QCOMPARE(tag.ColorEnd(), 0x00FFFFFF);
    QCOMPARE(tag.ColoreBordo(), 0x00808080);
    QCOMPARE(tag.RaggioEtichetta(), 10);
    QCOMPARE(tag.DimBordo(), 1);
    QCOMPARE(tag.Style(), Glowtag::Round_Concentric);
    QCOMPARE(tag.TimerColore(), 0);
}

void GlowtagPersistenceTest::readAndWriteOrder() {
    MemoryBag bag;
    Glowtag tag;
    customise(tag);
    tag.writeProperties(bag);
    QCOMPARE(bag.log, prefixed("write ", writeOrder));
    QCOMPARE(bag.defaults.value("Style").toInt(), 4);
    QCOMPARE(bag.defaults.value("Caption").toString(), QStringLiteral("Glowtag3"));
    QCOMPARE(bag.values.value("DimBordo").toInt(), 4);
    bag.log.clear();
    Glowtag loaded;
    loaded.readProperties(bag, QFont(), QStringLiteral("Glowtag3"));
    QCOMPARE(bag.log, prefixed("read ", readOrder));
}

void GlowtagPersistenceTest::failingReadStopsAtItsKey() {
    MemoryBag bag;
    bag.values.insert("ColorBegin", 0x00010101);
    bag.values.insert("ColorEnd", 0x00020202);
    bag.values.insert("Style", 2);
    bag.failAt = "ColorEnd";
    Glowtag tag;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             tag.readProperties(bag, QFont(), QStringLiteral("Glowtag1")));
    QCOMPARE(tag.ColorBegin(), 0x00010101); // applied before the failure
    QCOMPARE(tag.ColorEnd(), 0);
    QCOMPARE(int(tag.Style()), 0);
    QCOMPARE(bag.log.last(), QStringLiteral("read ColorEnd"));
}

void GlowtagPersistenceTest::failingWriteEndsTheSave() {
    MemoryBag bag;
    bag.failAt = "Font";
    Glowtag tag;
    customise(tag);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, tag.writeProperties(bag));
    QVERIFY(!tag.SavingProperties());
    QCOMPARE(bag.values.keys().size(), 4); // the entries before the failing one
    QVERIFY(!bag.values.contains("Font"));
}

void GlowtagPersistenceTest::resizeWhileSavingDoesNotRepaint() {
    MemoryBag bag;
    Glowtag tag;
    customise(tag);
    tag.setTimerColore(0);
    RecordingSurface surface;
    tag.setSurface(&surface);
    QList<bool> savingSeen;
    bag.onWrite = [&](const QString &key) {
        savingSeen << tag.SavingProperties();
        if (key == "ColorEnd") {
            QResizeEvent resize(QSize(90, 30), tag.size());
            QCoreApplication::sendEvent(&tag, &resize);
        }
    };
    tag.writeProperties(bag);
    QCOMPARE(savingSeen, QList<bool>(12, true));
    QVERIFY(!tag.SavingProperties());
    QVERIFY(surface.calls.isEmpty());

    QResizeEvent resize(QSize(90, 30), tag.size());
    QCoreApplication::sendEvent(&tag, &resize);
    QVERIFY(!surface.calls.isEmpty());
}

void GlowtagPersistenceTest::malformedValueIsReported() {
    MemoryBag bag;
    bag.values.insert("Style", QStringLiteral("sideways"));
    Glowtag tag;
    try {
        tag.readProperties(bag, QFont(), QStringLiteral("Glowtag1"));
        QFAIL("a malformed entry was accepted");
    } catch (const std::runtime_error &e) {
        QVERIFY(QString::fromLatin1(e.what()).contains("Style"));
    }
    bag.values.clear();
    bag.values.insert("RaggioEtichetta", 70000);
    QVERIFY_THROWS_EXCEPTION(std::overflow_error,
                             tag.readProperties(bag, QFont(), QStringLiteral("Glowtag1")));
}

void GlowtagPersistenceTest::unsignedColourSpelling() {
    QTemporaryDir dir;
    const QString file = dir.filePath("window.ini");
    {
        QSettings raw(file, QSettings::IniFormat);
        raw.setValue("ColoreSfondo", QStringLiteral("2147483663")); // 0x8000000F
        raw.setValue("ColorBegin", QStringLiteral("-2147483633"));
    }
    QSettings settings(file, QSettings::IniFormat);
    GlowtagSettingsBag bag(settings);
    Glowtag tag;
    tag.readProperties(bag, QFont(), QStringLiteral("Glowtag1"));
    QCOMPARE(unsigned(tag.ColoreSfondo()), 0x8000000Fu);
    QCOMPARE(unsigned(tag.ColorBegin()), 0x8000000Fu);
}

QTEST_MAIN(GlowtagPersistenceTest)
#include "glowtagpersistence_test.moc"
