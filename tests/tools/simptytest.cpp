#include "rawclient.h"
#include "simprocess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>
#include <memory>

namespace {

const QByteArray kGreeting = "RV44S Receiver\r\nFPGA Loaded --->(ID= 0x0104 )\r\n";
const QByteArray kAck = "Written OK\r\n";

QByteArray bytesFrom(int first, int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(char(first + i));
    return bytes;
}

class SimPty : public ::testing::Test {
protected:
    // Starts the simulator and connects; the greeting is read away unless keepGreeting.
    void connect(QStringList arguments, bool keepGreeting = false) {
        if (!keepGreeting)
            arguments += {"--startup-delay-ms", "0"};
        sim = std::make_unique<SimProcess>(arguments);
        ASSERT_TRUE(sim->start()) << sim->errorText().toStdString();
        ASSERT_TRUE(client.open(sim->linkPath()));
        if (!keepGreeting) {
            ASSERT_TRUE(client.readUntil(")\r\n").endsWith(")\r\n"));
        }
    }

    QByteArray exchange(const QByteArray &frame, const QByteArray &expected = kAck) {
        client.write(frame);
        return client.readUntil(expected, 1000);
    }

    // Flash files are rewritten whole; wait until one holds what is expected.
    bool waitForFlash(int index, const QByteArray &expected) {
        for (int i = 0; i < 200 && sim->flash(index) != expected; ++i)
            QThread::msleep(10);
        return sim->flash(index) == expected;
    }

    std::unique_ptr<SimProcess> sim;
    RawClient client;
};

} // namespace

TEST_F(SimPty, GreetsEveryClientThatOpensThePort) {
    connect({"--startup-delay-ms", "50"}, true);
    EXPECT_EQ(client.readUntil(")\r\n"), kGreeting);
    client.close();
    QThread::msleep(80); // the simulator polls for the hang-up every 20 ms
    ASSERT_TRUE(client.open(sim->linkPath()));
    EXPECT_EQ(client.readUntil(")\r\n"), kGreeting) << "a new session greets again";
}

TEST_F(SimPty, FrameSentRightAfterOpeningIsNotLost) {
    connect({"--startup-text="}, true);
    client.close();
    for (int round = 0; round < 5; ++round) {
        QThread::msleep(60); // let the simulator see the previous client go
        ASSERT_TRUE(client.open(sim->linkPath()));
        client.write(QByteArray("\x34\x00", 2));
        EXPECT_EQ(client.readUntil("\r\n", 1000), "Done..\r\n") << "round " << round;
        client.close();
    }
}

TEST_F(SimPty, GreetingCanComeInPieces) {
    connect({"--model", "RV44F", "--startup-pieces", "3", "--piece-gap-ms", "80",
             "--startup-delay-ms", "0"},
            true);
    const QByteArray first = client.readOnce(1000);
    EXPECT_GT(first.size(), 0);
    EXPECT_LT(first.size(), 25);
    const QByteArray all = first + client.readUntil(")\r\n");
    EXPECT_EQ(all, "RV44F Receiver\r\nFPGA Loaded --->(ID= 0x0104 )\r\n");
}

TEST_F(SimPty, StoredBlocksLandInTheFlashFileAndTheTrace) {
    connect({});
    EXPECT_TRUE(exchange(QByteArray("\x34\x02", 2), "Done..").contains("Done..\r\n"));
    client.write(QByteArray("\x99"));
    const QByteArray first = writeFrame(2, 0x10, bytesFrom(1, 128));
    const QByteArray second = writeFrame(2, 0x90, bytesFrom(200, 44));
    EXPECT_EQ(exchange(first), kAck);
    EXPECT_EQ(exchange(second), kAck);
    client.write(QByteArray("\x36"));

    const QByteArray expected =
        QByteArray(0x10, char(0xFF)) + bytesFrom(1, 128) + bytesFrom(200, 44);
    EXPECT_TRUE(waitForFlash(2, expected)) << "the end-of-update byte writes the flash files";
    EXPECT_TRUE(sim->flash(0).isEmpty());
    ASSERT_TRUE(sim->waitForFrames(4));
    EXPECT_EQ(sim->frames(), (QList<QByteArray>{QByteArray("\x34\x02", 2), first, second, "\x36"}));
    QFile trace(sim->tracePath());
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    EXPECT_TRUE(trace.readAll().startsWith("34 02\n?? 99\n35 02 00 00 10 80 01 02"));
}

