#include "errorlog.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <cstdio>

namespace {

const SystemClock systemClock;

QString KindTag(qint16 tipoAgg) {
    switch (tipoAgg) {
    case 0:
        return QStringLiteral(" FW: ");
    case 1:
        return QStringLiteral(" FPGA: ");
    case 2:
        return QStringLiteral(" BIOS: ");
    default:
        return QString();
    }
}

} // namespace

ErrorLog::ErrorLog(QString directory) : ErrorLog(std::move(directory), systemClock) {}

ErrorLog::ErrorLog(QString directory, const Clock &clock)
    : directory_(std::move(directory)), clock_(clock) {}

// No directory means the current one, as for a bare file name.
QString ErrorLog::filePath() const {
    return QDir(directory_).filePath(FileName);
}

void ErrorLog::LogFileErroriUP(qint16 attempt, qint16 tipoAgg, const QString &stFileDateTime,
                               const QString &stFileLen, const QString &blockAddress,
                               const QString &replyStatus) {
    if (attempt != 0 || KindTag(tipoAgg).isEmpty())
        return;
    const QByteArray line =
        buildLine(tipoAgg, stFileDateTime, stFileLen, blockAddress, replyStatus).toLatin1();
    QFile file(filePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        reportFailureOnce(file.errorString());
        return;
    }
    if (file.write(line) != line.size() || !file.flush())
        reportFailureOnce(file.errorString());
    file.close();
}

QString ErrorLog::buildLine(qint16 tipoAgg, const QString &stFileDateTime, const QString &stFileLen,
                            const QString &blockAddress, const QString &replyStatus) const {
    const QDateTime now = clock_.now();
    const QLocale locale = QLocale::system();
    return locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(now.time(), QLocale::ShortFormat) + KindTag(tipoAgg) +
           QLatin1Char('\t') + blockAddress + QLatin1Char('\t') + stFileDateTime + stFileLen +
           replyStatus + QStringLiteral("\r\n");
}

void ErrorLog::reportFailureOnce(const QString &reason) {
    if (failureReported_)
        return;
    failureReported_ = true;
    std::fprintf(stderr, "Cannot write the error log %s: %s (the store goes on)\n",
                 qPrintable(filePath()), qPrintable(reason));
}
