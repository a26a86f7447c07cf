#include "colorschemevalidation.h"
#include "fakes.h"
#include "programstate.h"
#include "settingsfile.h"
#include "settingsstore.h"
#include "setuprelease.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <climits>

namespace {

QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

const QByteArray DefaultsPortZero =
    QByteArray::fromHex("140000800f0000800000c0c0c000ffffff00010000000000");

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    ProgramState state_;
    RecordingBoxes boxes_;
    RecordingEnd end_;

    QString settingsPath() const { return dir_.filePath(QStringLiteral("RV44UP.STR")); }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        state_ = ProgramState();
        state_.StartDirectory = dir_.path();
        boxes_ = RecordingBoxes();
        end_ = RecordingEnd();
        QDir(dir_.path()).removeRecursively();
        QVERIFY(QDir().mkpath(dir_.path()));
    }

    void recordBytesAreLittleEndianAndPacked() {
        SettingsRecord record;
        record.SchemeColorBegin = 0x11223344;
        record.SchemeColorEnd = -2;
        record.SchemeControlStyle = 0x0102;
        record.LabelColorBegin = 0x00ABCDEF;
        record.LabelColorEnd = INT_MIN;
        record.LabelStyle = -8;
        record.SchemeSpare = 0x7FFF;
        record.SelectedPortNumber = 4;
        const QByteArray bytes = SettingsFile::toBytes(record);
        QCOMPARE(bytes.toHex(), QByteArray("44332211feffffff0201efcdab0000000080f8ffff7f0400"));
        const SettingsRecord back = SettingsFile::fromBytes(bytes, SettingsRecord());
        QCOMPARE(SettingsFile::toBytes(back), bytes);
        QCOMPARE(SettingsFile::toBytes(SettingsRecord()), DefaultsPortZero);
    }

    void shortRecordKeepsTheMissingFieldsOfTheBase() {
        SettingsRecord written;
        written.SchemeColorBegin = 0x10;
        written.SchemeColorEnd = 0x20;
        written.SchemeControlStyle = 1;
        written.LabelColorBegin = 0x30;
        SettingsRecord base;
        base.SelectedPortNumber = 7;
        // 12 bytes: the third field complete, the fourth cut in half.
        const SettingsRecord read =
            SettingsFile::fromBytes(SettingsFile::toBytes(written).left(12), base);
        QCOMPARE(read.SchemeColorBegin, 0x10);
        QCOMPARE(read.SchemeColorEnd, 0x20);
        QCOMPARE(read.SchemeControlStyle, qint16(1));
        QCOMPARE(read.LabelColorBegin, SettingsRecord().LabelColorBegin);
        QCOMPARE(read.SelectedPortNumber, qint16(7));
    }

    void validationTable_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("expected");
        // field: 0 SchemeColorBegin, 1 SchemeColorEnd, 2 SchemeControlStyle,
        // 3 LabelColorBegin, 4 LabelColorEnd, 5 LabelStyle, 6 SchemeSpare, 7 port
        QTest::newRow("system colour default stays") << 0 << int(0x80000014) << int(0x80000014);
        QTest::newRow("other system colour end") << 1 << int(0x80000005) << int(0x8000000F);
        QTest::newRow("system colour label") << 3 << int(0x80000005) << 0x00C0C0C0;
        QTest::newRow("negative colour") << 4 << -255 << 255;
        QTest::newRow("most negative colour") << 4 << INT_MIN << 0x00FFFFFF;
        QTest::newRow("above white") << 3 << 0x01000000 << 0x00C0C0C0;
        QTest::newRow("white") << 0 << 0x00FFFFFF << 0x00FFFFFF;
        QTest::newRow("control style 2") << 2 << 2 << 0;
        QTest::newRow("control style -1") << 2 << -1 << 1;
        QTest::newRow("control style -32768") << 2 << -32768 << 0;
        QTest::newRow("label style 9") << 5 << 9 << 1;
        QTest::newRow("label style -8") << 5 << -8 << 8;
        QTest::newRow("label style -32768") << 5 << -32768 << 1;
        QTest::newRow("spare negative") << 6 << -300 << 300;
        QTest::newRow("spare -32768") << 6 << -32768 << 0;
        QTest::newRow("port 0") << 7 << 0 << 1;
        QTest::newRow("port 100") << 7 << 100 << 1;
        QTest::newRow("port 150") << 7 << 150 << 1;
        QTest::newRow("port -100") << 7 << -100 << 1;
        QTest::newRow("port -12") << 7 << -12 << 12;
        QTest::newRow("port 99") << 7 << 99 << 99;
        QTest::newRow("port -32768") << 7 << -32768 << 1;
    }

    void validationTable() {
        QFETCH(int, field);
        QFETCH(int, stored);
        QFETCH(int, expected);
        SettingsRecord record;
        record.SelectedPortNumber = 3;
        auto fieldOf = [&](SettingsRecord &r) -> qint64 {
            const qint64 values[] = {r.SchemeColorBegin, r.SchemeColorEnd,    r.SchemeControlStyle,
                                     r.LabelColorBegin,  r.LabelColorEnd,     r.LabelStyle,
                                     r.SchemeSpare,      r.SelectedPortNumber};
            return values[field];
        };
        switch (field) {
        case 0:
            record.SchemeColorBegin = stored;
            break;
        case 1:
            record.SchemeColorEnd = stored;
            break;
        case 2:
            record.SchemeControlStyle = qint16(stored);
            break;
        case 3:
            record.LabelColorBegin = stored;
            break;
        case 4:
            record.LabelColorEnd = stored;
            break;
        case 5:
            record.LabelStyle = qint16(stored);
            break;
        case 6:
            record.SchemeSpare = qint16(stored);
            break;
        default:
            record.SelectedPortNumber = qint16(stored);
            break;
        }
        ValidateColorScheme(record, SettingsRecord());
        QCOMPARE(fieldOf(record), qint64(expected));
        // The checks stand alone: the other (valid) fields are untouched.
        if (field != 7)
            QCOMPARE(record.SelectedPortNumber, qint16(3));
        if (field != 5)
            QCOMPARE(record.LabelStyle, qint16(1));
    }

    void firstStartCreatesTheFileWithDefaultsAndPortZero() {
        SettingsStore store(state_, boxes_, end_);
        QVERIFY(store.LoadSettings());
        QCOMPARE(readAll(settingsPath()), DefaultsPortZero);
        QVERIFY(boxes_.shown.isEmpty());
    }

    void existingFileIsReadAsIsAndNotValidated() {
        SettingsRecord stored;
        stored.LabelStyle = 9;
        stored.SelectedPortNumber = 150;
        writeAll(settingsPath(), SettingsFile::toBytes(stored));
        SettingsStore store(state_, boxes_, end_);
        QVERIFY(store.LoadSettings());
        QCOMPARE(state_.Settings.LabelStyle, qint16(9));
        QCOMPARE(state_.Settings.SelectedPortNumber, qint16(150));
        store.ValidateColorScheme();
        QCOMPARE(state_.Settings.LabelStyle, qint16(1));
        QCOMPARE(state_.Settings.SelectedPortNumber, qint16(1));
    }

    void tenByteFileTakesDefaultsForTheRest() {
        SettingsRecord stored;
        stored.SchemeColorBegin = 0x123456;
        stored.SchemeColorEnd = 0x654321;
        stored.SchemeControlStyle = 1;
        writeAll(settingsPath(), SettingsFile::toBytes(stored).left(10));
        SettingsStore store(state_, boxes_, end_);
        QVERIFY(store.LoadSettings());
        store.ValidateColorScheme();
        QCOMPARE(state_.Settings.SchemeColorBegin, 0x123456);
        QCOMPARE(state_.Settings.SchemeColorEnd, 0x654321);
        QCOMPARE(state_.Settings.SchemeControlStyle, qint16(1));
        QCOMPARE(state_.Settings.LabelColorBegin, 0x00C0C0C0);
        QCOMPARE(state_.Settings.LabelStyle, qint16(1));
        QCOMPARE(state_.Settings.SelectedPortNumber, qint16(1));
        // The file itself is only read.
        QCOMPARE(readAll(settingsPath()).size(), 10);
    }

    void savingKeepsTheTailOfALongerFile() {
        const QByteArray tail("tail bytes kept");
        writeAll(settingsPath(), QByteArray(24, '\xAA') + tail);
        state_.Settings.SelectedPortNumber = 4;
        SettingsStore store(state_, boxes_, end_);
        QVERIFY(store.SaveSettings());
        const QByteArray bytes = readAll(settingsPath());
        QCOMPARE(bytes.size(), 24 + tail.size());
        QCOMPARE(bytes.left(24), SettingsFile::toBytes(state_.Settings));
        QCOMPARE(bytes.mid(22, 2), QByteArray::fromHex("0400"));
        QCOMPARE(bytes.mid(24), tail);
    }

    void saveFailureAsksUntilCancelThenEndsTheProgram() {
        QVERIFY(QDir().mkpath(settingsPath())); // a directory cannot be written as a file
        boxes_.answers = {true, true, false};
        SettingsStore store(state_, boxes_, end_);
        QVERIFY(!store.SaveSettings());
        QCOMPARE(boxes_.shown.size(), 3);
        for (const RecordingBoxes::Shown &shown : boxes_.shown) {
            QCOMPARE(shown.kind, QStringLiteral("retrycancel"));
            QCOMPARE(shown.text, QStringLiteral("Failed rescue "));
        }
        QCOMPARE(end_.calls, 1);
        QCOMPARE(end_.status, int(ExitSettingsCancelled));
    }

    void saveRetrySucceedsOnceTheFileCanBeWritten() {
        QVERIFY(QDir().mkpath(settingsPath()));
        // The answerer clears the obstacle before saying Retry.
        struct FixingBoxes : RecordingBoxes {
            QString path;
            bool askRetryCancel(const QString &text) override {
                RecordingBoxes::askRetryCancel(text);
                return QDir(path).removeRecursively();
            }
        } boxes;
        boxes.path = settingsPath();
        SettingsStore store(state_, boxes, end_);
        QVERIFY(store.SaveSettings());
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY(!end_.ended());
        QCOMPARE(readAll(settingsPath()).size(), 24);
    }

    void creatingANewFileThatFailsIsASaveFailure() {
        // A dangling link: the file does not exist, and creating it fails.
        QVERIFY(QFile::link(dir_.filePath(QStringLiteral("gone/RV44UP.STR")), settingsPath()));
        boxes_.answers = {true, false};
        SettingsStore store(state_, boxes_, end_);
        QVERIFY(!store.LoadSettings());
        QCOMPARE(boxes_.shown.size(), 2);
        QCOMPARE(boxes_.shown.at(0).text, QStringLiteral("Failed rescue "));
        QCOMPARE(end_.status, int(ExitSettingsCancelled));
    }

    void unreadableFileIsALoadFailure() {
        QVERIFY(QDir().mkpath(settingsPath()));
        boxes_.answers = {true, false};
        SettingsStore store(state_, boxes_, end_);
        QVERIFY(!store.LoadSettings());
        QCOMPARE(boxes_.shown.size(), 2);
        QCOMPARE(boxes_.shown.at(1).text, QStringLiteral("Failed loading"));
        QCOMPARE(end_.status, int(ExitSettingsCancelled));
    }

    void vanishedStartDirectoryIsReportedNotCreated() {
        state_.StartDirectory = dir_.filePath(QStringLiteral("vanished"));
        SettingsStore store(state_, boxes_, end_);
        QVERIFY(!store.LoadSettings());
        QCOMPARE(boxes_.shown.size(), 1);
        QCOMPARE(boxes_.shown.at(0).text, QStringLiteral("Failed loading"));
        QVERIFY(!store.SaveSettings());
        QCOMPARE(boxes_.shown.at(1).text, QStringLiteral("Failed rescue "));
        QVERIFY(!QFileInfo::exists(state_.StartDirectory));
    }

    void resetSchemeLeavesThePortAlone() {
        state_.Settings.LabelStyle = 5;
        state_.Settings.SelectedPortNumber = 42;
        SettingsStore store(state_, boxes_, end_);
        store.ResetScheme(true);
        QCOMPARE(state_.Settings.LabelStyle, qint16(5));
        store.ResetScheme(false);
        QCOMPARE(state_.Settings.LabelStyle, qint16(1));
        QCOMPARE(state_.Settings.SelectedPortNumber, qint16(42));
    }

    void releaseTextIsTheLastLine() {
        QCOMPARE(lastLineOf("R2\r\nR3"), QStringLiteral("R3"));
        QCOMPARE(lastLineOf("R2\r\nR3\r\n"), QStringLiteral("R3"));
        QCOMPARE(lastLineOf("R2\rR3\r"), QStringLiteral("R3"));
        QCOMPARE(lastLineOf("R2\nR3\n"), QStringLiteral("R3"));
        QCOMPARE(lastLineOf("R2\r\nR3\r\n\r\n"), QString());
        QCOMPARE(lastLineOf("R3\r\n\r\n\r\n"), QString());
        QCOMPARE(lastLineOf(""), QString());
        QCOMPARE(lastLineOf("Rel \xE9"), QStringLiteral("Rel \u00E9"));
    }

    void releaseFileIsFoundWhateverItsLetterCase() {
        QCOMPARE(LeggiDatiSetup(dir_.path()), QString());
        writeAll(dir_.filePath(QStringLiteral("rv44seriesup.dat")), "R2\r\nR3\r\n");
        QCOMPARE(LeggiDatiSetup(dir_.path()), QStringLiteral("R3"));
    }

    void longReleaseFileIsReadToTheEnd() {
        QByteArray text;
        for (int i = 0; i < 20000; ++i)
            text += "line " + QByteArray::number(i) + "\r\n";
        writeAll(dir_.filePath(QStringLiteral("RV44SeriesUp.DAT")), text);
        QCOMPARE(LeggiDatiSetup(dir_.path()), QStringLiteral("line 19999"));
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "settings_test.moc"