TEST_F(SimPty, InvalidFrameIsRefusedAndTheNextOneStillWorks) {
    connect({});
    QByteArray bad = writeFrame(0, 0, "abc");
    bad[100] = 'x';
    EXPECT_EQ(exchange(bad, "\r\n"), "Frame ERROR\r\n");
    EXPECT_EQ(exchange(writeFrame(0, 3, "abc")), kAck);
    sim->stop();
    EXPECT_EQ(sim->flash(0), QByteArray(3, char(0xFF)) + "abc");
}

TEST_F(SimPty, FrameSplitOverWritesIsAnsweredWhenComplete) {
    connect({});
    const QByteArray frame = writeFrame(1, 0, "split");
    client.write(frame.left(70));
    EXPECT_EQ(client.readFor(100), "") << "half a frame gets no answer";
    EXPECT_EQ(exchange(frame.mid(70)), kAck);
}

TEST_F(SimPty, DroppedReplyStillStoresTheBlock) {
    connect({"--drop-replies", "2"});
    EXPECT_EQ(exchange(writeFrame(0, 0, "a")), kAck);
    client.write(writeFrame(0, 1, "b"));
    EXPECT_EQ(client.readFor(300), "");
    EXPECT_EQ(exchange(writeFrame(0, 2, "c")), kAck);
    sim->stop();
    EXPECT_EQ(sim->flash(0), "abc");
}

TEST_F(SimPty, WrongReplyIsSentInsteadOfTheAckAndNothingStored) {
    connect({"--wrong-reply-frames", "1", "--wrong-reply", "Oops\\r\\n"});
    EXPECT_EQ(exchange(writeFrame(3, 0, "a"), "\r\n"), "Oops\r\n");
    sim->stop();
    EXPECT_TRUE(sim->flash(3).isEmpty());
}

TEST_F(SimPty, SplitLowerCaseReplyArrivesInTwoReads) {
    connect({"--split", "--lower-case", "--split-gap-ms", "60"});
    client.write(writeFrame(0, 0, "a"));
    const QByteArray first = client.readOnce(1000);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_FALSE(first.contains("written ok"));
    EXPECT_TRUE(QByteArray("written ok\r\n").startsWith(first));
    EXPECT_EQ(first + client.readUntil("\r\n"), "written ok\r\n");
}

TEST_F(SimPty, HangUpMakesTheDeviceVanish) {
    connect({"--hangup-after", "2"});
    EXPECT_EQ(exchange(writeFrame(1, 0, "x")), kAck);
    EXPECT_EQ(exchange(writeFrame(1, 1, "y")), kAck) << "the last frame is still answered";
    EXPECT_TRUE(client.hungUp(2000));
    ASSERT_TRUE(sim->waitForExit());
    EXPECT_EQ(sim->exitCode(), 0);
    EXPECT_FALSE(QFileInfo(sim->linkPath()).isSymLink());
    EXPECT_EQ(sim->flash(1), "xy");
}

TEST_F(SimPty, SilentReceiverAnswersNothingMore) {
    connect({"--silent-after", "1"});
    EXPECT_EQ(exchange(writeFrame(0, 0, "a")), kAck);
    client.write(writeFrame(0, 1, "b"));
    client.write(QByteArray("\x34\x00", 2));
    EXPECT_EQ(client.readFor(300), "");
}

