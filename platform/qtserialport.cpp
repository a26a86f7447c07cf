#include "qtserialport.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace {

// Generous for a frame at 115200 baud; a line that takes longer is stuck.
int writeTimeoutMs(qint64 bytes) {
    return 2000 + static_cast<int>(bytes / 5);
}

bool permissionDeniedOn(const QString &path) {
    return ::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0 && errno == EACCES;
}

void sleepMs(qint64 msecs) {
    if (msecs > 0)
        QThread::msleep(static_cast<unsigned long>(msecs));
}

} // namespace

QtSerialPort::QtSerialPort() : QtSerialPort(ComMap::fromSystem()) {}

QtSerialPort::QtSerialPort(ComMap map) : map_(std::move(map)) {}

QtSerialPort::~QtSerialPort() {
    close();
}

OpenResult QtSerialPort::open(int comNumber) {
    close();
    number_ = comNumber;
    if (comNumber < 1 || comNumber > 255)
        return failure(OpenFailure::InvalidNumber, QStringLiteral("COM numbers run from 1 to 255"));
    const QString path = map_.devicePath(comNumber);
    if (path.isEmpty())
        return failure(OpenFailure::Missing,
                       QStringLiteral("COM%1 is not mapped to a device").arg(comNumber));
    if (!QFileInfo::exists(path))
        return failure(OpenFailure::Missing, QStringLiteral("%1 does not exist").arg(path));
    return openDevice(path);
}

OpenResult QtSerialPort::openDevice(const QString &path) {
    port_ = std::make_unique<QSerialPort>();
    port_->setPortName(path);
    port_->setReadBufferSize(ReadBufferBytes);
    if (!port_->open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = port_->error();
        const QString reason = port_->errorString();
        port_.reset();
        switch (error) {
        case QSerialPort::PermissionError: {
            // Both a lock held by another program and a device node we may not open.
            OpenResult result = failure(OpenFailure::Busy, reason);
            result.permissionDenied = permissionDeniedOn(path);
            return result;
        }
        case QSerialPort::DeviceNotFoundError:
            return failure(OpenFailure::Missing, reason);
        case QSerialPort::OpenError:
        case QSerialPort::UnsupportedOperationError:
        case QSerialPort::ResourceError:
            return failure(OpenFailure::Unavailable, reason);
        default:
            return failure(OpenFailure::Other, reason);
        }
    }
    if (!applyLineSettings()) {
        const QString reason = port_->errorString();
        port_->close();
        port_.reset();
        return failure(OpenFailure::Unavailable, reason);
    }
    lost_ = false;
    ++generation_;
    watchForHangUp();
    return {};
}

OpenResult QtSerialPort::failure(OpenFailure kind, const QString &reason) const {
    OpenResult result;
    result.failure = kind;
    result.reason = reason;
    return result;
}

bool QtSerialPort::applyLineSettings() {
    const bool lineOk =
        port_->setBaudRate(QSerialPort::Baud115200) && port_->setDataBits(QSerialPort::Data8) &&
        port_->setParity(QSerialPort::NoParity) && port_->setStopBits(QSerialPort::OneStop) &&
        port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!lineOk)
        return false;
    return setModemLine(port_->setRequestToSend(false)) &&
           setModemLine(port_->setDataTerminalReady(false));
}

// A pseudo-terminal has no modem lines and says so; that is no reason to refuse the port.
bool QtSerialPort::setModemLine(bool ok) {
    if (ok)
        return true;
    if (port_->error() != QSerialPort::UnsupportedOperationError)
        return false;
    port_->clearError();
    return true;
}

void QtSerialPort::watchForHangUp() {
    // While an event loop runs (a pause), the port is read by its notifier; a hang-up seen
    // there would repeat at full speed. Close from the loop, not from inside the notifier.
    const quint64 generation = generation_;
    QObject::connect(port_.get(), &QSerialPort::errorOccurred, port_.get(),
                     [this, generation](QSerialPort::SerialPortError error) {
                         if (!isHangUp(error))
                             return;
                         lost_ = true;
                         QMetaObject::invokeMethod(
                             port_.get(),
                             [this, generation] {
                                 if (generation == generation_ && isOpen())
                                     loseLink();
                             },
                             Qt::QueuedConnection);
                     });
}

bool QtSerialPort::isHangUp(QSerialPort::SerialPortError error) {
    return error == QSerialPort::ReadError || error == QSerialPort::ResourceError ||
           error == QSerialPort::WriteError;
}

bool QtSerialPort::isOpen() const {
    return port_ && port_->isOpen();
}

bool QtSerialPort::setBreak(bool on) {
    if (!isOpen())
        return false;
    if (port_->setBreakEnabled(on))
        return true;
    return setModemLine(false);
}

void QtSerialPort::close() {
    if (isOpen())
        port_->close();
}

void QtSerialPort::loseLink() {
    lost_ = true;
    close();
}

bool QtSerialPort::settleError() {
    const QSerialPort::SerialPortError error = port_->error();
    if (error == QSerialPort::NoError)
        return true;
    if (isHangUp(error)) {
        loseLink();
        return false;
    }
    port_->clearError();
    return true;
}

bool QtSerialPort::write(const QByteArray &bytes) {
    if (!isOpen())
        return false;
    // Straight to the descriptor: QSerialPort's own buffer only moves inside an event loop.
    const int fd = static_cast<int>(port_->handle());
    QDeadlineTimer deadline(writeTimeoutMs(bytes.size()));
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            loseLink();
            return false;
        }
        if (deadline.hasExpired())
            break;
        pollfd device{fd, POLLOUT, 0};
        ::poll(&device, 1, static_cast<int>(qMin<qint64>(deadline.remainingTime(), 100)));
    }
    if (done == bytes.size())
        return true;
    // A stuck line: drop what is left rather than let it out later, out of order.
    port_->clear(QSerialPort::Output);
    port_->clearError();
    return false;
}

void QtSerialPort::pullInput() {
    // A quiet line is the common case: ask the descriptor first, which leaves no time-out
    // error behind to clear.
    pollfd device{static_cast<int>(port_->handle()), POLLIN, 0};
    if (::poll(&device, 1, 0) <= 0)
        return;
    if (!port_->waitForReadyRead(0))
        settleError();
}

qint64 QtSerialPort::bytesAvailable() {
    if (!isOpen())
        return 0;
    pullInput();
    return isOpen() ? port_->bytesAvailable() : 0;
}

QByteArray QtSerialPort::read(qint64 maxBytes) {
    if (!isOpen() || maxBytes <= 0)
        return {};
    if (port_->bytesAvailable() == 0)
        pullInput();
    return isOpen() ? port_->read(maxBytes) : QByteArray();
}

bool QtSerialPort::waitForInput(int msecs) {
    QDeadlineTimer deadline(qMax(msecs, 0));
    if (isOpen() && port_->bytesAvailable() > 0)
        return true;
    while (isOpen()) {
        if (port_->waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return true;
        const bool timedOut = port_->error() == QSerialPort::TimeoutError;
        if (!settleError() || timedOut || deadline.hasExpired())
            break;
        sleepMs(qMin<qint64>(deadline.remainingTime(), 1)); // unexpected wake-up: no spinning
    }
    // A closed or lost port has nothing to wait for, but the caller's deadline still stands.
    if (!isOpen())
        sleepMs(deadline.remainingTime());
    return false;
}
