#include "catalog.h"

#include "textrules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace {

const QByteArray IdKey = "FPGA_ID=";

// 0..FFFF read as a signed 16-bit number; anything else is unknown (-1).
qint16 CatalogHexValue(QByteArray text) {
    while (text.endsWith(' ') || text.endsWith('\t'))
        text.chop(1);
    if (text.isEmpty())
        return -1;
    quint32 value = 0;
    for (char c : text) {
        const int digit = HexDigit(char16_t(uchar(c)));
        if (digit < 0)
            return -1;
        value = value * 16 + quint32(digit);
        if (value > 0xFFFF)
            return -1;
    }
    return qint16(quint16(value));
}

// Lines end at CR or CR LF, as the catalog is written. The value also ends at a line feed, so a
// catalog saved with Unix line ends still gives its ID instead of forcing a bitstream store.
std::optional<QByteArray> FirstIdValue(const QByteArray &content) {
    qsizetype lineStart = 0;
    while (lineStart < content.size()) {
        qsizetype lineEnd = content.indexOf('\r', lineStart);
        if (lineEnd < 0)
            lineEnd = content.size();
        const QByteArray line = content.mid(lineStart, lineEnd - lineStart);
        const qsizetype key = line.indexOf(IdKey);
        if (key >= 0) {
            const QByteArray rest = line.mid(key + IdKey.size());
            const qsizetype lineFeed = rest.indexOf('\n');
            return lineFeed < 0 ? rest : rest.left(lineFeed);
        }
        lineStart = lineEnd + 1;
        if (lineStart < content.size() && content.at(lineStart) == '\n')
            ++lineStart;
    }
    return std::nullopt;
}

// -1 when the file is missing, unreadable or holds no valid FPGA_ID.
qint16 ReadCatalogId(const QString &path) {
    if (!QFileInfo(path).isFile())
        return -1;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return -1;
    const std::optional<QByteArray> value = FirstIdValue(content);
    return value ? CatalogHexValue(*value) : qint16(-1);
}

// The receiver's ID after its two-character prefix. Blanks are skipped, digits read up to the
// first other character. A value that needs more than 32 bits has no reading: nullopt.
std::optional<qint32> ReportedId(const QString &loadedFpgaId) {
    quint64 value = 0;
    for (QChar qc : loadedFpgaId.mid(2)) {
        if (qc == QLatin1Char(' ') || qc == QLatin1Char('\t') || qc == QLatin1Char('\n'))
            continue;
        const int digit = HexDigit(qc.unicode());
        if (digit < 0)
            break;
        value = value * 16 + quint64(digit);
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (value <= 0xFFFF)
        return qint16(quint16(value));
    return qint32(quint32(value));
}

} // namespace

QString CatalogFileName(bool isFVariant) {
    return isFVariant ? QStringLiteral("CATALOGF.DAT") : QStringLiteral("CATALOG.DAT");
}

bool ControllaCatalog(const QString &startDirectory, bool isFVariant, const QString &loadedFpgaId,
                      qint16 &catalogFpgaId) {
    if (isFVariant && loadedFpgaId.isEmpty())
        return false;
    catalogFpgaId = ReadCatalogId(QDir(startDirectory).filePath(CatalogFileName(isFVariant)));
    if (loadedFpgaId.isEmpty() || catalogFpgaId == -1)
        return true;
    const std::optional<qint32> reported = ReportedId(loadedFpgaId);
    // An ID beyond every number the comparison knows: store the bitstream, as for unknown.
    if (!reported)
        return true;
    return *reported < catalogFpgaId;
}
