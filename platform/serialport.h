#pragma once

#include <QByteArray>
#include <QString>

// Why an open failed, in the classes the operator's messages distinguish.
enum class OpenFailure {
    None,
    Busy,          // held by another program (lock file or exclusive open)
    Missing,       // no device behind the COM number
    Unavailable,   // present but unusable (wrong kind of device, I/O error)
    InvalidNumber, // COM number outside 1..255
    Other,
};

struct OpenResult {
    OpenFailure failure = OpenFailure::None;
    QString reason;                // the system's own error text, when there is one
    bool permissionDenied = false; // the user lacks access to serial devices
    bool ok() const { return failure == OpenFailure::None; }
};

// The one serial line to the receiver. Implementations: QtSerialPort (platform/), test doubles.
// Line settings are fixed: 115200 baud, 8 data bits, no parity, 1 stop bit, no flow control,
// RTS and DTR off.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    virtual OpenResult open(int comNumber) = 0;
    virtual bool isOpen() const = 0;
    // The COM number of the open port (or of the last attempt).
    virtual int portNumber() const = 0;
    virtual bool setBreak(bool on) = 0;
    virtual void close() = 0;
    // Returns once every byte has been handed to the line, or false when it could not be.
    virtual bool write(const QByteArray &bytes) = 0;
    // Bytes received and waiting; polls the device without blocking.
    virtual qint64 bytesAvailable() = 0;
    virtual QByteArray read(qint64 maxBytes) = 0;
    // Blocks (without spinning) until input is waiting or msecs have passed. False on time-out;
    // a closed or lost port sleeps out the time and returns false, so callers never spin.
    virtual bool waitForInput(int msecs) = 0;
};
