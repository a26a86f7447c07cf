#include "cputime.h"
#include "devicelink.h"
#include "errorlog.h"
#include "fakes.h"
#include "flashstore.h"
#include "qtserialport.h"
#include "scopedenv.h"
#include "simprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>

namespace {

class FixedClock : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)); }
};

// Records what the store shows, in order; tests hook into the yields.
class RecordingObserver : public StoreObserver {
public:
    void setStatusCaption(const QString &caption) override { captions.append(caption); }
    void setPercent(int percent) override { percents.append(percent); }
    void showAddressLabel() override { addressShown = true; }
    void setAddressCaption(const QString &caption) override { addresses.append(caption); }
    void yieldToEvents() override {
        ++yields;
        if (onYield)
            onYield(yields);
    }
    bool abandoned() const override { return quit; }

    QStringList captions;
    QList<int> percents;
    QStringList addresses;
    bool addressShown = false;
    int yields = 0;
    bool quit = false;
    std::function<void(int)> onYield;
};

QByteArray Pattern(int size, int seed = 3) {
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 7 + seed) & 0xFF);
    return data;
}

class Store : public testing::Test {
protected:
    void startSim(const QStringList &arguments = {}) {
        sim = std::make_unique<SimProcess>(arguments);
        ASSERT_TRUE(sim->start()) << qPrintable(sim->errorText());
        QProcessEnvironment env;
        env.insert(ScopedEnv::comVariable(1), sim->linkPath());
        port = std::make_unique<QtSerialPort>(ComMap::build(env, {}));
        ASSERT_TRUE(port->open(1).ok());
        link = std::make_unique<DeviceLink>(*port, boxes, end);
        drainStartupText();
        log = std::make_unique<ErrorLog>(work.path(), clock);
    }

    // The receiver greets every new client; keep that text out of the first reply.
    void drainStartupText() {
        port->waitForInput(2000);
        while (port->waitForInput(300))
            port->read(4096);
        port->read(4096);
    }

    QString writeImage(const QByteArray &data, const QString &name = "image.bin") {
        const QString path = work.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
        return path;
    }

    StoreOutcome store(const StoreRequest &request) {
        FlashStore flashStore(*link, boxes, observer, *log);
        return flashStore.run(request);
    }

    // Closes the link so the simulator writes its flash files.
    QByteArray flashAfterSession(int index) {
        port->close();
        sim->stop();
        return sim->flash(index);
    }

    QList<QByteArray> writeFrames() const {
        QList<QByteArray> writes;
        for (const QByteArray &f : sim->frames())
            if (f.startsWith('\x35'))
                writes.append(f);
        return writes;
    }

    QStringList logLines() const {
        QFile file(log->filePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromLatin1(file.readAll()).split("\r\n");
        lines.removeAll(QString());
        return lines;
    }

    QTemporaryDir work;
    FixedClock clock;
    RecordingBoxes boxes;
    RecordingEnd end;
    RecordingObserver observer;
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<QtSerialPort> port;
    std::unique_ptr<DeviceLink> link;
    std::unique_ptr<ErrorLog> log;
};

StoreRequest Request(const QString &path, int option = 0) {
    StoreRequest r;
    r.optionIndex = option;
    r.imagePath = path;
    return r;
}

} // namespace

TEST_F(Store, ThreeHundredBytesInThreeFrames) {
    startSim();
    const QByteArray image = Pattern(300);
    // Spaces around the path are ignored.
    StoreRequest request = Request("  " + writeImage(image) + " ");
    QList<int> framesAtYield;
    observer.onYield = [&](int) { framesAtYield.append(int(sim->frames().size())); };

    EXPECT_EQ(store(request), StoreOutcome::Finished);

    ASSERT_TRUE(sim->waitForFrames(4));
    const QList<QByteArray> frames = sim->frames();
    ASSERT_EQ(frames.size(), 4);
    EXPECT_EQ(frames[0].left(6), QByteArray("\x35\x00\x00\x00\x00\x80", 6));
    EXPECT_EQ(frames[1].left(6), QByteArray("\x35\x00\x00\x00\x80\x80", 6));
    EXPECT_EQ(frames[2].left(6), QByteArray("\x35\x00\x00\x01\x00\x2c", 6));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(frames[i].size(), 134);
    EXPECT_EQ(frames[2].mid(6, 44), image.mid(256));
    EXPECT_EQ(frames[2].mid(50), QByteArray(84, ' '));
    EXPECT_EQ(frames[3], QByteArray("\x36", 1));

    // Progress is shown before each send, and the store yields once per try.
    EXPECT_EQ(observer.captions, QStringList({"43%", "85%", "100%"}));
    EXPECT_EQ(observer.percents, QList<int>({0, 43, 85, 100}));
    EXPECT_EQ(framesAtYield, QList<int>({0, 1, 2}));
    EXPECT_EQ(observer.addresses, QStringList({"0x0", "0x80", "0x100"}));
    EXPECT_TRUE(observer.addressShown);

    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].kind, "information");
    EXPECT_EQ(boxes.shown[0].text, " 300 Bytes \rhave been stored");
    EXPECT_TRUE(logLines().isEmpty());
    EXPECT_EQ(flashAfterSession(0), image);
}

