#include "commandline.h"

#include <limits>

namespace {

// One character for one: positions in the upper-cased text must match those in the typed text,
// which a full case mapping (one character to several) would break.
QString UpperSameLength(const QString &s) {
    QString u = s;
    for (QChar &c : u)
        c = c.toUpper();
    return u;
}

// 1-based; a position beyond the 16-bit range still reads as "present".
qint16 KeyPosition(const QString &upper, const QString &key) {
    const qsizetype at = upper.indexOf(key);
    if (at < 0)
        return 0;
    return qint16(qMin<qsizetype>(at + 1, std::numeric_limits<qint16>::max()));
}

QString KeyValue(const QString &cmd, const QString &upper, const QString &key) {
    const qsizetype at = upper.indexOf(key);
    if (at < 0)
        return QString();
    const qsizetype start = at + key.size();
    const qsizetype end = cmd.indexOf(QLatin1Char(' '), start);
    return end < 0 ? cmd.mid(start) : cmd.mid(start, end - start);
}

} // namespace

CommandLineKeys ParseCommandLine(const QString &cmd) {
    const QString upper = UpperSameLength(cmd);
    CommandLineKeys keys;
    keys.fw = KeyPosition(upper, QStringLiteral("FW="));
    keys.fpga = KeyPosition(upper, QStringLiteral("FPGA="));
    keys.bios = KeyPosition(upper, QStringLiteral("BIOS="));
    keys.fwValue = KeyValue(cmd, upper, QStringLiteral("FW="));
    keys.fpgaValue = KeyValue(cmd, upper, QStringLiteral("FPGA="));
    keys.biosValue = KeyValue(cmd, upper, QStringLiteral("BIOS="));
    keys.biosOffered = cmd.contains(QStringLiteral("BIOS="));
    return keys;
}
