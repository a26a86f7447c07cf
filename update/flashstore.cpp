#include "flashstore.h"

void GetStringAddress(qint32 add, quint8 &B1, quint8 &B2, quint8 &B3) {
    B1 = quint8(add / 65536);
    B2 = quint8((add % 65536) / 256);
    B3 = quint8(add % 256);
}
quint32 ParseStartAddress(const QString &) {
    return 0;
}
QByteArray EraseFrame(quint8) {
    return {};
}
QByteArray WriteBlockFrame(quint8, quint32, const QByteArray &) {
    return {};
}
QByteArray EndOfUpdateFrame() {
    return QByteArray(1, char(0x36));
}

FlashStore::FlashStore(DeviceLink &link, MessageBoxes &boxes, StoreObserver &observer,
                       ErrorLog &log)
    : link_(link), boxes_(boxes), observer_(observer), log_(log) {}
StoreOutcome FlashStore::run(const StoreRequest &) {
    return StoreOutcome::Failed;
}
