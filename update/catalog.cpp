#include "catalog.h"

QString CatalogFileName(bool isFVariant) {
    return isFVariant ? "CATALOGF.DAT" : "CATALOG.DAT";
}
bool ControllaCatalog(const QString &, bool, const QString &, qint16 &) {
    return true;
}
