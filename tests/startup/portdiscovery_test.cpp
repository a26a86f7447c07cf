#include "centerform.h"
#include "codepage.h"
#include "portdiscovery.h"

#include <QProcessEnvironment>
#include <QtTest>

namespace {

InventoryDevice device(const QString &caption) {
    return {caption, caption};
}

// A double-byte code page: 0x81 is a lead byte, so alone it decodes to a replacement
// character that encodes back as '?'.
class LeadByteCodePage : public CodePage {
public:
    QString toUnicode(const QByteArray &bytes) const override {
        QString text;
        for (const char byte : bytes)
            text += uchar(byte) >= 0x81 ? QChar(0xFFFD) : QChar(QLatin1Char(byte));
        return text;
    }
    QByteArray fromUnicode(const QString &text) const override {
        QByteArray bytes;
        for (const QChar ch : text)
            bytes += ch.unicode() < 0x80 ? char(ch.unicode()) : '?';
        return bytes;
    }
};

} // namespace

class PortDiscoveryTest : public QObject {
    Q_OBJECT

private slots:
    void portNumberFollowsUpperCaseCom() {
        QCOMPARE(portNumberAfterCom(QStringLiteral("Communications Port (COM3)")), qint16(3));
        QCOMPARE(portNumberAfterCom(QStringLiteral("COM12 extra 7")), qint16(12));
        QCOMPARE(portNumberAfterCom(QStringLiteral("COM007")), qint16(7));
        QCOMPARE(portNumberAfterCom(QStringLiteral("ends in COM")), qint16(0));
        QCOMPARE(portNumberAfterCom(QStringLiteral("COM 5")), qint16(0));
        QVERIFY(!portNumberAfterCom(QStringLiteral("Com5")));
        QCOMPARE(portNumberAfterCom(QStringLiteral("COM32767")), qint16(32767));
        QCOMPARE(portNumberAfterCom(QStringLiteral("COM32768")), qint16(0));
        QCOMPARE(portNumberAfterCom(QStringLiteral("COM99999999999999999999")), qint16(0));
    }

    void selectedPortDefaultsToOneWithoutCom() {
        QCOMPARE(DeterminaNumComSel(QStringLiteral("5")), qint16(1));
        QCOMPARE(DeterminaNumComSel(QString()), qint16(1));
        QCOMPARE(DeterminaNumComSel(QStringLiteral("USB Serial Port (COM")), qint16(0));
        QCOMPARE(DeterminaNumComSel(QStringLiteral("USB Serial Port (COM12)")), qint16(12));
        qint16 selected = 9;
        TakeSelectedPort(QStringLiteral("Communications Port (COM4)"), selected);
        QCOMPARE(selected, qint16(4));
        TakeSelectedPort(QStringLiteral("17"), selected);
        QCOMPARE(selected, qint16(1));
    }

    void listKeepsComDevicesLastReportedFirst() {
        qint16 selected = 1;
        const QList<InventoryDevice> devices = {
            device(QStringLiteral("Communications Port (COM1)")),
            device(QStringLiteral("USB Composite Device")),
            {QStringLiteral("USB Serial Port (COM5)"), QStringLiteral("  Adapter five  ")},
            {QStringLiteral("No port here"), QStringLiteral("Named COM9 but caption lacks it")},
        };
        const PortListing listing = CercaPorteCom(devices, selected);
        QVERIFY(listing.PortsFound);
        QCOMPARE(listing.PortList, QStringList({QStringLiteral("Adapter five"),
                                                QStringLiteral("Communications Port (COM1)")}));
        QCOMPARE(listing.BoxText, QStringLiteral("Communications Port (COM1)"));
        QCOMPARE(selected, qint16(1));
    }

    void rememberedPortIsPreselected() {
        qint16 selected = 5;
        const QList<InventoryDevice> devices = {
            device(QStringLiteral("Communications Port (COM1)")),
            device(QStringLiteral("USB Serial Port (COM5)"))};
        QCOMPARE(CercaPorteCom(devices, selected).BoxText,
                 QStringLiteral("USB Serial Port (COM5)"));
        QCOMPARE(selected, qint16(5));
    }

