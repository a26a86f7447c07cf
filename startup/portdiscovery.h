#pragma once

#include "deviceinventory.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the port box offers: the COM devices found (the last reported first) or, when there
// is none, the numbers "1" to "99"; and the text the box starts with.
struct PortListing {
    QStringList PortList;
    bool PortsFound = false;
    QString BoxText;
};

// The number after the first upper-case "COM" in text: its leading decimal digits, 0 when
// there are none or they do not fit a 16-bit port number; nullopt when text holds no "COM".
std::optional<qint16> portNumberAfterCom(const QString &text);

// The port number in a port box text; 1 when the text holds no "COM".
qint16 DeterminaNumComSel(const QString &text);

// Remembers the port of the box text (1 without "COM") in selectedPort.
void TakeSelectedPort(const QString &boxText, qint16 &selectedPort);

// The index of the first entry whose port is selectedPort. Without such an entry the
// remembered port becomes 1 and the first entry (index 0) is chosen.
qint16 TrovaIDComSelezionata(const QStringList &portList, qint16 &selectedPort);

// True when the trimmed box text equals one of the trimmed entries (letter case counts).
bool TrovaDatiCBX(const QString &boxText, const QStringList &lista);

// Builds the port box contents from the inventory's devices. A failed query counts as one
// that found nothing. May reset selectedPort to 1 (see TrovaIDComSelezionata).
PortListing CercaPorteCom(const std::optional<QList<InventoryDevice>> &devices,
                          qint16 &selectedPort);
