#include "devicelink.h"

#include "messageboxes.h"
#include "programend.h"
#include "serialport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <limits>

namespace {

const int LastUsbPort = 4;

struct PortChoice {
    int number = 1;
    bool fixed = false;
};

// "/COM<n>" fixes the port (no digits: 0); anything without "COM" is the USB search.
PortChoice parseLinkChoice(const QString &linkChoice) {
    PortChoice choice;
    const int at = linkChoice.indexOf(QLatin1String("COM"));
    if (at < 0)
        return choice;
    choice.fixed = true;
    choice.number = 0;
    for (int i = at + 3; i < linkChoice.size() && linkChoice.at(i).isDigit(); ++i) {
        choice.number = choice.number * 10 + linkChoice.at(i).digitValue();
        if (choice.number > std::numeric_limits<qint16>::max()) {
            choice.number = std::numeric_limits<qint16>::max();
            break;
        }
    }
    return choice;
}

bool worthTryingNext(OpenFailure failure) {
    return failure == OpenFailure::Busy || failure == OpenFailure::Missing ||
           failure == OpenFailure::Unavailable;
}

const QString PermissionHint = QStringLiteral(
    "This user may not open serial devices; on Debian, add the user to the dialout group and "
    "log in again.");

// The operator's text as it always read; the system's reason and a hint on lines of their own.
QString failureMessage(const OpenResult &result, int number, bool fixed, bool anyDenied) {
    QString text;
    QString reason = result.reason;
    switch (result.failure) {
    case OpenFailure::InvalidNumber:
        return QStringLiteral("COMM ID ") + QString::number(number) + QStringLiteral(" NOT VALID");
    case OpenFailure::Busy:
    case OpenFailure::Missing:
    case OpenFailure::Unavailable:
        text = fixed ? QStringLiteral("The indicated PORT is not Available")
                     : QStringLiteral("No COMM PORTs Available");
        if (!fixed)
            reason.clear(); // only the last of four ports: it would mislead
        break;
    default:
        text = QStringLiteral("The serial port could not be opened");
        break;
    }
    if (!reason.isEmpty())
        text += QLatin1Char('\r') + reason;
    if (anyDenied)
        text += QLatin1Char('\r') + PermissionHint;
    return text;
}

qint64 toMilliseconds(float seconds) {
    if (!(seconds > 0)) // also NaN
        return 0;
    const double ms = static_cast<double>(seconds) * 1000.0;
    return ms > 1e12 ? qint64(1e12) : static_cast<qint64>(ms + 0.5);
}

} // namespace

DeviceLink::DeviceLink(SerialPort &port, MessageBoxes &boxes, ProgramEnd &end)
    : port_(port), boxes_(boxes), end_(end) {}

void DeviceLink::OpenDevicePort(const QString &linkChoice, const QString &programName,
                                const CaptionSetter &setCaption) {
    const PortChoice choice = parseLinkChoice(linkChoice);
    if (port_.isOpen())
        return;
    int number = choice.number;
    bool anyDenied = false;
    for (;;) {
        const OpenResult result = port_.open(number);
        anyDenied = anyDenied || result.permissionDenied;
        if (result.ok()) {
            SetLineBreak(true);
            if (setCaption)
                setCaption(programName + QStringLiteral("    (COMM") +
                           QString::number(port_.portNumber()) + QStringLiteral(")  "));
            return;
        }
        if (!choice.fixed && worthTryingNext(result.failure) && number < LastUsbPort) {
            ++number;
            continue;
        }
        boxes_.critical(failureMessage(result, number, choice.fixed, anyDenied));
        end_.endNow(ExitPortNotOpened);
        return;
    }
}

bool DeviceLink::ConnectDevice(const QString &linkChoice, const QString &programName,
                               const CaptionSetter &setCaption) {
    OpenDevicePort(linkChoice, programName, setCaption);
    return port_.isOpen();
}

void DeviceLink::SetLineBreak(bool on) {
    port_.setBreak(on);
}

void DeviceLink::CloseLink() {
    CloseDevicePort();
}

void DeviceLink::CloseDevicePort() {
    if (port_.isOpen())
        port_.close();
}

bool DeviceLink::isOpen() const {
    return port_.isOpen();
}

void DeviceLink::SendFrame(const Bytes &frame) {
    port_.write(frame);
}

qint16 DeviceLink::PendingInputCount() {
    const qint64 waiting = port_.bytesAvailable();
    return static_cast<qint16>(qMin<qint64>(waiting, std::numeric_limits<qint16>::max()));
}

Bytes DeviceLink::ReadInput(qint16 count) {
    // Only what the caller counted: bytes that came after it belong to the next reader.
    if (count <= 0)
        return EmptyBytes;
    return port_.read(count);
}

Bytes DeviceLink::WaitForReply(const QString &expected, float timeoutSeconds) {
    const QString wanted = expected.toUpper();
    QDeadlineTimer deadline(toMilliseconds(timeoutSeconds), Qt::PreciseTimer);
    Bytes received = EmptyBytes;
    for (;;) {
        const qint16 waiting = PendingInputCount();
        if (waiting != 0) {
            received = BytesConcat(received, ReadInput(waiting));
            if (BytesToText(received).toUpper().contains(wanted))
                return EmptyBytes;
        }
        if (deadline.hasExpired())
            break;
        // Block on the line for the time left instead of polling round and round.
        port_.waitForInput(static_cast<int>(qMin<qint64>(deadline.remainingTime(), 1 << 30)));
        if (!port_.isOpen())
            QThread::msleep(static_cast<unsigned long>(qMax<qint64>(deadline.remainingTime(), 0)));
    }
    if (LastIndex(received) == -1) {
        replyStatus_ = QStringLiteral("Null");
        return TextToBytes(QStringLiteral("No Reply"));
    }
    replyStatus_ = QStringLiteral("Error");
    return received;
}

void DeviceLink::PauseSeconds(float seconds) {
    const qint64 ms = toMilliseconds(seconds);
    if (!QCoreApplication::instance()) {
        QThread::msleep(static_cast<unsigned long>(ms)); // no event loop to keep alive
        return;
    }
    if (ms == 0) {
        QCoreApplication::processEvents(); // even a zero pause lets pending events through
        return;
    }
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    while (clock.elapsed() < ms) {
        timer.start(static_cast<int>(qMin<qint64>(ms - clock.elapsed(), 1 << 30)));
        loop.exec();
        // Ended by someone else (the application is quitting): restarting would only spin.
        if (timer.isActive())
            break;
    }
}
