#pragma once

#include <QString>
#include <array>

class QWidget;
class Glowtag;
class XPButton;
class XPCheck;
class XPFrame;
class XPOption;
class XPText;
class XPTextArea;
class ProgBarXP;

// Twips (1/1440 inch) as the window is designed, 15 to a pixel at 96 dots per inch.
constexpr int TwipsPerPixel = 15;
int TwipsToPixels(int twips);
// Place a widget by its design geometry, relative to its parent.
void PlaceInTwips(QWidget *widget, int left, int top, int width, int height);
// Move a widget vertically, keeping its left edge.
void MoveTopInTwips(QWidget *widget, int top);

// The widgets of the update window, created with their design geometry, captions and initial
// states. Every widget carries its design name as objectName; the indexed groups are named
// "<name>_<index>" (TxtFileName_0 .. TxtFileName_3, OptSerialFlash_0 .., LBFileName_0 ..).
class SaveFlashUi {
public:
    static constexpr int DesignClientWidth = 5835;
    static constexpr int IndexedCount = 4;

    explicit SaveFlashUi(QWidget *window);

    XPFrame *FrmFirmware;
    Glowtag *TextFW;
    XPButton *CmdStoreFirmware;
    XPFrame *FrmFPGA1;
    Glowtag *TxtFpga1;
    XPButton *CmdStoreFpga1;
    XPFrame *FrmFPGA2;
    Glowtag *TxtFpga2;
    XPButton *CmdStoreFpga2;
    XPFrame *FrmBios;
    Glowtag *TxtBios;
    XPButton *CmdStoreBios;
    XPFrame *FrmPnlPct;
    ProgBarXP *PnlPct;
    Glowtag *LblLocation;
    Glowtag *TxtAdd;
    Glowtag *LblAddr;
    XPButton *CmdStop;
    XPTextArea *RX_TXT;
    XPButton *CMD_Save_Flash;
    XPCheck *ChkErase;
    std::array<Glowtag *, IndexedCount> LBFileName;
    std::array<XPText *, IndexedCount> TxtFileName;
    std::array<XPOption *, IndexedCount> OptSerialFlash;

    static QString indexedName(const char *name, int index);

private:
    void buildImageFrames(QWidget *window);
    void buildProgressFrame(QWidget *window);
    void buildControls(QWidget *window);
    void buildParameterRows(QWidget *window);
};
