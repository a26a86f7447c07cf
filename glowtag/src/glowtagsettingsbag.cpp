#include "glowtagsettingsbag.h"

#include <QSettings>
#include <stdexcept>

GlowtagSettingsBag::GlowtagSettingsBag(QSettings &settings, const QString &group)
    : settings_(settings), group_(group) {}

QVariant GlowtagSettingsBag::read(const QString &key, const QVariant &defaultValue) {
    if (settings_.status() != QSettings::NoError)
        fail("read", key, statusText());
    return settings_.value(fullKey(key), defaultValue);
}

void GlowtagSettingsBag::write(const QString &key, const QVariant &value,
                               const QVariant &defaultValue) {
    if (!settings_.isWritable())
        fail("write", key, QStringLiteral("the file is read-only"));
    if (value == defaultValue)
        settings_.remove(fullKey(key));
    else
        settings_.setValue(fullKey(key), value);
    // Synced per entry so that a failure is reported at the key that caused it.
    settings_.sync();
    if (settings_.status() != QSettings::NoError)
        fail("write", key, statusText());
}

QString GlowtagSettingsBag::fullKey(const QString &key) const {
    return group_.isEmpty() ? key : group_ + QLatin1Char('/') + key;
}

QString GlowtagSettingsBag::statusText() const {
    return settings_.status() == QSettings::FormatError
               ? QStringLiteral("the file is malformed")
               : QStringLiteral("the file cannot be accessed");
}

void GlowtagSettingsBag::fail(const char *what, const QString &key, const QString &reason) const {
    throw std::runtime_error(QStringLiteral("Cannot %1 the label property \"%2\" in %3: %4")
                                 .arg(QLatin1String(what), key, settings_.fileName(), reason)
                                 .toStdString());
}
