#include "saveflashui.h"

#include "Glowtag.h"
#include "progbarxp.h"
#include "xpbutton.h"
#include "xpcheck.h"
#include "xpframe.h"
#include "xpoption.h"
#include "xptext.h"
#include "xptextarea.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

namespace {

// The labels show file names in blue (0x00BBGGRR).
constexpr int FileNameCaptionColour = 0xFF0000;

QFont designFont(bool bold) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}

template <typename W> W *named(W *widget, const QString &name) {
    widget->setObjectName(name);
    return widget;
}

Glowtag *makeLabel(QWidget *parent, const QString &name, const QString &caption, bool blue) {
    auto *label = named(new Glowtag(parent), name);
    // A label placed in the design starts from the control's own defaults (grey outline,
    // rounded corners, button-face background), not from all-zero members.
    label->initNewInstance(designFont(true), name);
    label->setFont(designFont(true));
    if (blue)
        label->setColoreCaption(FileNameCaptionColour);
    label->setCaption(caption);
    return label;
}

XPButton *makeButton(QWidget *parent, const QString &name, const QString &caption, bool bold) {
    auto *button = named(new XPButton(caption, parent), name);
    button->setFont(designFont(bold));
    return button;
}

XPFrame *makeFrame(QWidget *parent, const QString &name, const QString &caption) {
    auto *frame = named(new XPFrame(caption, parent), name);
    frame->setFont(designFont(false));
    return frame;
}

} // namespace

int TwipsToPixels(int twips) {
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

void PlaceInTwips(QWidget *widget, int left, int top, int width, int height) {
    widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                        TwipsToPixels(height));
}

void MoveTopInTwips(QWidget *widget, int top) {
    widget->move(widget->x(), TwipsToPixels(top));
}

