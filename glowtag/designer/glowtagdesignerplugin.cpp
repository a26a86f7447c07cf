#include "glowtagdesignerplugin.h"

#include "Glowtag.h"
#include "glowtagidentity.h"

#include <QIcon>
#include <QPixmap>

GlowtagDesignerPlugin::GlowtagDesignerPlugin(QObject *parent) : QObject(parent) {}

QString GlowtagDesignerPlugin::name() const {
    return QString::fromLatin1(GlowtagIdentity::ClassName);
}

QString GlowtagDesignerPlugin::group() const {
    return QStringLiteral("Display Widgets");
}

QString GlowtagDesignerPlugin::toolTip() const {
    return QStringLiteral("Label with a gradient or bordered face");
}

QString GlowtagDesignerPlugin::whatsThis() const {
    return QStringLiteral("A label that paints a flat, row or concentric gradient face, "
                          "optionally with a square border, and can animate its gradient.");
}

QString GlowtagDesignerPlugin::includeFile() const {
    return QStringLiteral("Glowtag.h");
}

QIcon GlowtagDesignerPlugin::icon() const {
    // The toolbox picture is the control itself, drawn small.
    Glowtag sample;
    sample.initNewInstance(sample.font(), QString());
    sample.resize(24, 24);
    sample.setRaggioEtichetta(8);
    sample.setCaption(QString());
    sample.setStyle(Glowtag::Round_Concentric);
    return QIcon(QPixmap::fromImage(sample.image()));
}

bool GlowtagDesignerPlugin::isContainer() const {
    return false;
}

QWidget *GlowtagDesignerPlugin::createWidget(QWidget *parent) {
    auto *tag = new Glowtag(parent);
    tag->initNewInstance(parent ? parent->font() : tag->font(), name());
    return tag;
}

bool GlowtagDesignerPlugin::isInitialized() const {
    return initialized_;
}

void GlowtagDesignerPlugin::initialize(QDesignerFormEditorInterface *core) {
    Q_UNUSED(core)
    initialized_ = true;
}

QString GlowtagDesignerPlugin::domXml() const {
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"Glowtag\" name=\"glowtag\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>160</width><height>40</height></rect>\n"
                          "  </property>\n"
                          " </widget>\n"
                          "</ui>\n");
}
