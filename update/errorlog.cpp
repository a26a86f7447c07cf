#include "errorlog.h"

static const SystemClock systemClock;

ErrorLog::ErrorLog(QString directory) : ErrorLog(std::move(directory), systemClock) {}
ErrorLog::ErrorLog(QString directory, const Clock &clock)
    : directory_(std::move(directory)), clock_(clock) {}
void ErrorLog::LogFileErroriUP(qint16, qint16, const QString &, const QString &, const QString &,
                               const QString &) {}
QString ErrorLog::filePath() const {
    return directory_ + "/" + FileName;
}
