#include "devicelink.h"
#include "fakes.h"
#include "ptypeer.h"
#include "qtserialport.h"

#include <gtest/gtest.h>

namespace {

const QString Program = QStringLiteral("RV44SeriesUp");

// Answers open attempts from a table, to count attempts and see the line break.
class ScriptedPort : public SerialPort {
public:
    QMap<int, OpenResult> results; // numbers not listed are missing
    QList<int> attempts;
    QList<bool> breaks;
    bool open_ = false;
    int number_ = 0;

    OpenResult open(int comNumber) override {
        attempts.append(comNumber);
        number_ = comNumber;
        OpenResult result;
        result.failure = OpenFailure::Missing;
        result = results.value(comNumber, result);
        open_ = result.ok();
        return result;
    }
    bool isOpen() const override { return open_; }
    int portNumber() const override { return number_; }
    bool setBreak(bool on) override {
        breaks.append(on);
        return open_;
    }
    void close() override { open_ = false; }
    bool write(const QByteArray &) override { return open_; }
    qint64 bytesAvailable() override { return 0; }
    QByteArray read(qint64) override { return {}; }
    bool waitForInput(int) override { return false; }
};

OpenResult failed(OpenFailure kind, const QString &reason = QString(), bool denied = false) {
    OpenResult result;
    result.failure = kind;
    result.reason = reason;
    result.permissionDenied = denied;
    return result;
}

struct Opening : ::testing::Test {
    ScriptedPort port;
    RecordingBoxes boxes;
    RecordingEnd end;
    DeviceLink link{port, boxes, end};
    QStringList captions;

    void open(const QString &choice) {
        link.OpenDevicePort(choice, Program, [this](const QString &c) { captions.append(c); });
    }
    QString onlyCritical() const {
        EXPECT_EQ(boxes.shown.size(), 1);
        if (boxes.shown.isEmpty())
            return QString();
        EXPECT_EQ(boxes.shown.first().kind, QStringLiteral("critical"));
        return boxes.shown.first().text;
    }
};

} // namespace

TEST_F(Opening, UsbTakesTheFirstPortThatOpensAndHoldsTheBreak) {
    port.results[3] = OpenResult();
    port.results[2] = failed(OpenFailure::Busy);
    open(QStringLiteral("USB"));
    EXPECT_EQ(port.attempts, QList<int>({1, 2, 3}));
    EXPECT_EQ(captions, QStringList({QStringLiteral("RV44SeriesUp    (COMM3)  ")}));
    EXPECT_EQ(port.breaks, QList<bool>({true}));
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_FALSE(end.ended());
}

TEST_F(Opening, UsbGivesUpAfterFourPorts) {
    port.results[5] = OpenResult();
    port.results[2] = failed(OpenFailure::Unavailable, QStringLiteral("I/O error"));
    open(QStringLiteral("USB"));
    EXPECT_EQ(port.attempts, QList<int>({1, 2, 3, 4}));
    EXPECT_EQ(onlyCritical(), QStringLiteral("No COMM PORTs Available"));
    EXPECT_EQ(end.status, ExitPortNotOpened);
    EXPECT_TRUE(captions.isEmpty());
}

TEST_F(Opening, UsbSearchMentionsMissingAccessRights) {
    port.results[1] = failed(OpenFailure::Busy, QStringLiteral("Permission denied"), true);
    open(QStringLiteral("USB"));
    const QString text = onlyCritical();
    EXPECT_TRUE(text.startsWith(QStringLiteral("No COMM PORTs Available\r")));
    EXPECT_TRUE(text.contains(QStringLiteral("dialout")));
}

TEST_F(Opening, AFixedPortIsTheOnlyOneTried) {
    port.results[7] = failed(OpenFailure::Busy, QStringLiteral("Device is locked"));
    port.results[8] = OpenResult();
    open(QStringLiteral("/COM7"));
    EXPECT_EQ(port.attempts, QList<int>({7}));
    EXPECT_EQ(onlyCritical(),
              QStringLiteral("The indicated PORT is not Available\rDevice is locked"));
    EXPECT_EQ(end.status, ExitPortNotOpened);
}

TEST_F(Opening, PortNumberComesFromTheDigitsAfterCom) {
    port.results[12] = OpenResult();
    open(QStringLiteral("/COM12"));
    EXPECT_EQ(port.attempts, QList<int>({12}));
    EXPECT_EQ(captions.value(0), QStringLiteral("RV44SeriesUp    (COMM12)  "));
}