TEST_F(Store, ProgressRoundsHalvesToEven) {
    startSim();
    const QByteArray image = Pattern(1024, 9);
    EXPECT_EQ(store(Request(writeImage(image))), StoreOutcome::Finished);
    EXPECT_EQ(observer.captions,
              QStringList({"12%", "25%", "38%", "50%", "62%", "75%", "88%", "100%"}));
    EXPECT_EQ(flashAfterSession(0), image);
}

TEST_F(Store, EmptyImageSendsOnlyTheEnd) {
    startSim();
    EXPECT_EQ(store(Request(writeImage({}))), StoreOutcome::Finished);
    ASSERT_TRUE(sim->waitForFrames(1));
    EXPECT_EQ(sim->frames(), QList<QByteArray>({QByteArray("\x36", 1)}));
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, " 0 Bytes \rhave been stored");
    EXPECT_EQ(observer.yields, 0);
}

TEST_F(Store, ErasedFlashWithWholeBlocksOnly) {
    startSim();
    const QByteArray image = Pattern(256, 11);
    StoreRequest request = Request(writeImage(image), 0);
    request.incWhich = true;
    request.erase = true;
    request.tipoAgg = 2;

    EXPECT_EQ(store(request), StoreOutcome::Finished);

    ASSERT_TRUE(sim->waitForFrames(4));
    const QList<QByteArray> frames = sim->frames();
    ASSERT_EQ(frames.size(), 4);
    EXPECT_EQ(frames[0], QByteArray("\x34\x01", 2));
    EXPECT_EQ(frames[1].left(6), QByteArray("\x35\x01\x00\x00\x00\x80", 6));
    EXPECT_EQ(frames[1].mid(6), image.left(128));
    EXPECT_EQ(frames[2].mid(6), image.mid(128));
    EXPECT_EQ(observer.captions.first(), "Erasing FLASH");
    EXPECT_EQ(flashAfterSession(1), image);
}

TEST_F(Store, StartAddressOnSecondFlashWithoutErase) {
    startSim();
    const QByteArray image = Pattern(200, 5);
    StoreRequest request = Request(writeImage(image), 1);
    request.incWhich = true;
    request.startAddressCaption = "280000";

    EXPECT_EQ(store(request), StoreOutcome::Finished);

    const QList<QByteArray> writes = writeFrames();
    ASSERT_EQ(writes.size(), 2);
    EXPECT_EQ(sim->frames().first().left(6), QByteArray("\x35\x02\x28\x00\x00\x80", 6));
    EXPECT_EQ(writes[1].left(6), QByteArray("\x35\x02\x28\x00\x80\x48", 6));
    EXPECT_EQ(observer.addresses, QStringList({"0x280000", "0x280080"}));
    const QByteArray flash = flashAfterSession(2);
    ASSERT_EQ(flash.size(), 0x280000 + image.size());
    EXPECT_EQ(flash.mid(0x280000), image);
}

TEST_F(Store, BlockAcknowledgedOnFifthTryCostsOneLogLine) {
    startSim({"--drop-replies", "2-5"});
    const QByteArray image = Pattern(300);
    StoreRequest request = Request(writeImage(image));
    request.tipoAgg = 1;

    EXPECT_EQ(store(request), StoreOutcome::Finished);

    EXPECT_EQ(writeFrames().size(), 7);
    EXPECT_EQ(observer.yields, 7);
    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains(" FPGA: \t0x80\t   ")) << qPrintable(lines[0]);
    EXPECT_TRUE(lines[0].endsWith("   300   Null")) << qPrintable(lines[0]);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].kind, "information");
    EXPECT_EQ(flashAfterSession(0), image);
}

TEST_F(Store, FiveFailuresShowTheFirstReplyAndEndNothing) {
    startSim({"--wrong-reply-frames", "2", "--drop-replies", "3-6"});
    StoreRequest request = Request(writeImage(Pattern(300)));

    EXPECT_EQ(store(request), StoreOutcome::Failed);

    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].kind, "warning");
    EXPECT_EQ(boxes.shown[0].text, "Storing ERROR\rChecksum ERR\r\n");
    QThread::msleep(200);
    const QList<QByteArray> frames = sim->frames();
    EXPECT_EQ(frames.size(), 6); // block 1 once, block 2 five times, no end frame
    for (const QByteArray &f : frames)
        EXPECT_TRUE(f.startsWith('\x35'));
    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].endsWith("Error"));
}

TEST_F(Store, SilentReceiverReadsNoReply) {
    startSim({"--silent-after", "0"});
    EXPECT_EQ(store(Request(writeImage(Pattern(10)))), StoreOutcome::Failed);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "Storing ERROR\rNo Reply");
}

