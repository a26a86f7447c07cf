#include "simprocess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace {
const char kLinkName[] = "ttyRV44";
const char kTraceName[] = "trace.txt";
const char kStderrName[] = "sim-stderr.txt";

QByteArray readWholeFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
} // namespace

SimProcess::SimProcess(const QStringList &extraArguments) : extraArguments_(extraArguments) {}

SimProcess::~SimProcess() {
    stop();
}

bool SimProcess::start(int timeoutMs) {
    if (!dir_.isValid()) {
        error_ = "no temporary directory: " + dir_.errorString();
        return false;
    }
    QStringList arguments{"--link", linkPath(), "--flash-dir", dir(), "--trace", tracePath()};
    arguments += extraArguments_;
    // A file, not a pipe: a verbose simulator must never block on a full pipe.
    process_.setStandardErrorFile(dir_.filePath(kStderrName));
    process_.start(QStringLiteral(RV44_SIM_PATH), arguments);
    if (!process_.waitForStarted(timeoutMs)) {
        error_ = "cannot start " RV44_SIM_PATH ": " + process_.errorString();
        return false;
    }
    QDeadlineTimer deadline(timeoutMs);
    QByteArray output;
    while (!output.contains('\n')) {
        if (!process_.waitForReadyRead(int(deadline.remainingTime()))) {
            error_ = "the simulator did not get ready: " + stderrText();
            stop();
            return false;
        }
        output += process_.readAllStandardOutput();
    }
    if (!output.startsWith("READY ")) {
        error_ = "unexpected simulator output: " + QString::fromLocal8Bit(output);
        stop();
        return false;
    }
    return true;
}

void SimProcess::stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}

bool SimProcess::isRunning() {
    // Lets QProcess notice an exit that happened since the last call.
    process_.waitForFinished(0);
    return process_.state() != QProcess::NotRunning;
}

bool SimProcess::waitForExit(int timeoutMs) {
    if (process_.state() == QProcess::NotRunning)
        return true;
    return process_.waitForFinished(timeoutMs);
}

int SimProcess::exitCode() const {
    return process_.exitCode();
}

QString SimProcess::linkPath() const {
    return dir_.filePath(kLinkName);
}

QString SimProcess::dir() const {
    return dir_.path();
}

QString SimProcess::tracePath() const {
    return dir_.filePath(kTraceName);
}

QString SimProcess::errorText() const {
    return error_;
}

QString SimProcess::stderrText() const {
    return QString::fromLocal8Bit(readWholeFile(dir_.filePath(kStderrName)));
}

QList<QByteArray> SimProcess::frames() const {
    QList<QByteArray> frames;
    const QList<QByteArray> lines = readWholeFile(tracePath()).split('\n');
    for (const QByteArray &line : lines) {
        // A line still being written has no newline yet; split() leaves it last, and a
        // complete trace ends in an empty element.
        if (&line == &lines.last() || line.isEmpty() || line.startsWith("??"))
            continue;
        frames.append(QByteArray::fromHex(line));
    }
    return frames;
}

bool SimProcess::waitForFrames(int count, int timeoutMs) const {
    QDeadlineTimer deadline(timeoutMs);
    while (frames().size() < count) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}

QByteArray SimProcess::flash(int index) const {
    return readWholeFile(dir_.filePath(QStringLiteral("flash%1.bin").arg(index)));
}
