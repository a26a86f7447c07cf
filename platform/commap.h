#pragma once

#include <QList>
#include <QMap>
#include <QProcessEnvironment>
#include <QString>

// A serial device present on this machine, as the system lists it.
struct SerialDevice {
    QString path;        // /dev/ttyS0, /dev/ttyUSB0, /dev/ttyACM0 ...
    bool usb = false;    // USB or ACM adapter rather than a built-in UART
    QString description; // the system's description, may be empty
};

// A COM number and the device it stands for.
struct ComPort {
    int number = 0;
    QString devicePath;
    bool usb = false;
    QString description;
};

// Maps COM numbers to device paths on Linux.
// When any RV44_COM<n>=<absolute path> variable is set, the map holds exactly those ports.
// Otherwise a UART /dev/ttyS<k> is COM<k+1>, and USB/ACM adapters take the lowest numbers
// still free, in device-name order.
class ComMap {
public:
    static ComMap fromSystem();
    static ComMap build(const QProcessEnvironment &env, const QList<SerialDevice> &present);

    // Empty when the number maps to nothing.
    QString devicePath(int number) const;
    // Ordered by COM number.
    QList<ComPort> ports() const;
    bool fromEnvironment() const { return fromEnvironment_; }

private:
    QMap<int, ComPort> ports_;
    bool fromEnvironment_ = false;
};
