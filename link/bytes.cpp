#include "bytes.h"

const Bytes EmptyBytes;

qint32 LastIndex(const Bytes &a) {
    return static_cast<qint32>(a.size()) - 1;
}

Bytes BytesConcat(const Bytes &a, const Bytes &b) {
    Bytes result;
    result.reserve(a.size() + b.size());
    result.append(a);
    result.append(b);
    return result;
}

QString BytesToText(const Bytes &a) {
    // QString::fromLatin1 keeps embedded zero bytes when given the size.
    return QString::fromLatin1(a.constData(), a.size());
}

Bytes TextToBytes(const QString &s) {
    Bytes result(s.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t code = s.at(i).unicode();
        result[i] = code > 0xFF ? '?' : static_cast<char>(code);
    }
    return result;
}
