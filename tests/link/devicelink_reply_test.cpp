#include "cputime.h"
#include "devicelink.h"
#include "fakes.h"
#include "ptypeer.h"
#include "qtserialport.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <thread>

namespace {

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// A link opened on COM3, a pseudo-terminal whose other end the test plays.
struct Exchange : ::testing::Test {
    PtyPeer peer;
    std::unique_ptr<QtSerialPort> port;
    RecordingBoxes boxes;
    RecordingEnd end;
    std::unique_ptr<DeviceLink> link;
    std::thread later;

    void SetUp() override {
        ASSERT_TRUE(peer.ok());
        QProcessEnvironment env;
        env.insert(QStringLiteral("RV44_COM3"), peer.devicePath());
        port = std::make_unique<QtSerialPort>(ComMap::build(env, {}));
        link = std::make_unique<DeviceLink>(*port, boxes, end);
        ASSERT_TRUE(
            link->ConnectDevice(QStringLiteral("/COM3"), QStringLiteral("RV44SeriesUp"), {}));
    }
    void TearDown() override {
        if (later.joinable())
            later.join();
    }
    // The peer's side of the conversation, played while the link waits.
    void afterMs(int ms, std::function<void()> action) {
        later = std::thread([ms, action] {
            sleepMs(ms);
            action();
        });
    }
    // Waits until the link sees at least count bytes.
    qint16 settle(int count) {
        QElapsedTimer clock;
        clock.start();
        qint16 waiting = 0;
        while ((waiting = link->PendingInputCount()) < count && clock.elapsed() < 2000)
            port->waitForInput(20);
        return waiting;
    }
};

} // namespace

TEST_F(Exchange, ReplyMatchesWhateverTheCaseAndLeavesTheStatusAlone) {
    link->setReplyStatus(QStringLiteral("Null"));
    peer.send("echo\x35 written ok\r\n");
    EXPECT_EQ(LastIndex(link->WaitForReply(QStringLiteral("Written OK"), 1.0f)), -1);
    EXPECT_EQ(link->ReplyStatus(), QStringLiteral("Null"));
}

TEST_F(Exchange, OtherTextIsReturnedAsTheError) {
    peer.send(Bytes("Err\x00r", 5));
    const Bytes result = link->WaitForReply(QStringLiteral("Written OK"), 0.5f);
    EXPECT_EQ(result, Bytes("Err\x00r", 5));
    EXPECT_EQ(link->ReplyStatus(), QStringLiteral("Error"));
    // A later success does not clear it.
    peer.send("Done..");
    EXPECT_TRUE(link->WaitForReply(QStringLiteral("Done.."), 1.0f).isEmpty());
    EXPECT_EQ(link->ReplyStatus(), QStringLiteral("Error"));
}

TEST_F(Exchange, BytesAfterTheReplyStayForTheNextReader) {
    peer.send("Written OK\r\n");
    afterMs(200, [this] { peer.send("FPGA Loaded"); });
    EXPECT_TRUE(link->WaitForReply(QStringLiteral("Written OK"), 1.0f).isEmpty());
    later.join();
    const qint16 waiting = settle(11);
    EXPECT_EQ(waiting, 11);
    EXPECT_EQ(link->ReadInput(waiting), Bytes("FPGA Loaded"));
}

TEST_F(Exchange, ReadingNothingLeavesInputWaiting) {
    peer.send("abc");
    ASSERT_EQ(settle(3), 3);
    EXPECT_EQ(LastIndex(link->ReadInput(0)), -1);
    EXPECT_EQ(link->PendingInputCount(), 3);
    EXPECT_EQ(link->ReadInput(3), Bytes("abc"));
    EXPECT_EQ(link->PendingInputCount(), 0);
}

TEST_F(Exchange, PendingCountStopsAtTheLargest16BitValue) {
    std::thread sender([this] { peer.send(Bytes(40000, 'x')); });
    EXPECT_EQ(settle(32767), 32767);
    qint64 total = 0;
    QElapsedTimer clock;
    clock.start();
    while (total < 40000 && clock.elapsed() < 5000) {
        const qint16 waiting = link->PendingInputCount();
        EXPECT_GE(waiting, 0);
        total += link->ReadInput(waiting).size();
        if (waiting == 0)
            port->waitForInput(20);
    }
    sender.join();
    EXPECT_EQ(total, 40000);
}

TEST_F(Exchange, FramesReachThePeerWhole) {
    Bytes frame(134, '\0');
    for (int i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<char>(0x35 + i);
    link->SendFrame(frame);
    EXPECT_EQ(peer.receive(1000), frame);
    link->CloseLink();
    link->SendFrame(frame); // silently dropped
    EXPECT_FALSE(link->isOpen());
}

TEST_F(Exchange, AHangUpDuringAWaitEndsItAtTheDeadlineWithoutSpinning) {
    afterMs(200, [this] { peer.hangUp(); });
    const double cpuBefore = ProcessCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    const Bytes result = link->WaitForReply(QStringLiteral("Written OK"), 1.0f);
    const qint64 elapsed = clock.elapsed();
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    EXPECT_EQ(result, Bytes("No Reply"));
    EXPECT_EQ(link->ReplyStatus(), QStringLiteral("Null"));
    EXPECT_GE(elapsed, 1000);
    EXPECT_LT(elapsed, 3000);
    EXPECT_LT(cpu, 0.5 * elapsed / 1000.0);
    EXPECT_FALSE(link->isOpen());
}

TEST_F(Exchange, PauseRunsTheEventLoopAndSurvivesAHangUp) {
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(50);
    peer.hangUp();
    const double cpuBefore = ProcessCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    link->PauseSeconds(0.5f);
    EXPECT_GE(clock.elapsed(), 500);
    EXPECT_GE(ticks, 5);
    EXPECT_LT(ProcessCpuSeconds() - cpuBefore, 0.25);
    EXPECT_FALSE(link->isOpen());
}

TEST_F(Exchange, AZeroPauseStillLetsPendingEventsRun) {
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    link->PauseSeconds(0.0f);
    EXPECT_TRUE(ran);
}
