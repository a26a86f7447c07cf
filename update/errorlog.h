#pragma once

#include "clock.h"

#include <QString>

// "LogFile.DAT": one line per write block whose first try failed.
class ErrorLog {
public:
    static constexpr const char *FileName = "LogFile.DAT";

    explicit ErrorLog(QString directory);
    ErrorLog(QString directory, const Clock &clock);

    // Date and time in the system's short forms. Writes only for attempt 0 and tipoAgg 0 (FW), 1
    // (FPGA), 2 (BIOS). A log that cannot be written never stops the store; the first failure is
    // reported on stderr.
    void LogFileErroriUP(qint16 attempt, qint16 tipoAgg, const QString &stFileDateTime,
                         const QString &stFileLen, const QString &blockAddress,
                         const QString &replyStatus);

    QString filePath() const;

private:
    QString buildLine(qint16 tipoAgg, const QString &stFileDateTime, const QString &stFileLen,
                      const QString &blockAddress, const QString &replyStatus) const;
    void reportFailureOnce(const QString &reason);

    QString directory_;
    const Clock &clock_;
    bool failureReported_ = false;
};
