#pragma once

#include "glowtag_export.h"

#include <QString>
#include <QVariant>

// The host's store of saved properties, one entry per key. Implementations report a failing
// read or write by throwing std::runtime_error.
class GLOWTAG_EXPORT GlowtagPropertyBag {
public:
    virtual ~GlowtagPropertyBag() = default;

    // The stored value, or defaultValue when the key is absent.
    virtual QVariant read(const QString &key, const QVariant &defaultValue) = 0;
    // Stores value; the default lets a store leave out entries that equal it.
    virtual void write(const QString &key, const QVariant &value, const QVariant &defaultValue) = 0;
};
