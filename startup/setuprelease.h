#pragma once

#include <QByteArray>
#include <QString>

// The release text: the last line of "RV44SeriesUp.DAT" in the start directory, found
// whatever the letter case of its name; "" when the file is absent or unreadable.
QString LeggiDatiSetup(const QString &startDirectory);

// The last line of a text. Lines end at CR, CR LF or LF; a terminator at the very end
// does not start another line, so only a really empty last line gives "".
QString lastLineOf(const QByteArray &text);

// Keeps only the last line of a text fed in pieces, so a large file needs little memory.
// Lines longer than MaxLineLength are cut.
class LastLineReader {
public:
    static constexpr int MaxLineLength = 4096;
    void feed(const QByteArray &chunk);
    QString result() const;

private:
    QByteArray current_;
    QByteArray last_;
    bool lineOpen_ = false;
    bool afterCarriageReturn_ = false;
};
