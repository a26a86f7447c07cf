#include "flashstore.h"

#include "textrules.h"

#include "devicelink.h"
#include "errorlog.h"
#include "messageboxes.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cmath>

namespace {

constexpr int FrameSize = 134;
constexpr int MaxTries = 5;
constexpr float ReplyTimeout = 1.0f;

QString HexAddress(qint64 address) {
    return QStringLiteral("0x") + QString::number(address, 16).toUpper();
}

// Hidden files and anything but a regular file count as missing.
bool ImageExists(const QFileInfo &info) {
    return info.exists() && info.isFile() && !info.fileName().startsWith(QLatin1Char('.'));
}

int Percent(qint64 done, qint64 total) {
    return int(std::nearbyint(double(done) / double(total) * 100.0));
}

} // namespace

void GetStringAddress(qint32 add, quint8 &B1, quint8 &B2, quint8 &B3) {
    B1 = quint8(add / 65536);
    B2 = quint8((add % 65536) / 256);
    B3 = quint8(add % 256);
}

quint32 ParseStartAddress(const QString &caption) {
    quint64 value = 0;
    for (QChar c : caption) {
        const int digit = HexDigit(c.unicode());
        if (digit < 0)
            break;
        // Saturates rather than wrapping, so an absurd caption still reads as beyond the flash.
        value = qMin<quint64>(value * 16 + quint64(digit), 0xFFFFFFFFull);
    }
    return quint32(value);
}

QByteArray EraseFrame(quint8 flash) {
    QByteArray frame(2, '\0');
    frame[0] = char(0x34);
    frame[1] = char(flash);
    return frame;
}

QByteArray WriteBlockFrame(quint8 flash, quint32 address, const QByteArray &data) {
    QByteArray frame(FrameSize, ' ');
    quint8 b1 = 0, b2 = 0, b3 = 0;
    GetStringAddress(qint32(address & 0xFFFFFF), b1, b2, b3);
    frame[0] = char(0x35);
    frame[1] = char(flash);
    frame[2] = char(b1);
    frame[3] = char(b2);
    frame[4] = char(b3);
    const qsizetype length = qMin<qsizetype>(data.size(), BlockSize);
    frame[5] = char(length);
    frame.replace(6, length, data.constData(), length);
    return frame;
}

QByteArray EndOfUpdateFrame() {
    return QByteArray(1, char(0x36));
}

FlashStore::FlashStore(DeviceLink &link, MessageBoxes &boxes, StoreObserver &observer,
                       ErrorLog &log)
    : link_(link), boxes_(boxes), observer_(observer), log_(log) {}

StoreOutcome FlashStore::run(const StoreRequest &request) {
    if (request.optionIndex < 0) {
        boxes_.warning(QStringLiteral(" You must specify a serial Flash!"));
        return StoreOutcome::Failed;
    }
    Job job;
    job.request = &request;
    job.path = TrimSpaces(request.imagePath);
    job.flash = quint8(request.optionIndex + (request.incWhich ? 1 : 0));
    const QFileInfo info(job.path);
    if (!ImageExists(info)) {
        boxes_.warning(job.path + QStringLiteral(" Not Found!"));
        return StoreOutcome::Failed;
    }
    job.start = ParseStartAddress(request.startAddressCaption);
    job.total = info.size();
    job.fileDateTime = QStringLiteral("   ") +
                       QLocale::system().toString(info.lastModified(), QLocale::ShortFormat);
    job.fileLen = QStringLiteral("   ") + QString::number(job.total) + QStringLiteral("   ");

    // Checked before anything reaches the receiver: an image that cannot be sent whole must
    // not leave an erased or half-written flash behind.
    if (!fitsInFlash(job))
        return StoreOutcome::Failed;
    QFile file(job.path);
    // Unbuffered, so every block comes from the file as it is now.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        warnUnreadable(job, file.errorString());
        return StoreOutcome::Failed;
    }

    observer_.setPercent(0);
    if (request.erase)
        eraseFlash(job);
    observer_.showAddressLabel();

    const StoreOutcome blocks = sendBlocks(job, file);
    file.close();
    if (blocks != StoreOutcome::Finished)
        return blocks;
    return finish(job);
}