TEST_F(Store, MissingImageOrNoOptionSendsNothing) {
    startSim();
    const QString missing = work.filePath("nothing.bin");
    EXPECT_EQ(store(Request(missing)), StoreOutcome::Failed);
    const QString hidden = writeImage(Pattern(10), ".hidden.bin");
    EXPECT_EQ(store(Request(hidden)), StoreOutcome::Failed);
    EXPECT_EQ(store(Request(work.path())), StoreOutcome::Failed);
    EXPECT_EQ(store(Request(writeImage(Pattern(10)), -1)), StoreOutcome::Failed);

    ASSERT_EQ(boxes.shown.size(), 4);
    EXPECT_EQ(boxes.shown[0].text, missing + " Not Found!");
    EXPECT_EQ(boxes.shown[1].text, hidden + " Not Found!");
    EXPECT_EQ(boxes.shown[2].text, work.path() + " Not Found!");
    EXPECT_EQ(boxes.shown[3].text, " You must specify a serial Flash!");
    for (const auto &shown : boxes.shown)
        EXPECT_EQ(shown.kind, "warning");
    QThread::msleep(100);
    EXPECT_TRUE(sim->frames().isEmpty());
}

TEST_F(Store, ImageBeyondTheFlashIsRefusedBeforeAnythingIsSent) {
    startSim();
    StoreRequest request = Request(writeImage(Pattern(300)), 0);
    request.erase = true;
    request.startAddressCaption = "FFFF80";
    EXPECT_EQ(store(request), StoreOutcome::Failed);
    request.startAddressCaption = "FFFFC0";
    EXPECT_EQ(store(request), StoreOutcome::Failed);
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_TRUE(boxes.shown[0].text.startsWith("Storing ERROR\r"));
    EXPECT_TRUE(boxes.shown[0].text.contains("0x1000000")) << qPrintable(boxes.shown[0].text);
    EXPECT_TRUE(boxes.shown[1].text.contains("0xFFFFC0")) << qPrintable(boxes.shown[1].text);
    QThread::msleep(100);
    EXPECT_TRUE(sim->frames().isEmpty());

    // The very last block of the flash fits.
    StoreRequest last = Request(writeImage(Pattern(128)), 0);
    last.startAddressCaption = "FFFF80";
    EXPECT_EQ(store(last), StoreOutcome::Finished);
    ASSERT_TRUE(sim->waitForFrames(2));
    EXPECT_EQ(sim->frames().first().left(6), QByteArray("\x35\x00\xFF\xFF\x80\x80", 6));
}

TEST_F(Store, ImageShrinkingDuringTheStoreIsAReadError) {
    startSim();
    const QString path = writeImage(Pattern(300));
    observer.onYield = [&](int yield) {
        if (yield == 2)
            QFile::resize(path, 200);
    };
    EXPECT_EQ(store(Request(path)), StoreOutcome::Failed);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].kind, "warning");
    EXPECT_TRUE(boxes.shown[0].text.startsWith("Storing ERROR\r" + path))
        << qPrintable(boxes.shown[0].text);
    QThread::msleep(100);
    EXPECT_EQ(sim->frames().size(), 2);
}

TEST_F(Store, UnreadableImageIsReported) {
    startSim();
    const QString path = writeImage(Pattern(300));
    QFile::setPermissions(path, QFileDevice::Permissions());
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that read any file";
    EXPECT_EQ(store(Request(path)), StoreOutcome::Failed);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.contains("ermission")) << qPrintable(boxes.shown[0].text);
    EXPECT_TRUE(sim->frames().isEmpty());
}

TEST_F(Store, OperatorEndingDuringAYieldStopsAtOnce) {
    startSim();
    observer.onYield = [&](int yield) { observer.quit = yield == 2; };
    EXPECT_EQ(store(Request(writeImage(Pattern(300)))), StoreOutcome::Abandoned);
    EXPECT_TRUE(boxes.shown.isEmpty());
    QThread::msleep(100);
    EXPECT_EQ(sim->frames().size(), 1);
}

TEST_F(Store, ChainedAndReturningStoresSendNoEnd) {
    startSim();
    const QByteArray image = Pattern(130);
    StoreRequest chained = Request(writeImage(image), 1);
    chained.incWhich = true;
    chained.chained = true;
    EXPECT_EQ(store(chained), StoreOutcome::FinishedChained);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, " 130 Bytes \rhave been stored");

    StoreRequest returning = Request(writeImage(image), 0);
    returning.terminate = false;
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(store(returning), StoreOutcome::Returned);
    EXPECT_LT(timer.elapsed(), 900); // no pause
    EXPECT_EQ(boxes.shown.size(), 1);

    QThread::msleep(100);
    const QList<QByteArray> frames = sim->frames();
    EXPECT_EQ(frames.size(), 4);
    for (const QByteArray &f : frames)
        EXPECT_TRUE(f.startsWith('\x35'));
    EXPECT_EQ(flashAfterSession(2), image);
}

TEST_F(Store, ReceiverUnpluggedEndsTheStoreWithoutSpinning) {
    startSim({"--hangup-after", "1"});
    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = ProcessCpuSeconds();
    EXPECT_EQ(store(Request(writeImage(Pattern(300)))), StoreOutcome::Failed);
    EXPECT_LT(timer.elapsed(), 7000);
    EXPECT_LT(ProcessCpuSeconds() - cpuBefore, 1.0);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, "Storing ERROR\rNo Reply");
    EXPECT_EQ(writeFrames().size(), 1);
}
