#pragma once

#include "settingsrecord.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The stored form of SettingsRecord: its fields in order, little-endian, packed, 24 bytes.
class SettingsFile {
public:
    static constexpr int RecordSize = 24;

    static QByteArray toBytes(const SettingsRecord &record);
    // Fields that the bytes do not hold completely keep their value from base.
    static SettingsRecord fromBytes(const QByteArray &bytes, const SettingsRecord &base);

    // Up to RecordSize bytes from the start of the file; nullopt when it cannot be read.
    static std::optional<QByteArray> readRecordBytes(const QString &path);
    // Writes the record at offset 0, creating the file when missing. Bytes beyond the record
    // in a longer file are kept: the file is never truncated.
    static bool write(const QString &path, const SettingsRecord &record);
};