bool FlashStore::fitsInFlash(const Job &job) {
    const qint64 end = qint64(job.start) + job.total;
    if (end <= qint64(FlashAddressLimit))
        return true;
    // The first block that would pass the end of the flash.
    qint64 offset =
        qMax<qint64>(0, (qint64(FlashAddressLimit) - job.start) / BlockSize * BlockSize);
    offset = qMin(offset, qMax<qint64>(0, job.total - 1) / BlockSize * BlockSize);
    boxes_.warning(QStringLiteral("Storing ERROR") + QLatin1Char('\r') +
                   QStringLiteral("The block at address %1 passes the end of the flash (0xFFFFFF)")
                       .arg(HexAddress(job.start + offset)));
    return false;
}

void FlashStore::warnUnreadable(const Job &job, const QString &reason) {
    boxes_.warning(QStringLiteral("Storing ERROR") + QLatin1Char('\r') + job.path +
                   QStringLiteral(" cannot be read: ") + reason);
}

void FlashStore::eraseFlash(const Job &job) {
    observer_.setStatusCaption(QStringLiteral("Erasing FLASH"));
    link_.SendFrame(EraseFrame(job.flash));
    link_.WaitForReply(QStringLiteral("Done.."), ReplyTimeout);
}

StoreOutcome FlashStore::sendBlocks(const Job &job, QFile &file) {
    qint64 done = 0;
    while (done < job.total) {
        const qint64 length = qMin<qint64>(BlockSize, job.total - done);
        const qint64 address = job.start + done;
        const QString addressCaption = HexAddress(address);
        observer_.setAddressCaption(addressCaption);
        const QByteArray data = file.read(length);
        if (data.size() != length) {
            warnUnreadable(job, data.size() < 0 || file.error() != QFileDevice::NoError
                                    ? file.errorString()
                                    : QStringLiteral("the file became shorter while it was "
                                                     "being stored"));
            return StoreOutcome::Failed;
        }
        done += length;
        const QByteArray frame = WriteBlockFrame(job.flash, quint32(address), data);
        const StoreOutcome sent = sendBlock(job, frame, Percent(done, job.total), addressCaption);
        if (sent != StoreOutcome::Finished)
            return sent;
    }
    return StoreOutcome::Finished;
}

// Finished when acknowledged; otherwise the outcome that ends the store.
StoreOutcome FlashStore::sendBlock(const Job &job, const QByteArray &frame, int percent,
                                   const QString &addressCaption) {
    Bytes firstReply;
    for (qint16 attempt = 0; attempt < MaxTries; ++attempt) {
        observer_.setStatusCaption(QString::number(percent) + QLatin1Char('%'));
        observer_.setPercent(percent);
        observer_.yieldToEvents();
        if (observer_.abandoned())
            return StoreOutcome::Abandoned;
        link_.setReplyStatus(QString());
        link_.SendFrame(frame);
        const Bytes reply = link_.WaitForReply(QStringLiteral("Written OK"), ReplyTimeout);
        if (attempt == 0)
            firstReply = reply;
        if (reply.isEmpty())
            return StoreOutcome::Finished;
        log_.LogFileErroriUP(attempt, job.request->tipoAgg, job.fileDateTime, job.fileLen,
                             addressCaption, link_.ReplyStatus());
    }
    boxes_.warning(QStringLiteral("Storing ERROR") + QLatin1Char('\r') +
                   QString::fromLatin1(firstReply));
    return StoreOutcome::Failed;
}

StoreOutcome FlashStore::finish(const Job &job) {
    if (!job.request->terminate)
        return StoreOutcome::Returned;
    link_.PauseSeconds(1.0f);
    if (observer_.abandoned())
        return StoreOutcome::Abandoned;
    if (!job.request->chained)
        link_.SendFrame(EndOfUpdateFrame());
    boxes_.information(QLatin1Char(' ') + QString::number(job.total) + QStringLiteral(" Bytes ") +
                       QLatin1Char('\r') + QStringLiteral("have been stored"));
    return job.request->chained ? StoreOutcome::FinishedChained : StoreOutcome::Finished;
}
