#include "ptypeer.h"
#include "qtserialport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

ComMap mapWith(int number, const QString &path) {
    QProcessEnvironment env;
    env.insert(QStringLiteral("RV44_COM%1").arg(number), path);
    return ComMap::build(env, {});
}

double threadCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

TEST(QtSerialPort, NumbersOutsideTheRangeAreInvalid) {
    QtSerialPort port(mapWith(1, QStringLiteral("/dev/null")));
    for (int number : {0, -1, 256}) {
        const OpenResult result = port.open(number);
        EXPECT_EQ(result.failure, OpenFailure::InvalidNumber) << number;
        EXPECT_EQ(port.portNumber(), number);
        EXPECT_FALSE(port.isOpen());
    }
}

TEST(QtSerialPort, UnmappedOrAbsentDevicesAreMissing) {
    QTemporaryDir dir;
    const QString absent = dir.filePath(QStringLiteral("ttyGone"));
    QtSerialPort port(mapWith(2, absent));
    EXPECT_EQ(port.open(1).failure, OpenFailure::Missing);
    const OpenResult result = port.open(2);
    EXPECT_EQ(result.failure, OpenFailure::Missing);
    EXPECT_TRUE(result.reason.contains(absent)) << result.reason.toStdString();
}

TEST(QtSerialPort, SomethingThatIsNoTerminalIsUnavailable) {
    QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("notatty")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    QtSerialPort port(mapWith(1, plain.fileName()));
    const OpenResult result = port.open(1);
    EXPECT_EQ(result.failure, OpenFailure::Unavailable);
    EXPECT_FALSE(result.reason.isEmpty());
    EXPECT_FALSE(port.isOpen());
}

TEST(QtSerialPort, APortHeldElsewhereIsBusyUntilReleased) {
    PtyPeer peer;
    ASSERT_TRUE(peer.ok());
    QtSerialPort holder(mapWith(3, peer.devicePath()));
    QtSerialPort second(mapWith(3, peer.devicePath()));
    ASSERT_TRUE(holder.open(3).ok());
    const OpenResult busy = second.open(3);
    EXPECT_EQ(busy.failure, OpenFailure::Busy);
    EXPECT_FALSE(busy.permissionDenied);
    holder.close();
    EXPECT_TRUE(second.open(3).ok());
}

TEST(QtSerialPort, ADeviceTheUserMayNotOpenSaysSo) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root may open any device node";
    PtyPeer peer;
    ASSERT_TRUE(peer.ok());
    ASSERT_EQ(chmod(QFile::encodeName(peer.slavePath()).constData(), 0), 0);
    QtSerialPort port(mapWith(1, peer.devicePath()));
    const OpenResult result = port.open(1);
    EXPECT_EQ(result.failure, OpenFailure::Busy);
    EXPECT_TRUE(result.permissionDenied);
}

TEST(QtSerialPort, BytesGoBothWaysWithoutAnEventLoop) {
    PtyPeer peer;
    ASSERT_TRUE(peer.ok());
    QtSerialPort port(mapWith(1, peer.devicePath()));
    ASSERT_TRUE(port.open(1).ok());
    EXPECT_TRUE(port.setBreak(true));
    EXPECT_TRUE(port.setBreak(false));

    QByteArray frame;
    for (int i = 0; i < 134; ++i)
        frame.append(static_cast<char>(i * 7));
    EXPECT_TRUE(port.write(frame));
    EXPECT_EQ(peer.receive(1000), frame);

    peer.send(QByteArray("\x00\xffok", 4));
    ASSERT_TRUE(port.waitForInput(1000));
    QElapsedTimer settle;
    settle.start();
    while (port.bytesAvailable() < 4 && settle.elapsed() < 1000)
        port.waitForInput(50);
    EXPECT_EQ(port.read(2), QByteArray("\x00\xff", 2));
    EXPECT_EQ(port.read(100), QByteArray("ok"));
    EXPECT_FALSE(port.waitForInput(100));
    EXPECT_TRUE(port.isOpen());
}

TEST(QtSerialPort, InputHeldInMemoryIsBoundedAndNothingIsLost) {
    PtyPeer peer;
    ASSERT_TRUE(peer.ok());
    QtSerialPort port(mapWith(1, peer.devicePath()));
    ASSERT_TRUE(port.open(1).ok());
    QByteArray flood;
    for (int i = 0; i < 200000; ++i)
        flood.append(static_cast<char>(i % 251));
    std::thread sender([&] { peer.send(flood); });

    // Let the system buffer and ours fill up before anyone reads.
    qint64 most = 0;
    for (int i = 0; i < 20; ++i) {
        port.waitForInput(10);
        most = qMax(most, port.bytesAvailable());
    }
    EXPECT_LE(most, QtSerialPort::ReadBufferBytes);

    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    while (got.size() < flood.size() && clock.elapsed() < 10000) {
        const qint64 waiting = port.bytesAvailable();
        EXPECT_LE(waiting, QtSerialPort::ReadBufferBytes);
        got.append(port.read(waiting));
        if (waiting == 0)
            port.waitForInput(100);
    }
    sender.join();
    EXPECT_EQ(got, flood);
}

TEST(QtSerialPort, AHangUpClosesThePortAndLaterWaitsSleep) {
    PtyPeer peer;
    ASSERT_TRUE(peer.ok());
    QtSerialPort port(mapWith(1, peer.devicePath()));
    ASSERT_TRUE(port.open(1).ok());
    peer.hangUp();

    const double cpuBefore = threadCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(port.waitForInput(300));
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(port.linkLost());
    EXPECT_FALSE(port.waitForInput(300));
    EXPECT_GE(clock.elapsed(), 550);
    EXPECT_LT(threadCpuSeconds() - cpuBefore, 0.3);
    EXPECT_FALSE(port.write("x"));
    EXPECT_EQ(port.bytesAvailable(), 0);
}
