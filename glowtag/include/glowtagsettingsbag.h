#pragma once

#include "glowtag_export.h"
#include "glowtagpropertybag.h"

class QSettings;

// Saved properties in a QSettings group; entries equal to their default are not stored.
class GLOWTAG_EXPORT GlowtagSettingsBag : public GlowtagPropertyBag {
public:
    // group may be empty; the settings object must outlive the bag.
    explicit GlowtagSettingsBag(QSettings &settings, const QString &group = QString());

    QVariant read(const QString &key, const QVariant &defaultValue) override;
    void write(const QString &key, const QVariant &value, const QVariant &defaultValue) override;

private:
    QString fullKey(const QString &key) const;
    QString statusText() const;
    [[noreturn]] void fail(const char *what, const QString &key, const QString &reason) const;

    QSettings &settings_;
    QString group_;
};