TEST_F(Opening, ComIsMatchedWithExactCase) {
    port.results[1] = OpenResult();
    open(QStringLiteral("/com3"));
    EXPECT_EQ(port.attempts, QList<int>({1}));
}

TEST_F(Opening, ComWithoutDigitsIsPortZeroAndNotValid) {
    port.results[0] = failed(OpenFailure::InvalidNumber, QStringLiteral("out of range"));
    open(QStringLiteral("/COM"));
    EXPECT_EQ(port.attempts, QList<int>({0}));
    EXPECT_EQ(onlyCritical(), QStringLiteral("COMM ID 0 NOT VALID"));
    EXPECT_EQ(end.status, ExitPortNotOpened);
}

TEST_F(Opening, AnUnexpectedFailureIsShownBeforeTheEnd) {
    port.results[1] = failed(OpenFailure::Other, QStringLiteral("Unknown error 1234"));
    open(QStringLiteral("USB"));
    EXPECT_EQ(port.attempts, QList<int>({1}));
    EXPECT_TRUE(onlyCritical().endsWith(QStringLiteral("\rUnknown error 1234")));
    EXPECT_EQ(end.status, ExitPortNotOpened);
}

TEST_F(Opening, AnOpenPortIsLeftAsItIs) {
    port.results[2] = OpenResult();
    open(QStringLiteral("/COM2"));
    ASSERT_TRUE(link.isOpen());
    EXPECT_TRUE(link.ConnectDevice(QStringLiteral("/COM5"), QStringLiteral("Other"),
                                   [this](const QString &c) { captions.append(c); }));
    EXPECT_EQ(port.attempts, QList<int>({2}));
    EXPECT_EQ(captions.size(), 1);
    EXPECT_EQ(port.breaks, QList<bool>({true}));
}

TEST_F(Opening, CloseOnlyActsOnAnOpenPort) {
    link.CloseLink();
    EXPECT_FALSE(link.isOpen());
    port.results[1] = OpenResult();
    EXPECT_TRUE(link.ConnectDevice(QStringLiteral("USB"), Program, {}));
    link.CloseLink();
    EXPECT_FALSE(link.isOpen());
}

// The same over real pseudo-terminals.
namespace {

struct RealPorts {
    QProcessEnvironment env;
    RecordingBoxes boxes;
    RecordingEnd end;
    QString caption;

    bool connect(QtSerialPort &port, const QString &choice) {
        DeviceLink link(port, boxes, end);
        return link.ConnectDevice(choice, Program, [this](const QString &c) { caption = c; });
    }
};

} // namespace

TEST(OpeningRealPorts, UsbSkipsUnmappedPortsAndOpensComThree) {
    PtyPeer peer;
    ASSERT_TRUE(peer.ok());
    RealPorts real;
    real.env.insert(QStringLiteral("RV44_COM3"), peer.devicePath());
    QtSerialPort port(ComMap::build(real.env, {}));
    EXPECT_TRUE(real.connect(port, QStringLiteral("USB")));
    EXPECT_EQ(port.portNumber(), 3);
    EXPECT_EQ(real.caption, QStringLiteral("RV44SeriesUp    (COMM3)  "));
    EXPECT_TRUE(real.boxes.shown.isEmpty());
}

TEST(OpeningRealPorts, AFixedPortLockedByAnotherProgramIsNotAvailable) {
    PtyPeer peer;
    ASSERT_TRUE(peer.ok());
    RealPorts real;
    real.env.insert(QStringLiteral("RV44_COM7"), peer.devicePath());
    real.env.insert(QStringLiteral("RV44_COM8"), peer.devicePath());
    QtSerialPort holder(ComMap::build(real.env, {}));
    ASSERT_TRUE(holder.open(7).ok());
    QtSerialPort port(ComMap::build(real.env, {}));
    EXPECT_FALSE(real.connect(port, QStringLiteral("/COM7")));
    ASSERT_EQ(real.boxes.shown.size(), 1);
    EXPECT_TRUE(real.boxes.shown.first().text.startsWith(
        QStringLiteral("The indicated PORT is not Available")));
    EXPECT_EQ(port.portNumber(), 7);
    EXPECT_EQ(real.end.status, ExitPortNotOpened);
}