QString SaveFlashUi::indexedName(const char *name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

SaveFlashUi::SaveFlashUi(QWidget *window) {
    window->setFont(designFont(false));
    buildImageFrames(window);
    buildProgressFrame(window);
    buildControls(window);
    buildParameterRows(window);
}

void SaveFlashUi::buildImageFrames(QWidget *window) {
    FrmFirmware = makeFrame(window, "FrmFirmware", "Firmware Image");
    PlaceInTwips(FrmFirmware, 100, 100, 5595, 1095);
    TextFW = makeLabel(FrmFirmware, "TextFW", "---", true);
    PlaceInTwips(TextFW, 105, 250, 5400, 300);
    CmdStoreFirmware = makeButton(FrmFirmware, "CmdStoreFirmware", "Update Firmware", false);
    PlaceInTwips(CmdStoreFirmware, 100, 600, 5400, 405);

    FrmFPGA1 = makeFrame(window, "FrmFPGA1", "FPGA Bitstream");
    PlaceInTwips(FrmFPGA1, 105, 1200, 5595, 1095);
    TxtFpga1 = makeLabel(FrmFPGA1, "TxtFpga1", "---", true);
    PlaceInTwips(TxtFpga1, 100, 250, 5400, 300);
    CmdStoreFpga1 = makeButton(FrmFPGA1, "CmdStoreFpga1", "Update FPGA", false);
    PlaceInTwips(CmdStoreFpga1, 120, 600, 5400, 405);

    FrmFPGA2 = makeFrame(window, "FrmFPGA2", "FPGA Bitstream Radiated");
    PlaceInTwips(FrmFPGA2, 120, 2300, 5595, 1095);
    TxtFpga2 = makeLabel(FrmFPGA2, "TxtFpga2", "---", true);
    PlaceInTwips(TxtFpga2, 100, 250, 5400, 300);
    CmdStoreFpga2 = makeButton(FrmFPGA2, "CmdStoreFpga2", "Update FPGA", false);
    PlaceInTwips(CmdStoreFpga2, 100, 600, 5400, 405);
    FrmFPGA2->hide();

    FrmBios = makeFrame(window, "FrmBios", "Bios");
    PlaceInTwips(FrmBios, 105, 3400, 5595, 1095);
    TxtBios = makeLabel(FrmBios, "TxtBios", "---", true);
    PlaceInTwips(TxtBios, 100, 250, 5400, 300);
    CmdStoreBios = makeButton(FrmBios, "CmdStoreBios", "Update Bios", false);
    PlaceInTwips(CmdStoreBios, 100, 600, 5400, 405);
    FrmBios->hide();

    for (XPButton *button : {CmdStoreFirmware, CmdStoreFpga1, CmdStoreFpga2, CmdStoreBios})
        button->setEnabled(false);
}

void SaveFlashUi::buildProgressFrame(QWidget *window) {
    FrmPnlPct = makeFrame(window, "FrmPnlPct", QString());
    FrmPnlPct->setAlignment(Qt::AlignHCenter);
    PlaceInTwips(FrmPnlPct, 105, 4600, 5595, 1005);
    PnlPct = named(new ProgBarXP(FrmPnlPct), QStringLiteral("PnlPct"));
    PnlPct->setFont(designFont(true));
    PnlPct->setRange(0, 100);
    PnlPct->setValue(0);
    QPalette bar = PnlPct->palette();
    bar.setColor(QPalette::Highlight, Qt::blue);
    PnlPct->setPalette(bar);
    PlaceInTwips(PnlPct, 105, 195, 5400, 375);
    LblLocation = makeLabel(FrmPnlPct, "LblLocation", "Location (HEX)", false);
    PlaceInTwips(LblLocation, 100, 650, 1700, 300);
    TxtAdd = makeLabel(FrmPnlPct, "TxtAdd", "000000", false);
    PlaceInTwips(TxtAdd, 1950, 650, 1695, 300);
    LblAddr = makeLabel(FrmPnlPct, "LblAddr", "---", false);
    PlaceInTwips(LblAddr, 3800, 650, 1700, 300);
    FrmPnlPct->hide();
}

void SaveFlashUi::buildControls(QWidget *window) {
    CmdStop = makeButton(window, "CmdStop", "EXIT", true);
    PlaceInTwips(CmdStop, 4500, 5700, 1200, 375);

    RX_TXT = named(new XPTextArea(window), QStringLiteral("RX_TXT"));
    RX_TXT->setReadOnly(true);
    RX_TXT->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    PlaceInTwips(RX_TXT, 120, 6255, 5595, 1125);
    RX_TXT->hide();

    CMD_Save_Flash = makeButton(window, "CMD_Save_Flash", "Execute Storing", false);
    PlaceInTwips(CMD_Save_Flash, 120, 7455, 1395, 405);
    CMD_Save_Flash->hide();

    ChkErase =
        named(new XPCheck(QStringLiteral("Erase First"), window), QStringLiteral("ChkErase"));
    ChkErase->setChecked(true);
    PlaceInTwips(ChkErase, 1560, 7455, 1335, 285);
    ChkErase->hide();
}

void SaveFlashUi::buildParameterRows(QWidget *window) {
    for (int i = 0; i < IndexedCount; ++i) {
        const int top = 7965 + 300 * i;
        LBFileName[i] = makeLabel(window, indexedName("LBFileName", i), "File Name", false);
        PlaceInTwips(LBFileName[i], 105, top, 1200, 285);
        TxtFileName[i] = named(new XPText(window), indexedName("TxtFileName", i));
        PlaceInTwips(TxtFileName[i], 1440, top, 3195, 285);
        OptSerialFlash[i] = named(new XPOption(QStringLiteral("#%1").arg(i + 1), window),
                                  indexedName("OptSerialFlash", i));
        PlaceInTwips(OptSerialFlash[i], 4680, top, 495, 285);
        for (QWidget *w :
             {static_cast<QWidget *>(LBFileName[i]), static_cast<QWidget *>(TxtFileName[i]),
              static_cast<QWidget *>(OptSerialFlash[i])})
            w->hide();
    }
    OptSerialFlash[0]->setChecked(true);
}
