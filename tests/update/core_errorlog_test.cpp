#include "errorlog.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FixedClock : public Clock {
public:
    QDateTime now() const override { return at; }
    QDateTime at{QDate(2026, 3, 14), QTime(9, 26, 53)};
};

QByteArray ReadAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Stamp(const QDateTime &at) {
    const QLocale locale = QLocale::system();
    return (locale.toString(at.date(), QLocale::ShortFormat) + " " +
            locale.toString(at.time(), QLocale::ShortFormat))
        .toLatin1();
}

} // namespace

TEST(ErrorLog, FirstFailedTryOfEachKindWritesOneLine) {
    QTemporaryDir dir;
    FixedClock clock;
    ErrorLog log(dir.path(), clock);
    const QString fileDate = "   01/02/26 10:00";
    const QString fileLen = "   4096   ";
    log.LogFileErroriUP(0, 0, fileDate, fileLen, "0x280080", "Null");
    for (qint16 attempt = 1; attempt <= 4; ++attempt)
        log.LogFileErroriUP(attempt, 0, fileDate, fileLen, "0x280080", "Error");
    log.LogFileErroriUP(0, 1, fileDate, fileLen, "0x0", "Error");
    log.LogFileErroriUP(0, 2, fileDate, fileLen, "0x100", "Null");
    log.LogFileErroriUP(0, 3, fileDate, fileLen, "0x180", "Null");

    const QByteArray stamp = Stamp(clock.at);
    const QByteArray expected = stamp + " FW: \t0x280080\t   01/02/26 10:00   4096   Null\r\n" +
                                stamp + " FPGA: \t0x0\t   01/02/26 10:00   4096   Error\r\n" +
                                stamp + " BIOS: \t0x100\t   01/02/26 10:00   4096   Null\r\n";
    EXPECT_EQ(ReadAll(log.filePath()), expected);
    EXPECT_EQ(QFileInfo(log.filePath()).fileName(), "LogFile.DAT");
}

TEST(ErrorLog, AppendsToExistingFileInLatin1) {
    QTemporaryDir dir;
    FixedClock clock;
    ErrorLog log(dir.path(), clock);
    {
        QFile file(log.filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old line\r\n");
    }
    log.LogFileErroriUP(0, 0, QString::fromLatin1("   d\xe9"), "   1   ", "0x0", "Null");
    const QByteArray content = ReadAll(log.filePath());
    EXPECT_TRUE(content.startsWith("old line\r\n"));
    EXPECT_TRUE(content.endsWith("   d\xe9   1   Null\r\n"));
}

TEST(ErrorLog, UnwritableLogIsSkippedQuietly) {
    QTemporaryDir dir;
    FixedClock clock;
    ErrorLog log(dir.filePath("no/such/dir"), clock);
    testing::internal::CaptureStderr();
    log.LogFileErroriUP(0, 0, "", "", "0x0", "Null");
    log.LogFileErroriUP(0, 0, "", "", "0x80", "Null");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("LogFile.DAT"), std::string::npos);
    // Said once, not per block.
    EXPECT_EQ(err.find("LogFile.DAT"), err.rfind("LogFile.DAT"));
}

TEST(ErrorLog, NoDirectoryMeansTheCurrentOne) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    FixedClock clock;
    ErrorLog log(QString(), clock);
    log.LogFileErroriUP(0, 0, "", "", "0x0", "Null");
    QDir::setCurrent(previous);
    EXPECT_TRUE(QFile::exists(dir.filePath("LogFile.DAT")));
}
