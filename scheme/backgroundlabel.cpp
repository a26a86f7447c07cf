#include "backgroundlabel.h"

#include "colorscheme.h"

#include <QWidget>

int backgroundLabelStyle(int labelStyle) {
    switch (labelStyle) {
    case 2:
    case 3:
    case 5:
    case 6:
        return labelStyle;
    default:
        return 3;
    }
}

void DressBackgroundLabel(QWidget *label, const QWidget *window, const SettingsRecord &scheme) {
    setSchemeProperty(label, "ColoreBordo", scheme.LabelColorBegin);
    setSchemeProperty(label, "ColorBegin", scheme.LabelColorBegin);
    setSchemeProperty(label, "ColorEnd", scheme.LabelColorEnd);
    setSchemeProperty(label, "Style", backgroundLabelStyle(scheme.LabelStyle));
    label->setGeometry(window->contentsRect());
}
