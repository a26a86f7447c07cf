#include "codepage.h"
#include "deviceinventory.h"
#include "fakes.h"
#include "programstate.h"
#include "settingsfile.h"
#include "wlcome.h"

#include <Glowtag.h>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

class ListedInventory : public DeviceInventory {
public:
    std::optional<QList<InventoryDevice>> devices = QList<InventoryDevice>();
    std::optional<QList<InventoryDevice>> query() override { return devices; }
};

class LeadByteCodePage : public CodePage {
public:
    QString toUnicode(const QByteArray &) const override { return QString(QChar(0xFFFD)); }
    QByteArray fromUnicode(const QString &) const override { return "?"; }
};

QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

InventoryDevice port(const QString &name) {
    return {name, name};
}

} // namespace

class WlcomeTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString previousDirectory_;
    ProgramState state_;
    RecordingBoxes boxes_;
    RecordingEnd end_;
    ListedInventory inventory_;
    Latin1CodePage latin1_;
    std::unique_ptr<Wlcome> window_;
    int handOvers_ = 0;

    Wlcome *load(const CodePage *codePage = nullptr) {
        window_ = std::make_unique<Wlcome>(state_, boxes_, end_, inventory_,
                                           codePage ? *codePage : latin1_);
        window_->setHandOver([this] { ++handOvers_; });
        if (!window_->Form_Load())
            return nullptr;
        window_->show();
        return window_.get();
    }
    QComboBox *portBox() const {
        return window_->findChild<QComboBox *>(QStringLiteral("ComboPortDevice"));
    }
    QPushButton *button(const char *name) const {
        return window_->findChild<QPushButton *>(QLatin1String(name));
    }
    QByteArray settingsBytes() const {
        return readAll(dir_->filePath(QStringLiteral("RV44UP.STR")));
    }
    void writeSettings(qint16 port, qint16 labelStyle = 1) {
        SettingsRecord record;
        record.SelectedPortNumber = port;
        record.LabelStyle = labelStyle;
        QFile file(dir_->filePath(QStringLiteral("RV44UP.STR")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(SettingsFile::toBytes(record));
    }
    void typeInBox(const QString &text) { portBox()->setEditText(text); }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        previousDirectory_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_->path()));
        state_ = ProgramState();
        boxes_ = RecordingBoxes();
        end_ = RecordingEnd();
        inventory_.devices =
            QList<InventoryDevice>{port(QStringLiteral("Communications Port (COM1)")),
                                   port(QStringLiteral("USB Serial Port (COM4)")),
                                   port(QStringLiteral("Communications Port (COM2)"))};
        handOvers_ = 0;
    }

    void cleanup() {
        window_.reset();
        QDir::setCurrent(previousDirectory_);
        dir_.reset();
    }

    void firstStartWritesDefaultsWithPortZeroAndListsPorts() {
        QVERIFY(load());
        QCOMPARE(settingsBytes().toHex(),
                 QByteArray("140000800f0000800000c0c0c000ffffff00010000000000"));
        QCOMPARE(state_.StartDirectory, QDir::currentPath());
        QVERIFY(window_->PortsFound());
        QCOMPARE(window_->PortList(), QStringList({QStringLiteral("Communications Port (COM2)"),
                                                   QStringLiteral("USB Serial Port (COM4)"),
                                                   QStringLiteral("Communications Port (COM1)")}));
        QCOMPARE(portBox()->count(), 3);
        // Port 0 was validated to 1, which is listed.
        QCOMPARE(portBox()->currentText(), QStringLiteral("Communications Port (COM1)"));
        QCOMPARE(state_.Settings.SelectedPortNumber, qint16(1));
        QVERIFY(boxes_.shown.isEmpty());
    }

    void widgetsSitWhereDesigned() {
        QVERIFY(load());
        QCOMPARE(window_->objectName(), QStringLiteral("Wlcome"));
        QCOMPARE(window_->size(), QSize(474, 270));
        auto *picture = window_->findChild<QLabel *>(QStringLiteral("Picture1"));
        QVERIFY(picture);
        QCOMPARE(picture->pixmap().size(), QSize(454, 139));
        QCOMPARE(picture->geometry(), QRect(9, 40, 457, 150));
        auto *frame = window_->findChild<QGroupBox *>(QStringLiteral("XPFrame1"));
        QVERIFY(frame && frame->inherits("XPFrame"));
        QCOMPARE(frame->title(), QStringLiteral("Please select comm port"));
        QCOMPARE(button("CMBUSB")->text(), QStringLiteral("USB"));
        QCOMPARE(button("CMBUSB")->geometry(), QRect(15, 205, 90, 25));
        QCOMPARE(button("CMBRS232")->text(), QStringLiteral("RS232"));
        QCOMPARE(button("CMBRS232")->geometry(), QRect(15, 235, 90, 25));
        QVERIFY(button("CMBUSB")->isVisible());
        QVERIFY(portBox()->isEditable());
        QCOMPARE(portBox()->x(), 115);
        QVERIFY(portBox()->geometry().right() <= frame->geometry().right());
        QCOMPARE(window_->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(window_->windowTitle(), QStringLiteral("UPGRADING UTILITY   2.09 21/02/2014"));
    }

    void backgroundLabelCoversTheWindowBehindEverything() {
        writeSettings(1, 7);
        QVERIFY(load());
        auto *background = window_->findChild<Glowtag *>(QStringLiteral("LBSfondo"));
        QVERIFY(background);
        QCOMPARE(background->geometry(), window_->rect());
        QCOMPARE(window_->children().indexOf(background), 0);
        QCOMPARE(int(background->Style()), 3);
        QCOMPARE(background->ColoreBordo(), 0x00C0C0C0);
        QVERIFY(background->Caption().isEmpty());
    }

    void captionShowsTheLastReleaseLine() {
        QFile release(QStringLiteral("RV44SeriesUp.DAT"));
        QVERIFY(release.open(QIODevice::WriteOnly));
        release.write("R2\r\nR3\r\n");
        release.close();
        QVERIFY(load());
        QCOMPARE(window_->windowTitle(),
                 QStringLiteral("UPGRADING UTILITY   2.09 21/02/2014   Setup Release: R3"));
        QCOMPARE(state_.SetupRelease, QStringLiteral("R3"));
        QCOMPARE(Wlcome::windowCaption(2, 12, QString()),
                 QStringLiteral("UPGRADING UTILITY   2.12 21/02/2014"));
    }

    void emptyLastReleaseLineLeavesNoTail() {
        QFile release(QStringLiteral("RV44SeriesUp.DAT"));
        QVERIFY(release.open(QIODevice::WriteOnly));
        release.write("R2\r\nR3\r\n\r\n");
        release.close();
        QVERIFY(load());
        QCOMPARE(window_->windowTitle(), QStringLiteral("UPGRADING UTILITY   2.09 21/02/2014"));
    }

    void rs232WithAComEntryStoresItsNumberAndHandsOver() {
        QVERIFY(load());
        portBox()->setCurrentIndex(1); // USB Serial Port (COM4)
        QTest::mouseClick(button("CMBRS232"), Qt::LeftButton);
        QCOMPARE(state_.LinkChoice, QStringLiteral("/COM4"));
        QCOMPARE(handOvers_, 1);
        QVERIFY(!window_->isVisible());
        QCOMPARE(settingsBytes().mid(22, 2), QByteArray::fromHex("0400"));
        QCOMPARE(settingsBytes().size(), 24);
    }

    void rs232WithPortsFoundReadsTheNumberAfterCom_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("stored");
        QTest::newRow("COM12 entry") << "Communications Port (COM12)"
                                     << "/COM12" << 12;
        QTest::newRow("bare number") << "5"
                                     << "/COM1" << 1;
        QTest::newRow("no digits") << "COM"
                                   << "/COM0" << 0;
    }

    void rs232WithPortsFoundReadsTheNumberAfterCom() {
        QFETCH(QString, typed);
        QFETCH(QString, link);
        QFETCH(int, stored);
        QVERIFY(load());
        typeInBox(typed);
        QTest::mouseClick(button("CMBRS232"), Qt::LeftButton);
        QCOMPARE(state_.LinkChoice, link);
        QCOMPARE(state_.Settings.SelectedPortNumber, qint16(stored));
    }

    void rs232WithoutPortsTakesTheTextAsItIs_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("link");
        QTest::newRow("number") << "5"
                                << "/COM5";
        QTest::newRow("empty") << ""
                               << "/COM1";
        QTest::newRow("other text") << "x7"
                                    << "/COMx7";
    }

    void rs232WithoutPortsTakesTheTextAsItIs() {
        QFETCH(QString, typed);
        QFETCH(QString, link);
        inventory_.devices = std::nullopt;
        writeSettings(7);
        QVERIFY(load());
        QVERIFY(!window_->PortsFound());
        QCOMPARE(portBox()->count(), 99);
        QCOMPARE(portBox()->currentText(), QStringLiteral("7"));
        typeInBox(typed);
        QTest::mouseClick(button("CMBRS232"), Qt::LeftButton);
        QCOMPARE(state_.LinkChoice, link);
        // The plain numbers hold no "COM": the stored port is 1.
        QCOMPARE(settingsBytes().mid(22, 2), QByteArray::fromHex("0100"));
    }

    void enterInThePortBoxActsAsRs232() {
        QVERIFY(load());
        typeInBox(QStringLiteral("USB Serial Port (COM4)"));
        QTest::keyClick(portBox()->lineEdit(), Qt::Key_Return);
        QCOMPARE(state_.LinkChoice, QStringLiteral("/COM4"));
        QCOMPARE(handOvers_, 1);
        QCOMPARE(settingsBytes().mid(22, 2), QByteArray::fromHex("0400"));
        // Enter must not have added the text to the list.
        QCOMPARE(portBox()->count(), 3);
    }

    void usbIgnoresThePortBox() {
        writeSettings(2);
        QVERIFY(load());
        typeInBox(QStringLiteral("USB Serial Port (COM4)"));
        QTest::mouseClick(button("CMBUSB"), Qt::LeftButton);
        QCOMPARE(state_.LinkChoice, QStringLiteral("USB"));
        QCOMPARE(handOvers_, 1);
        QVERIFY(!window_->isVisible());
        // The unload still saves the port shown in the box.
        QCOMPARE(settingsBytes().mid(22, 2), QByteArray::fromHex("0400"));
    }

    void closingWithoutChoosingSavesThePortFromTheBox() {
        QVERIFY(load());
        typeInBox(QStringLiteral("Communications Port (COM2)"));
        window_->close();
        QCOMPARE(handOvers_, 0);
        QVERIFY(state_.LinkChoice.isEmpty());
        QCOMPARE(settingsBytes().mid(22, 2), QByteArray::fromHex("0200"));
    }

    void choosingInTheBoxRevalidatesTheText() {
        writeSettings(4);
        QVERIFY(load());
        QCOMPARE(portBox()->currentText(), QStringLiteral("USB Serial Port (COM4)"));
        typeInBox(QStringLiteral("  Communications Port (COM2) "));
        portBox()->showPopup();
        portBox()->hidePopup();
        QCOMPARE(portBox()->currentText(), QStringLiteral("  Communications Port (COM2) "));
        typeInBox(QStringLiteral("something else"));
        portBox()->showPopup();
        portBox()->hidePopup();
        QCOMPARE(portBox()->currentText(), QStringLiteral("USB Serial Port (COM4)"));
    }

    void revalidationComparesLetterCase() {
        QVERIFY(load());
        portBox()->lineEdit()->clear();
        QTest::keyClicks(portBox()->lineEdit(), QStringLiteral("communications port (com2)"));
        QCOMPARE(portBox()->currentText(), QStringLiteral("communications port (com2)"));
        // Not an entry once letter case counts: the remembered port is shown instead.
        portBox()->showPopup();
        portBox()->hidePopup();
        QCOMPARE(portBox()->currentText(), QStringLiteral("Communications Port (COM1)"));
    }

    void choosingInTheNumberBoxRestoresTheRememberedPort() {
        inventory_.devices = QList<InventoryDevice>();
        writeSettings(7);
        QVERIFY(load());
        typeInBox(QStringLiteral("123"));
        portBox()->showPopup();
        portBox()->hidePopup();
        QCOMPARE(portBox()->currentText(), QStringLiteral("7"));
        typeInBox(QStringLiteral(" 42 "));
        portBox()->showPopup();
        portBox()->hidePopup();
        QCOMPARE(portBox()->currentText(), QStringLiteral(" 42 "));
    }

    void doubleByteCodePageHidesUsb() {
        LeadByteCodePage doubleByte;
        QVERIFY(load(&doubleByte));
        QVERIFY(!button("CMBUSB")->isVisible());
        QVERIFY(button("CMBRS232")->isVisible());
    }

    void cancelledSettingsFailureStopsTheLoad() {
        QVERIFY(QDir().mkpath(dir_->filePath(QStringLiteral("RV44UP.STR"))));
        boxes_.answers = {true, false};
        QVERIFY(!load());
        QCOMPARE(boxes_.shown.size(), 2);
        QCOMPARE(boxes_.shown.at(0).text, QStringLiteral("Failed loading"));
        QCOMPARE(end_.status, int(ExitSettingsCancelled));
        QCOMPARE(portBox()->count(), 0);
    }

    void cancelledSaveOnRs232DoesNotHandOver() {
        QVERIFY(load());
        const QString path = dir_->filePath(QStringLiteral("RV44UP.STR"));
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path));
        boxes_.answers = {false};
        QTest::mouseClick(button("CMBRS232"), Qt::LeftButton);
        QCOMPARE(handOvers_, 0);
        QVERIFY(state_.LinkChoice.isEmpty());
        QCOMPARE(boxes_.shown.at(0).text, QStringLiteral("Failed rescue "));
        QCOMPARE(end_.status, int(ExitSettingsCancelled));
    }
};

QTEST_MAIN(WlcomeTest)
#include "wlcome_test.moc"
