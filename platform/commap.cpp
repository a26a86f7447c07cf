#include "commap.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <QSet>
#include <algorithm>
#include <cstdio>

namespace {

const int MaxComNumber = 255;

void warn(const QString &text) {
    std::fprintf(stderr, "RV44_COM: %s\n", qPrintable(text));
}

// RV44_COM<n>=<absolute path>; anything else named RV44_COM... is reported and skipped.
QMap<int, ComPort> portsFromEnvironment(const QProcessEnvironment &env) {
    static const QRegularExpression name(QStringLiteral("^RV44_COM(\\d+)$"));
    QMap<int, ComPort> ports;
    const QStringList keys = env.keys();
    for (const QString &key : keys) {
        if (!key.startsWith(QLatin1String("RV44_COM")))
            continue;
        const QRegularExpressionMatch match = name.match(key);
        bool ok = false;
        const int number = match.hasMatch() ? match.captured(1).toInt(&ok) : 0;
        if (!ok || number < 1 || number > MaxComNumber) {
            warn(QStringLiteral("%1 ignored: the COM number must be 1 to 255").arg(key));
            continue;
        }
        const QString path = env.value(key);
        if (!path.startsWith(QLatin1Char('/'))) {
            warn(QStringLiteral("%1 ignored: \"%2\" is not an absolute path").arg(key, path));
            continue;
        }
        ComPort port;
        port.number = number;
        port.devicePath = path;
        ports.insert(number, port);
    }
    return ports;
}

// /dev/ttyS<k> -> k + 1, or 0 when the path is not a numbered UART.
int uartComNumber(const QString &path) {
    static const QRegularExpression uart(QStringLiteral("^/dev/ttyS(\\d+)$"));
    const QRegularExpressionMatch match = uart.match(path);
    if (!match.hasMatch())
        return 0;
    bool ok = false;
    const int k = match.captured(1).toInt(&ok);
    return ok && k + 1 <= MaxComNumber ? k + 1 : 0;
}

ComPort portFor(int number, const SerialDevice &device) {
    ComPort port;
    port.number = number;
    port.devicePath = device.path;
    port.usb = device.usb;
    port.description = device.description;
    return port;
}

QMap<int, ComPort> portsFromDevices(const QList<SerialDevice> &present) {
    QMap<int, ComPort> ports;
    QList<SerialDevice> adapters;
    for (const SerialDevice &device : present) {
        const int number = device.usb ? 0 : uartComNumber(device.path);
        if (number > 0 && !ports.contains(number))
            ports.insert(number, portFor(number, device));
        else if (device.usb)
            adapters.append(device);
    }
    std::sort(adapters.begin(), adapters.end(),
              [](const SerialDevice &a, const SerialDevice &b) { return a.path < b.path; });
    int next = 1;
    for (const SerialDevice &adapter : adapters) {
        while (next <= MaxComNumber && ports.contains(next))
            ++next;
        if (next > MaxComNumber)
            break;
        ports.insert(next, portFor(next, adapter));
    }
    return ports;
}

bool looksLikeAdapter(const QSerialPortInfo &info) {
    const QString name = info.portName();
    return name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM")) ||
           info.hasVendorIdentifier();
}

QList<SerialDevice> devicesFromSystem() {
    QList<SerialDevice> devices;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        SerialDevice device;
        device.path = info.systemLocation();
        device.usb = looksLikeAdapter(info);
        device.description = info.description();
        devices.append(device);
    }
    return devices;
}

} // namespace

ComMap ComMap::fromSystem() {
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    return build(env, devicesFromSystem());
}

ComMap ComMap::build(const QProcessEnvironment &env, const QList<SerialDevice> &present) {
    ComMap map;
    map.ports_ = portsFromEnvironment(env);
    map.fromEnvironment_ = !map.ports_.isEmpty();
    if (!map.fromEnvironment_)
        map.ports_ = portsFromDevices(present);
    return map;
}

QString ComMap::devicePath(int number) const {
    return ports_.value(number).devicePath;
}

QList<ComPort> ComMap::ports() const {
    return ports_.values();
}
