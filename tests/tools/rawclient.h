#pragma once

#include <QByteArray>
#include <QString>

// A bare serial client on the simulator's pseudo-terminal: raw mode, plain reads and writes.
class RawClient {
public:
    RawClient() = default;
    ~RawClient();
    RawClient(const RawClient &) = delete;
    RawClient &operator=(const RawClient &) = delete;

    bool open(const QString &path);
    void close();
    bool write(const QByteArray &bytes);
    // Writes everything, waiting while the line is full; false on time-out or error.
    bool writeAll(const QByteArray &bytes, int timeoutMs = 5000);
    // Everything that arrives within msecs.
    QByteArray readFor(int msecs);
    // Reads until the collected bytes contain text or timeoutMs passes; returns what came.
    QByteArray readUntil(const QByteArray &text, int timeoutMs = 2000);
    // One read() worth of bytes, waiting up to timeoutMs for it; empty on time-out.
    QByteArray readOnce(int timeoutMs);
    // True when the line has hung up (the device went away).
    bool hungUp(int timeoutMs);

private:
    int fd_ = -1;
};

// A write frame as the program builds it: 0x35, flash, 24-bit address, L, data, 0x20 filler.
QByteArray writeFrame(int flash, quint32 address, const QByteArray &data);
