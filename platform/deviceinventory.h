#pragma once

#include <QList>
#include <QString>
#include <optional>

// One plug-and-play device as the system lists it.
struct InventoryDevice {
    QString Caption;
    QString Name;
};

// The system's list of devices. Only the caption and name of each device are used.
class DeviceInventory {
public:
    virtual ~DeviceInventory() = default;
    // Every device the system knows of, in the system's order; nullopt when the query failed.
    virtual std::optional<QList<InventoryDevice>> query() = 0;
};

// The serial devices of this machine, named like their COM ports: "USB Serial Port (COM3)"
// for USB/ACM adapters, "Communications Port (COM1)" for built-in UARTs. When RV44_COM<n>
// variables are set, exactly those ports.
class SystemDeviceInventory : public DeviceInventory {
public:
    std::optional<QList<InventoryDevice>> query() override;
};
