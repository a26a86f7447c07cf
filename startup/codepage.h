#pragma once

#include <QByteArray>
#include <QString>

// The program's single-byte character set, as seen by the rules that depend on it.
class CodePage {
public:
    virtual ~CodePage() = default;
    virtual QString toUnicode(const QByteArray &bytes) const = 0;
    virtual QByteArray fromUnicode(const QString &text) const = 0;
};

// The character set the program uses for text on the serial line: Latin-1.
class Latin1CodePage : public CodePage {
public:
    QString toUnicode(const QByteArray &bytes) const override;
    QByteArray fromUnicode(const QString &text) const override;
};

// The USB choice is offered only where byte 129 survives a round trip through the code
// page; double-byte code pages use it as a lead byte.
bool usbChoiceOffered(const CodePage &codePage);
