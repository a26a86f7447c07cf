#pragma once

#include "bytes.h"

#include <QString>
#include <functional>

class SerialPort;
class MessageBoxes;
class ProgramEnd;

// The program's link to the receiver: opens the chosen port, holds and releases the line break,
// sends frames and waits for text replies.
class DeviceLink {
public:
    using CaptionSetter = std::function<void(const QString &)>;

    DeviceLink(SerialPort &port, MessageBoxes &boxes, ProgramEnd &end);

    // linkChoice is "/COM<n>" or "USB". On success the caption becomes
    // programName + "    (COMM<n>)  ". On failure shows the message and ends the program.
    void OpenDevicePort(const QString &linkChoice, const QString &programName,
                        const CaptionSetter &setCaption);
    bool ConnectDevice(const QString &linkChoice, const QString &programName,
                       const CaptionSetter &setCaption);
    void SetLineBreak(bool on);
    void CloseLink();
    void CloseDevicePort();

    void SendFrame(const Bytes &frame);
    // Received bytes waiting to be read, at most 32767.
    qint16 PendingInputCount();
    // Empty for a count of 0; otherwise the waiting bytes, at most count of them (callers pass
    // the PendingInputCount they just took, so later arrivals stay for the next reader).
    Bytes ReadInput(qint16 count);
    // Empty on success; otherwise "No Reply" (status "Null") or the bytes received ("Error").
    Bytes WaitForReply(const QString &expected, float timeoutSeconds);
    // Keeps the event loop running for the given time.
    void PauseSeconds(float seconds);

    const QString &ReplyStatus() const { return replyStatus_; }
    void setReplyStatus(const QString &status) { replyStatus_ = status; }
    bool isOpen() const;

private:
    SerialPort &port_;
    MessageBoxes &boxes_;
    ProgramEnd &end_;
    QString replyStatus_;
};
