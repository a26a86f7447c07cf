#include "cputime.h"
#include "devicelink.h"
#include "fakes.h"
#include "qtserialport.h"
#include "simprocess.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

Bytes writeFrame(int block) {
    Bytes frame(134, ' ');
    frame[0] = 0x35;
    frame[1] = 0;
    const int address = block * 128;
    frame[2] = static_cast<char>(address >> 16);
    frame[3] = static_cast<char>(address >> 8);
    frame[4] = static_cast<char>(address);
    frame[5] = static_cast<char>(128);
    for (int i = 0; i < 128; ++i)
        frame[6 + i] = static_cast<char>(block * 31 + i);
    return frame;
}

// The link on COM3 against the receiver simulator.
class AgainstSimulator : public ::testing::Test {
protected:
    void startWith(const QStringList &arguments) {
        sim = std::make_unique<SimProcess>(arguments);
        ASSERT_TRUE(sim->start()) << sim->errorText().toStdString();
        QProcessEnvironment env;
        env.insert(QStringLiteral("RV44_COM3"), sim->linkPath());
        port = std::make_unique<QtSerialPort>(ComMap::build(env, {}));
        link = std::make_unique<DeviceLink>(*port, boxes, end);
        ASSERT_TRUE(link->ConnectDevice(QStringLiteral("USB"), QStringLiteral("RV44SeriesUp"),
                                        [this](const QString &c) { caption = c; }));
    }
    Bytes exchange(int block, float timeout = 1.0f) {
        link->setReplyStatus(QString());
        link->SendFrame(writeFrame(block));
        return link->WaitForReply(QStringLiteral("Written OK"), timeout);
    }

    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<QtSerialPort> port;
    RecordingBoxes boxes;
    RecordingEnd end;
    std::unique_ptr<DeviceLink> link;
    QString caption;
};

} // namespace

TEST_F(AgainstSimulator, FramesAreAcknowledgedAfterTheStartUpText) {
    startWith({QStringLiteral("--startup-pieces"), QStringLiteral("3")});
    EXPECT_EQ(caption, QStringLiteral("RV44SeriesUp    (COMM3)  "));
    for (int block = 0; block < 3; ++block)
        EXPECT_TRUE(exchange(block).isEmpty()) << block;
    EXPECT_EQ(link->ReplyStatus(), QString());
    ASSERT_TRUE(sim->waitForFrames(3));
    EXPECT_EQ(sim->frames().value(2), writeFrame(2));
    link->CloseLink();
    sim->stop();
    EXPECT_EQ(sim->flash(0).mid(128, 128), writeFrame(1).mid(6));
}

TEST_F(AgainstSimulator, LowerCaseRepliesSplitInsideTheWordAreFound) {
    startWith({QStringLiteral("--lower-case"), QStringLiteral("--split"),
               QStringLiteral("--split-gap-ms"), QStringLiteral("150")});
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(exchange(0).isEmpty());
    EXPECT_GE(clock.elapsed(), 140);
    EXPECT_TRUE(exchange(1).isEmpty());
}

TEST_F(AgainstSimulator, AWrongReplyComesBackAsTheError) {
    startWith({QStringLiteral("--wrong-reply-frames"), QStringLiteral("2")});
    EXPECT_TRUE(exchange(0).isEmpty());
    const Bytes reply = exchange(1, 0.5f);
    EXPECT_TRUE(BytesToText(reply).contains(QStringLiteral("Checksum ERR"))) << reply.data();
    EXPECT_EQ(link->ReplyStatus(), QStringLiteral("Error"));
    EXPECT_TRUE(exchange(2).isEmpty());
}

TEST_F(AgainstSimulator, ADroppedReplyIsNoReply) {
    startWith({QStringLiteral("--fpga-id="), QStringLiteral("--startup-text="),
               QStringLiteral("--drop-replies"), QStringLiteral("1")});
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(exchange(0), Bytes("No Reply"));
    EXPECT_GE(clock.elapsed(), 1000);
    EXPECT_EQ(link->ReplyStatus(), QStringLiteral("Null"));
    EXPECT_TRUE(exchange(1).isEmpty());
}

TEST_F(AgainstSimulator, AHangUpEndsTheLinkWithoutSpinning) {
    startWith({QStringLiteral("--hangup-after"), QStringLiteral("2")});
    EXPECT_TRUE(exchange(0).isEmpty());
    exchange(1);
    ASSERT_TRUE(sim->waitForExit());
    const double cpuBefore = ProcessCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(exchange(2), Bytes("No Reply"));
    const qint64 elapsed = clock.elapsed();
    EXPECT_GE(elapsed, 1000);
    EXPECT_LT(elapsed, 3000);
    EXPECT_LT(ProcessCpuSeconds() - cpuBefore, 0.5 * elapsed / 1000.0);
    EXPECT_EQ(link->ReplyStatus(), QStringLiteral("Null"));
    EXPECT_FALSE(link->isOpen());
}
