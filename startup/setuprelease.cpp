#include "setuprelease.h"

#include <QDir>
#include <QFile>

namespace {

const QString ReleaseFileName = QStringLiteral("RV44SeriesUp.DAT");

QString findCaseInsensitive(const QString &directory, const QString &name) {
    const QDir dir(directory);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}

} // namespace

QString lastLineOf(const QByteArray &text) {
    LastLineReader reader;
    reader.feed(text);
    return reader.result();
}

void LastLineReader::feed(const QByteArray &chunk) {
    for (const char ch : chunk) {
        if (ch == '\n' && afterCarriageReturn_) {
            afterCarriageReturn_ = false;
            continue;
        }
        afterCarriageReturn_ = ch == '\r';
        if (ch == '\r' || ch == '\n') {
            last_ = current_;
            current_.clear();
            lineOpen_ = false;
            continue;
        }
        lineOpen_ = true;
        if (current_.size() < MaxLineLength)
            current_.append(ch);
    }
}

QString LastLineReader::result() const {
    return QString::fromLatin1(lineOpen_ ? current_ : last_);
}

QString LeggiDatiSetup(const QString &startDirectory) {
    const QString path = findCaseInsensitive(startDirectory, ReleaseFileName);
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    LastLineReader reader;
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(64 * 1024);
        if (chunk.isEmpty() && file.error() != QFileDevice::NoError)
            return {};
        if (chunk.isEmpty())
            break;
        reader.feed(chunk);
    }
    return reader.result();
}
