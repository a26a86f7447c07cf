#pragma once

#include <QByteArray>
#include <QString>

// The text between the first St2 in St1 and the next St3 after it, trimmed of spaces (only
// spaces); "" when either marker is missing.
QString TrovaSt(const QString &St1, const QString &St2, const QString &St3);

// The receiver's text as the monitor sees it. The markers are found exactly as a search of the
// whole text would find them, but memory and the work per append stay bounded whatever the
// length of the run.
class MonitorText {
public:
    static constexpr int TailLimit = 32 * 1024;
    // Text kept after an unterminated ID marker. When this much has arrived without a ")",
    // the ID stays unknown for the rest of the run.
    static constexpr int PendingIdLimit = 4 * 1024;

    void append(const QByteArray &chunk);

    bool hasText() const { return total_ > 0; }
    // "RV44F" anywhere in the text, exact case.
    bool containsF() const { return containsF_; }
    // The ID after the first "FPGA Loaded --->(ID=", up to the next ")", trimmed of spaces;
    // "" until the ")" has arrived.
    QString fpgaId() const { return fpgaId_; }
    // The end of the text, at most TailLimit characters, one character per byte.
    QString tail() const;
    qint64 totalBytes() const { return total_; }

private:
    void scanForF(const QByteArray &chunk);
    void scanForId(const QByteArray &chunk);
    void keepTail(const QByteArray &chunk);

    qint64 total_ = 0;
    bool containsF_ = false;
    QByteArray fCarry_; // last bytes that may start a split "RV44F"
    enum class IdState { Searching, Pending, Done, GaveUp };
    IdState idState_ = IdState::Searching;
    QByteArray idCarry_; // while searching: bytes that may start a split marker
    QByteArray idText_;  // while pending: the text after the marker
    QString fpgaId_;
    QByteArray tail_;
};
