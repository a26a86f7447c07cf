#include "colorscheme.h"

#include <QStringList>
#include <QWidget>

namespace {

bool isFlatFill(int labelStyle) {
    return labelStyle == 0 || labelStyle == 7 || labelStyle == 8;
}

void styleLabel(QWidget *label, const SettingsRecord &scheme) {
    const QString name = label->objectName();
    if (name == QLatin1String("LbColor") || name == QLatin1String("LBSep"))
        return;
    setSchemeProperty(label, "Style", scheme.LabelStyle);
    static const QStringList keepColours = {
        QStringLiteral("LbFtune"), QStringLiteral("PnlOverRange"), QStringLiteral("LBAttSS")};
    if (keepColours.contains(name))
        return;
    if (isFlatFill(scheme.LabelStyle)) {
        setSchemeProperty(label, "ColoreEtichetta", scheme.LabelColorEnd);
        return;
    }
    setSchemeProperty(label, "ColorBegin", scheme.LabelColorBegin);
    setSchemeProperty(label, "ColorEnd", scheme.LabelColorEnd);
}

void styleButton(QWidget *button, const SettingsRecord &scheme) {
    setSchemeProperty(button, "ColorScheme", 1);
    setSchemeProperty(button, "Style", scheme.SchemeControlStyle);
    setSchemeProperty(button, "ColorBegin", scheme.SchemeColorBegin);
    setSchemeProperty(button, "ColorEnd", scheme.SchemeColorEnd);
}

void styleProgressBar(QWidget *bar, const SettingsRecord &scheme) {
    if (scheme.SchemeControlStyle == 0)
        setSchemeProperty(bar, "Style", 3);
    else if (scheme.SchemeControlStyle == 1)
        setSchemeProperty(bar, "Style", 1);
}

void styleControl(QWidget *control, const SettingsRecord &scheme) {
    if (control->inherits("XPOption") || control->inherits("XPCheck") ||
        control->inherits("XPText") || control->inherits("XPTextArea") ||
        control->inherits("XPFrame"))
        setSchemeProperty(control, "Style", scheme.SchemeControlStyle);
    else if (control->inherits("XPButton"))
        styleButton(control, scheme);
    else if (control->inherits("ProgBarXP"))
        styleProgressBar(control, scheme);
    else if (control->inherits("Glowtag"))
        styleLabel(control, scheme);
}

} // namespace

void setSchemeProperty(QObject *control, const char *name, int value) {
    if (control->setProperty(name, value))
        return;
    throw ColorSchemeError(QStringLiteral("The control %1 refused the value %2 for %3")
                               .arg(control->objectName())
                               .arg(value)
                               .arg(QLatin1String(name))
                               .toStdString());
}

void ApplyColorScheme(QWidget *window, const SettingsRecord &scheme) {
    const QList<QWidget *> controls = window->findChildren<QWidget *>();
    for (QWidget *control : controls)
        styleControl(control, scheme);
}
