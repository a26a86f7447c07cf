#include "rawclient.h"

#include <QDeadlineTimer>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

RawClient::~RawClient() {
    close();
}

bool RawClient::open(const QString &path) {
    fd_ = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0)
        return false;
    termios settings{};
    ::tcgetattr(fd_, &settings);
    ::cfmakeraw(&settings);
    return ::tcsetattr(fd_, TCSANOW, &settings) == 0;
}

void RawClient::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool RawClient::write(const QByteArray &bytes) {
    return ::write(fd_, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

bool RawClient::writeAll(const QByteArray &bytes, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    qsizetype sent = 0;
    while (sent < bytes.size() && !deadline.hasExpired()) {
        const ssize_t count = ::write(fd_, bytes.constData() + sent, size_t(bytes.size() - sent));
        if (count > 0) {
            sent += count;
        } else if (count < 0 && errno == EAGAIN) {
            pollfd device{fd_, POLLOUT, 0};
            ::poll(&device, 1, int(deadline.remainingTime()));
        } else {
            return false;
        }
    }
    return sent == bytes.size();
}

QByteArray RawClient::readOnce(int timeoutMs) {
    pollfd device{fd_, POLLIN, 0};
    if (::poll(&device, 1, timeoutMs) <= 0 || !(device.revents & POLLIN))
        return {};
    char buffer[4096];
    const ssize_t count = ::read(fd_, buffer, sizeof buffer);
    return count > 0 ? QByteArray(buffer, int(count)) : QByteArray();
}

QByteArray RawClient::readFor(int msecs) {
    QDeadlineTimer deadline(msecs);
    QByteArray received;
    while (!deadline.hasExpired())
        received += readOnce(int(deadline.remainingTime()));
    return received;
}

QByteArray RawClient::readUntil(const QByteArray &text, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    QByteArray received;
    while (!received.contains(text) && !deadline.hasExpired())
        received += readOnce(int(deadline.remainingTime()));
    return received;
}

bool RawClient::hungUp(int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        pollfd device{fd_, POLLIN, 0};
        ::poll(&device, 1, int(deadline.remainingTime()));
        if (device.revents & (POLLHUP | POLLERR))
            return true;
        if (device.revents & POLLIN) {
            char buffer[256];
            const ssize_t count = ::read(fd_, buffer, sizeof buffer);
            if (count == 0 || (count < 0 && errno == EIO))
                return true;
        }
    }
    return false;
}

QByteArray writeFrame(int flash, quint32 address, const QByteArray &data) {
    QByteArray frame;
    frame.append(char(0x35));
    frame.append(char(flash));
    frame.append(char(address >> 16));
    frame.append(char(address >> 8));
    frame.append(char(address));
    frame.append(char(data.size()));
    frame.append(data);
    frame.append(QByteArray(128 - data.size(), ' '));
    return frame;
}