TEST_F(SimPty, BurstOfFramesIsAnsweredInFullAndInOrder) {
    // Far more than the simulator takes in ahead of the paced line.
    connect({"--baud", "2000000"});
    QByteArray burst;
    QByteArray expectedFlash;
    for (int i = 0; i < 150; ++i) {
        const QByteArray data = bytesFrom(i, 3);
        burst += writeFrame(0, quint32(3 * i), data);
        expectedFlash += data;
    }
    ASSERT_TRUE(client.writeAll(burst));
    const QByteArray acks = client.readUntil(kAck.repeated(150), 5000);
    EXPECT_EQ(acks.count(kAck), 150);
    sim->stop();
    EXPECT_EQ(sim->flash(0), expectedFlash);
    EXPECT_EQ(sim->frames().size(), 150);
}

TEST_F(SimPty, BaudRatePacesFramesAndReplies) {
    connect({"--baud", "9600"});
    QElapsedTimer timer;
    timer.start();
    // 134 bytes in and 12 out at 960 bytes a second take about 152 ms.
    EXPECT_EQ(exchange(writeFrame(0, 0, "a")), kAck);
    EXPECT_GE(timer.elapsed(), 140);
}

TEST_F(SimPty, GreetingRepeatsOnlyUntilTheFirstFrame) {
    connect({"--repeat-text-ms", "100", "--startup-delay-ms", "0"}, true);
    EXPECT_GE(client.readFor(350).count("Receiver"), 3);
    client.write(QByteArray("\x36"));
    client.readFor(50);
    EXPECT_EQ(client.readFor(300), "");
}

TEST_F(SimPty, OnceEndsWithTheFirstSession) {
    connect({"--once"});
    EXPECT_TRUE(sim->isRunning());
    client.close();
    ASSERT_TRUE(sim->waitForExit());
    EXPECT_EQ(sim->exitCode(), 0);
    EXPECT_FALSE(QFileInfo(sim->linkPath()).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(sim->dir() + "/flash0.bin"));
}

TEST(SimLink, ReplacesAStaleLinkButNoOtherFile) {
    QTemporaryDir dir;
    const QString link = dir.filePath("tty");
    ASSERT_TRUE(QFile::link(dir.filePath("gone"), link));
    QProcess sim;
    sim.start(RV44_SIM_PATH, {"--link", link});
    ASSERT_TRUE(sim.waitForReadyRead(5000));
    EXPECT_EQ(sim.readAllStandardOutput(), "READY " + link.toLocal8Bit() + "\n");
    EXPECT_TRUE(QFileInfo(link).symLinkTarget().startsWith("/dev/pts/"));
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(link).isSymLink());

    QFile regular(link);
    ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    regular.close();
    sim.start(RV44_SIM_PATH, {"--link", link});
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitCode(), 1);
    EXPECT_TRUE(sim.readAllStandardError().contains("not a symlink"));
    EXPECT_TRUE(QFileInfo(link).isFile()) << "a file that is not a link is never replaced";
}

TEST(SimCommandLine, MissingFlashDirectoryIsReportedAtOnce) {
    QTemporaryDir dir;
    QProcess sim;
    sim.start(RV44_SIM_PATH,
              {"--link", dir.filePath("tty"), "--flash-dir", dir.filePath("no-such-dir")});
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitCode(), 1);
    EXPECT_TRUE(sim.readAllStandardError().contains("no-such-dir"));
    EXPECT_FALSE(QFileInfo(dir.filePath("tty")).isSymLink());
}

TEST(SimCommandLine, BadOptionExitsWithStatus2) {
    SimProcess sim({"--no-such-option"});
    EXPECT_FALSE(sim.start(3000));
    EXPECT_TRUE(sim.waitForExit());
    EXPECT_EQ(sim.exitCode(), 2);
    EXPECT_TRUE(sim.errorText().contains("--no-such-option")) << sim.errorText().toStdString();
}
