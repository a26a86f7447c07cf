#pragma once

#include <QByteArray>
#include <QString>

// Frames and replies are plain byte arrays; text maps one character per byte (Latin-1).
using Bytes = QByteArray;

// Never filled; empty results start from it.
extern const Bytes EmptyBytes;

// Index of the last byte; -1 for an empty array.
qint32 LastIndex(const Bytes &a);
Bytes BytesConcat(const Bytes &a, const Bytes &b);
QString BytesToText(const Bytes &a);
// Characters above 255 are a programming error; they are replaced by '?'.
Bytes TextToBytes(const QString &s);

// The smaller of the two; y when they are equal.
template <typename T> T MinOf(T x, T y) {
    return x < y ? x : y;
}