    void unknownRememberedPortFallsBackToTheFirstEntry() {
        qint16 selected = 5;
        const QList<InventoryDevice> devices = {
            device(QStringLiteral("Communications Port (COM1)")),
            device(QStringLiteral("USB Serial Port (COM4)"))};
        const PortListing listing = CercaPorteCom(devices, selected);
        QCOMPARE(listing.BoxText, QStringLiteral("USB Serial Port (COM4)"));
        QCOMPARE(selected, qint16(1));
    }

    void noComDeviceOffersOneToNinetyNine() {
        qint16 selected = 7;
        const PortListing listing =
            CercaPorteCom(QList<InventoryDevice>{device(QStringLiteral("Mouse"))}, selected);
        QVERIFY(!listing.PortsFound);
        QCOMPARE(listing.PortList.size(), 99);
        QCOMPARE(listing.PortList.first(), QStringLiteral("1"));
        QCOMPARE(listing.PortList.last(), QStringLiteral("99"));
        QCOMPARE(listing.BoxText, QStringLiteral("7"));
        QCOMPARE(selected, qint16(7));
    }

    void failedQueryCountsAsEmpty() {
        qint16 selected = 3;
        const PortListing listing = CercaPorteCom(std::nullopt, selected);
        QVERIFY(!listing.PortsFound);
        QCOMPARE(listing.PortList.size(), 99);
        QCOMPARE(listing.BoxText, QStringLiteral("3"));
    }

    void boxTextMatchesTrimmedEntriesCaseSensitively() {
        const QStringList list = {QStringLiteral(" Communications Port (COM1) "),
                                  QStringLiteral("USB Serial Port (COM5)")};
        QVERIFY(TrovaDatiCBX(QStringLiteral("  USB Serial Port (COM5)"), list));
        QVERIFY(TrovaDatiCBX(QStringLiteral("Communications Port (COM1)"), list));
        QVERIFY(!TrovaDatiCBX(QStringLiteral("usb serial port (com5)"), list));
        QVERIFY(!TrovaDatiCBX(QStringLiteral("USB"), list));
        QVERIFY(!TrovaDatiCBX(QString(), QStringList()));
    }

    void usbChoiceDependsOnTheCodePage() {
        QVERIFY(usbChoiceOffered(Latin1CodePage()));
        QVERIFY(!usbChoiceOffered(LeadByteCodePage()));
    }

    void systemInventoryListsExactlyTheConfiguredPorts() {
        const QStringList keys = QProcessEnvironment::systemEnvironment().keys();
        for (const QString &key : keys) {
            if (key.startsWith(QLatin1String("RV44_COM")))
                qunsetenv(key.toLatin1().constData());
        }
        qputenv("RV44_COM4", "/dev/ttyUSB7");
        qputenv("RV44_COM1", "/dev/null");
        const auto devices = SystemDeviceInventory().query();
        qunsetenv("RV44_COM4");
        qunsetenv("RV44_COM1");
        QVERIFY(devices);
        QCOMPARE(devices->size(), 2);
        QCOMPARE(devices->at(0).Caption, QStringLiteral("Communications Port (COM1)"));
        QCOMPARE(devices->at(1).Name, QStringLiteral("USB Serial Port (COM4)"));
        qint16 selected = 4;
        QCOMPARE(CercaPorteCom(devices, selected).PortList.first(),
                 QStringLiteral("USB Serial Port (COM4)"));
    }

    void windowIsCentredInTheUpperPartOfTheScreen() {
        const QPointF at = centeredPosition(QSizeF(2000, 1000), QSizeF(400, 300));
        QCOMPARE(at.y(), 275.0);
        QCOMPARE(at.x(), 800.0);
        QCOMPARE(centeredPosition(QSizeF(1001, 1001), QSizeF(100, 101)).y(), 374.925);
    }
};

QTEST_GUILESS_MAIN(PortDiscoveryTest)
#include "portdiscovery_test.moc"
