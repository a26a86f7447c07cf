#include "codepage.h"

QString Latin1CodePage::toUnicode(const QByteArray &bytes) const {
    return QString::fromLatin1(bytes);
}

QByteArray Latin1CodePage::fromUnicode(const QString &text) const {
    return text.toLatin1();
}

bool usbChoiceOffered(const CodePage &codePage) {
    const QByteArray probe(1, char(129));
    const QByteArray back = codePage.fromUnicode(codePage.toUnicode(probe));
    return back == probe;
}
