#include "deviceinventory.h"

#include "commap.h"

std::optional<QList<InventoryDevice>> SystemDeviceInventory::query() {
    QList<InventoryDevice> devices;
    for (const ComPort &port : ComMap::fromSystem().ports()) {
        const QString kind =
            port.usb ? QStringLiteral("USB Serial Port") : QStringLiteral("Communications Port");
        const QString name = QStringLiteral("%1 (COM%2)").arg(kind).arg(port.number);
        devices.append({name, name});
    }
    return devices;
}
