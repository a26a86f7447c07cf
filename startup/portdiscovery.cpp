#include "portdiscovery.h"

#include <limits>

namespace {

const QString Com = QStringLiteral("COM");

QStringList numbersOneToNinetyNine() {
    QStringList numbers;
    for (int n = 1; n <= 99; ++n)
        numbers.append(QString::number(n));
    return numbers;
}

QStringList comDeviceNames(const QList<InventoryDevice> &devices) {
    QStringList names;
    for (const InventoryDevice &device : devices) {
        if (device.Caption.contains(Com, Qt::CaseSensitive))
            names.append(device.Name.trimmed());
    }
    return names;
}

} // namespace

std::optional<qint16> portNumberAfterCom(const QString &text) {
    const qsizetype at = text.indexOf(Com, 0, Qt::CaseSensitive);
    if (at < 0)
        return std::nullopt;
    int value = 0;
    for (qsizetype i = at + Com.size(); i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            break;
        value = value * 10 + (ch.unicode() - '0');
        // Too large for a port number: give the number the link refuses.
        if (value > std::numeric_limits<qint16>::max())
            return qint16(0);
    }
    return qint16(value);
}

qint16 DeterminaNumComSel(const QString &text) {
    return portNumberAfterCom(text).value_or(qint16(1));
}

void TakeSelectedPort(const QString &boxText, qint16 &selectedPort) {
    selectedPort = DeterminaNumComSel(boxText);
}

qint16 TrovaIDComSelezionata(const QStringList &portList, qint16 &selectedPort) {
    for (qsizetype i = 0; i < portList.size() && i <= std::numeric_limits<qint16>::max(); ++i) {
        const std::optional<qint16> number = portNumberAfterCom(portList.at(i));
        if (number && *number == selectedPort)
            return qint16(i);
    }
    selectedPort = 1;
    return 0;
}

bool TrovaDatiCBX(const QString &boxText, const QStringList &lista) {
    const QString wanted = boxText.trimmed();
    for (const QString &entry : lista) {
        if (entry.trimmed() == wanted)
            return true;
    }
    return false;
}

PortListing CercaPorteCom(const std::optional<QList<InventoryDevice>> &devices,
                          qint16 &selectedPort) {
    PortListing listing;
    const QStringList found = devices ? comDeviceNames(*devices) : QStringList();
    listing.PortsFound = !found.isEmpty();
    if (!listing.PortsFound) {
        listing.PortList = numbersOneToNinetyNine();
        listing.BoxText = QString::number(selectedPort);
        return listing;
    }
    for (qsizetype i = found.size() - 1; i >= 0; --i)
        listing.PortList.append(found.at(i));
    listing.BoxText = listing.PortList.at(TrovaIDComSelezionata(listing.PortList, selectedPort));
    return listing;
}
