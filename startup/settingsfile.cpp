#include "settingsfile.h"

#include <QFile>
#include <QtEndian>
#include <cstring>

namespace {

template <typename T> void put(QByteArray &out, T value) {
    const T little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&little), sizeof little);
}

// Reads one field at offset when the bytes hold all of it; otherwise leaves it alone.
template <typename T> void take(const QByteArray &bytes, int offset, T &field) {
    if (bytes.size() < offset + int(sizeof(T)))
        return;
    T little;
    std::memcpy(&little, bytes.constData() + offset, sizeof little);
    field = qFromLittleEndian(little);
}

} // namespace

QByteArray SettingsFile::toBytes(const SettingsRecord &record) {
    QByteArray out;
    out.reserve(RecordSize);
    put(out, record.SchemeColorBegin);
    put(out, record.SchemeColorEnd);
    put(out, record.SchemeControlStyle);
    put(out, record.LabelColorBegin);
    put(out, record.LabelColorEnd);
    put(out, record.LabelStyle);
    put(out, record.SchemeSpare);
    put(out, record.SelectedPortNumber);
    return out;
}

SettingsRecord SettingsFile::fromBytes(const QByteArray &bytes, const SettingsRecord &base) {
    SettingsRecord record = base;
    take(bytes, 0, record.SchemeColorBegin);
    take(bytes, 4, record.SchemeColorEnd);
    take(bytes, 8, record.SchemeControlStyle);
    take(bytes, 10, record.LabelColorBegin);
    take(bytes, 14, record.LabelColorEnd);
    take(bytes, 18, record.LabelStyle);
    take(bytes, 20, record.SchemeSpare);
    take(bytes, 22, record.SelectedPortNumber);
    return record;
}

std::optional<QByteArray> SettingsFile::readRecordBytes(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(RecordSize);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool SettingsFile::write(const QString &path, const SettingsRecord &record) {
    QFile file(path);
    // ReadWrite creates a missing file without truncating an existing one.
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const QByteArray bytes = toBytes(record);
    const bool written = file.seek(0) && file.write(bytes) == bytes.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}
