#pragma once

#include <QByteArray>
#include <QString>

class QFile;

class DeviceLink;
class MessageBoxes;
class ErrorLog;

// Flash addresses are 24-bit; the frame carries them big-endian.
void GetStringAddress(qint32 add, quint8 &B1, quint8 &B2, quint8 &B3);
// Unsigned hexadecimal up to the first other character; no digits give 0.
quint32 ParseStartAddress(const QString &caption);

QByteArray EraseFrame(quint8 flash);
// Always 134 bytes: data (1..128 bytes) padded with spaces.
QByteArray WriteBlockFrame(quint8 flash, quint32 address, const QByteArray &data);
QByteArray EndOfUpdateFrame();

constexpr int BlockSize = 128;
constexpr quint32 FlashAddressLimit = 0x1000000;

// What a store command asks for.
struct StoreRequest {
    int optionIndex = -1; // -1 = no option selected
    QString imagePath;
    bool incWhich = false;
    bool erase = false;
    QString startAddressCaption = "000000";
    qint16 tipoAgg = 0;
    bool terminate = true;
    bool chained = false;
};

// What the store shows and how it lets the window breathe.
class StoreObserver {
public:
    virtual ~StoreObserver() = default;
    // The progress frame's caption: "Erasing FLASH" or "43%".
    virtual void setStatusCaption(const QString &caption) = 0;
    virtual void setPercent(int percent) = 0;
    virtual void showAddressLabel() = 0;
    // "0x280080"
    virtual void setAddressCaption(const QString &caption) = 0;
    // Lets the event loop run once.
    virtual void yieldToEvents() = 0;
    // The operator ended the program during a yield: stop at once, send and show nothing more.
    virtual bool abandoned() const = 0;
};

enum class StoreOutcome {
    Finished,        // message shown; 0x36 sent
    FinishedChained, // message shown, no 0x36; the window stays
    Returned,        // not terminating: every block acknowledged, nothing else done
    Failed,          // a warning was shown
    Abandoned,
};

// Stores one image file into one serial flash, block by block.
class FlashStore {
public:
    FlashStore(DeviceLink &link, MessageBoxes &boxes, StoreObserver &observer, ErrorLog &log);
    StoreOutcome run(const StoreRequest &request);

private:
    struct Job {
        const StoreRequest *request = nullptr;
        QString path;
        quint8 flash = 0;
        quint32 start = 0;
        qint64 total = 0;
        QString fileDateTime; // three spaces and the file's last change
        QString fileLen;      // three spaces, the length, three spaces
    };

    bool fitsInFlash(const Job &job);
    void warnUnreadable(const Job &job, const QString &reason);
    void eraseFlash(const Job &job);
    StoreOutcome sendBlocks(const Job &job, QFile &file);
    StoreOutcome sendBlock(const Job &job, const QByteArray &frame, int percent,
                           const QString &addressCaption);
    StoreOutcome finish(const Job &job);

    DeviceLink &link_;
    MessageBoxes &boxes_;
    StoreObserver &observer_;
    ErrorLog &log_;
};
