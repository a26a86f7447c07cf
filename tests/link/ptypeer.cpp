#include "ptypeer.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Gives up after a few seconds of a full line, so a test whose reader broke fails instead of
// hanging.
void writeAll(int fd, const char *data, qsizetype size) {
    int idleMs = 0;
    while (size > 0 && idleMs < 5000) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n > 0) {
            data += n;
            size -= n;
            idleMs = 0;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
        pollfd pfd{fd, POLLOUT, 0};
        ::poll(&pfd, 1, 100);
        idleMs += 100;
    }
}

// Raw mode on the slave, so nothing is echoed or held back for a line end.
void makeRaw(int fd) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return;
    ::cfmakeraw(&tio);
    ::tcsetattr(fd, TCSANOW, &tio);
}

} // namespace

PtyPeer::PtyPeer() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ >= 0)
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (master_ < 0)
        return;
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        ::close(master_);
        master_ = -1;
        return;
    }
    slave_ = QString::fromLocal8Bit(::ptsname(master_));
    // Held open so the master stays usable while the program side closes and reopens.
    slaveHold_ = ::open(QFile::encodeName(slave_).constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    makeRaw(slaveHold_);
    link_ = dir_.filePath(QStringLiteral("ttyRV"));
    QFile::link(slave_, link_);
}

PtyPeer::~PtyPeer() {
    stopResponder();
    hangUp();
    if (slaveHold_ >= 0)
        ::close(slaveHold_);
}

void PtyPeer::send(const QByteArray &bytes) {
    if (master_ >= 0)
        writeAll(master_, bytes.constData(), bytes.size());
}

QByteArray PtyPeer::receive(int timeoutMs, int quietMs) {
    QByteArray got;
    int waitMs = timeoutMs;
    while (master_ >= 0) {
        pollfd pfd{master_, POLLIN, 0};
        if (::poll(&pfd, 1, waitMs) <= 0 || !(pfd.revents & POLLIN))
            break;
        char buffer[4096];
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.append(buffer, n);
        waitMs = quietMs;
    }
    return got;
}

void PtyPeer::hangUp() {
    stopResponder();
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

void PtyPeer::startResponder(int frameSize, const QByteArray &reply) {
    stopResponder();
    stop_ = false;
    responder_ = std::thread(&PtyPeer::respondLoop, this, frameSize, reply);
}

void PtyPeer::stopResponder() {
    stop_ = true;
    if (responder_.joinable())
        responder_.join();
}

void PtyPeer::respondLoop(int frameSize, QByteArray reply) {
    qsizetype pending = 0;
    char buffer[4096];
    while (!stop_) {
        pollfd pfd{master_, POLLIN, 0};
        if (::poll(&pfd, 1, 20) <= 0 || !(pfd.revents & POLLIN))
            continue;
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n <= 0)
            return;
        pending += n;
        while (pending >= frameSize) {
            pending -= frameSize;
            writeAll(master_, reply.constData(), reply.size());
            ++answered_;
        }
    }
}
