#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The receiver simulator (rv44-sim) run as a child process in a throw-away directory that
// holds its device link (ttyRV44), its flash files and its frame trace.
class SimProcess {
public:
    // extraArguments are added to the simulator's command line, e.g. {"--model", "RV44F"}.
    explicit SimProcess(const QStringList &extraArguments = {});
    ~SimProcess();
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    // Starts the simulator and waits until it serves; false (see errorText) when it does not.
    bool start(int timeoutMs = 5000);
    // SIGTERM, then waits: the flash files are written when this returns.
    void stop();
    bool isRunning();
    // For simulators that end by themselves (--once, --hangup-after).
    bool waitForExit(int timeoutMs = 5000);
    int exitCode() const;

    QString linkPath() const;
    QString dir() const;
    QString tracePath() const;
    // Why start failed, with what the simulator wrote on stderr.
    QString errorText() const;

    // Frames received so far (stray bytes left out), one QByteArray each, oldest first.
    QList<QByteArray> frames() const;
    // Waits until at least count frames have been received; false on time-out.
    bool waitForFrames(int count, int timeoutMs = 5000) const;
    // The flash file as last written: empty when untouched (or not yet written).
    QByteArray flash(int index) const;

private:
    QString stderrText() const;

    QStringList extraArguments_;
    QTemporaryDir dir_;
    QProcess process_;
    QString error_;
};
