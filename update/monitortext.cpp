#include "monitortext.h"

QString TrovaSt(const QString &, const QString &, const QString &) {
    return {};
}
void MonitorText::append(const QByteArray &chunk) {
    total_ += chunk.size();
}
QString MonitorText::tail() const {
    return QString::fromLatin1(tail_);
}
