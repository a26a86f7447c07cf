#include "window_rig.h"

#include "commap.h"
#include "progressmonitor.h"
#include "qtserialport.h"
#include "xpbutton.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTimer>

int Px(int twips) {
    return TwipsToPixels(twips);
}

WindowRig::WindowRig(const QStringList &simArgs, const QString &commandLine) : simArgs_(simArgs) {
    program.LinkChoice = QStringLiteral("/COM1");
    program.CommandLine = commandLine;
}

WindowRig::~WindowRig() {
    window_.reset();
    if (!previousDir_.isEmpty())
        QDir::setCurrent(previousDir_);
}

bool WindowRig::open() {
    sim_ = std::make_unique<SimProcess>(simArgs_);
    if (!sim_->start()) {
        failure = QStringLiteral("the simulator did not start");
        return false;
    }
    com1_ = std::make_unique<ScopedEnv>("RV44_COM1", sim_->linkPath());
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(startDir.path());
    window_ = std::make_unique<SaveFlash>(
        program, std::make_unique<QtSerialPort>(ComMap::fromSystem()), boxes, end);
    if (!window_->link().isOpen()) {
        failure = QStringLiteral("the window did not open the link");
        return false;
    }
    return true;
}

QByteArray WindowRig::writeImage(const QString &name, int size, int seed) {
    QByteArray bytes(size, '\0');
    quint32 x = 0x9E3779B9u * quint32(seed);
    for (int i = 0; i < size; ++i) {
        x = x * 1664525u + 1013904223u;
        bytes[i] = char(x >> 24);
    }
    writeFile(name, bytes);
    return bytes;
}

void WindowRig::writeFile(const QString &name, const QByteArray &bytes) {
    QFile file(startDir.filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void WindowRig::writeCurrentCatalog() {
    writeFile(QStringLiteral("CATALOG.DAT"), "FPGA_ID=0104\r\n");
}

bool WindowRig::waitFor(const std::function<bool()> &condition, int msecs) {
    // Wakes the wait even when nothing else happens (the window's timer may be stopped).
    QTimer wake;
    wake.start(10);
    QDeadlineTimer deadline(msecs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

bool WindowRig::waitForIdentification(int msecs) {
    return waitFor(
        [this] {
            return window_->monitor().text().hasText() &&
                   window_->ui().CmdStoreFirmware->isEnabled();
        },
        msecs);
}

QStringList WindowRig::frameHex() const {
    QStringList hex;
    for (const QByteArray &frame : sim_->frames())
        hex.append(QString::fromLatin1(frame.toHex(' ').toUpper()));
    return hex;
}
