#pragma once

#include <QtGlobal>

// The operator's settings as kept in memory; stored as 24 packed little-endian bytes.
struct SettingsRecord {
    qint32 SchemeColorBegin = qint32(0x80000014);
    qint32 SchemeColorEnd = qint32(0x8000000F);
    qint16 SchemeControlStyle = 0;
    qint32 LabelColorBegin = 0x00C0C0C0;
    qint32 LabelColorEnd = 0x00FFFFFF;
    qint16 LabelStyle = 1;
    qint16 SchemeSpare = 0;
    qint16 SelectedPortNumber = 0;
};
