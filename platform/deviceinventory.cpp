#include "deviceinventory.h"

#include "commap.h"

namespace {

// Ports named in the environment carry no kind; their device name tells it.
bool isUsbAdapter(const ComPort &port) {
    return port.usb || port.devicePath.startsWith(QLatin1String("/dev/ttyUSB")) ||
           port.devicePath.startsWith(QLatin1String("/dev/ttyACM"));
}

} // namespace

std::optional<QList<InventoryDevice>> SystemDeviceInventory::query() {
    QList<InventoryDevice> devices;
    for (const ComPort &port : ComMap::fromSystem().ports()) {
        const QString kind = isUsbAdapter(port) ? QStringLiteral("USB Serial Port")
                                                : QStringLiteral("Communications Port");
        const QString name = QStringLiteral("%1 (COM%2)").arg(kind).arg(port.number);
        devices.append({name, name});
    }
    return devices;
}
