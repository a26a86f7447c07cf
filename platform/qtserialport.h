#pragma once

#include "commap.h"
#include "serialport.h"

#include <QSerialPort>
#include <memory>

// The serial line on QSerialPort, driven without an event loop: every call pushes or pulls
// the device itself. A hang-up (adapter pulled, peer gone) closes the port and counts as the
// link lost, so nothing keeps polling a dead descriptor.
class QtSerialPort : public SerialPort {
public:
    // Input kept in memory while nobody reads it; the rest waits in the system's buffer.
    static constexpr qint64 ReadBufferBytes = 64 * 1024;

    QtSerialPort();
    explicit QtSerialPort(ComMap map);
    ~QtSerialPort() override;

    OpenResult open(int comNumber) override;
    bool isOpen() const override;
    int portNumber() const override { return number_; }
    bool setBreak(bool on) override;
    void close() override;
    bool write(const QByteArray &bytes) override;
    qint64 bytesAvailable() override;
    QByteArray read(qint64 maxBytes) override;
    bool waitForInput(int msecs) override;

    // True after the other end hung up; cleared by the next successful open.
    bool linkLost() const { return lost_; }
    const ComMap &comMap() const { return map_; }

private:
    OpenResult openDevice(const QString &path);
    OpenResult failure(OpenFailure kind, const QString &reason) const;
    bool applyLineSettings();
    bool setModemLine(bool ok);
    void watchForHangUp();
    // Clears a harmless error; on a hang-up closes the port. False when the link is gone.
    bool settleError();
    void loseLink();
    void pullInput();
    static bool isHangUp(QSerialPort::SerialPortError error);

    ComMap map_;
    std::unique_ptr<QSerialPort> port_;
    int number_ = 0;
    bool lost_ = false;
    // Counts opens, so a close queued for an old connection never hits a newer one.
    quint64 generation_ = 0;
};
