#include "storecommands.h"

#include "catalog.h"
#include "programstate.h"
#include "saveflash.h"

#include "Glowtag.h"
#include "progbarxp.h"
#include "xpbutton.h"
#include "xpcheck.h"
#include "xpframe.h"
#include "xpoption.h"
#include "xptext.h"

#include <QCoreApplication>
#include <QDir>

StoreCommands::StoreCommands(SaveFlash &window) : window_(window) {}

QString StoreCommands::imagePath(const QString &caption) const {
    return window_.program().StartDirectory + QDir::separator() + caption;
}

StoreCommands::Description StoreCommands::firmware() const {
    SaveFlashUi &ui = window_.ui();
    if (window_.state().IsFVariant)
        return {ui.CmdStoreFirmware, ui.FrmFirmware, ui.TextFW, 1, true, "000000", false, 0};
    return {ui.CmdStoreFirmware, ui.FrmFirmware, ui.TextFW, 0, false, "000000", false, 0};
}

StoreCommands::Description StoreCommands::fpga1() const {
    SaveFlashUi &ui = window_.ui();
    if (window_.state().IsFVariant)
        return {ui.CmdStoreFpga1, ui.FrmFPGA1, ui.TxtFpga1, 1, true, "280000", false, 1};
    return {ui.CmdStoreFpga1, ui.FrmFPGA1, ui.TxtFpga1, 1, true, "000000", true, 1};
}

StoreCommands::Description StoreCommands::fpga2() const {
    SaveFlashUi &ui = window_.ui();
    return {ui.CmdStoreFpga2, ui.FrmFPGA2, ui.TxtFpga2, 2, true, "000000", false, 1};
}

StoreCommands::Description StoreCommands::bios() const {
    SaveFlashUi &ui = window_.ui();
    const bool erase = !window_.state().IsFVariant;
    return {ui.CmdStoreBios, ui.FrmBios, ui.TxtBios, 0, true, "000000", erase, 2};
}

void StoreCommands::CmdStoreFirmware() {
    UpdateWindowState &state = window_.state();
    if (ControllaCatalog(window_.program().StartDirectory, state.IsFVariant, state.LoadedFpgaId,
                         state.CatalogFpgaId)) {
        showOnlyFrame(window_.ui().FrmFPGA1);
        state.ChainedStore = true;
        CmdStoreFpga1();
        state.ChainedStore = false;
        if (window_.ended())
            return;
        showOnlyFrame(window_.ui().FrmFirmware);
    }
    runStore(firmware());
}

void StoreCommands::CmdStoreFpga1() {
    if (runStore(fpga1()))
        restoreAfterChainedStore();
}

void StoreCommands::CmdStoreFpga2() {
    runStore(fpga2());
}

void StoreCommands::CmdStoreBios() {
    runStore(bios());
}

bool StoreCommands::runStore(const Description &store) {
    UpdateWindowState &state = window_.state();
    state.StoreInProgress = true;
    store.button->setEnabled(false);
    window_.ui().FrmPnlPct->show();
    showOnlyFrame(store.frame);
    state.StorePhase = 1;
    window_.link().SetLineBreak(false);
    waitForMonitor();
    if (window_.ended())
        return false;
    writeDescription(store);
    window_.SaveSerFlash(true, store.tipoAgg, store.incWhich);
    // Only a chained store leaves the window open; every other end closes it.
    return !window_.ended();
}

// The second FPGA frame belongs to the F model only; on other models it is left alone.
void StoreCommands::showOnlyFrame(XPFrame *frame) {
    SaveFlashUi &ui = window_.ui();
    const bool fModel = window_.state().IsFVariant;
    for (XPFrame *each : {ui.FrmFirmware, ui.FrmFPGA1, ui.FrmFPGA2, ui.FrmBios}) {
        if (each == ui.FrmFPGA2 && !fModel && each != frame)
            continue;
        each->setVisible(each == frame);
    }
}

// The monitor's next tick acknowledges; the 100 ms timer wakes the wait, so it never spins.
void StoreCommands::waitForMonitor() {
    while (window_.state().StorePhase != 2 && !window_.ended())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void StoreCommands::writeDescription(const Description &store) {
    SaveFlashUi &ui = window_.ui();
    ui.ChkErase->setChecked(store.erase);
    ui.TxtAdd->setCaption(store.startAddress);
    ui.TxtFileName[store.index]->setText(imagePath(store.imageName->Caption()));
    ui.OptSerialFlash[store.index]->setChecked(true);
}

void StoreCommands::restoreAfterChainedStore() {
    UpdateWindowState &state = window_.state();
    SaveFlashUi &ui = window_.ui();
    state.StoreInProgress = false;
    ui.CmdStoreFpga1->setEnabled(true);
    ui.FrmPnlPct->hide();
    ui.FrmFirmware->show();
    ui.FrmFPGA1->show();
    if (state.IsFVariant)
        ui.FrmFPGA2->show();
    if (state.BiosOffered)
        ui.FrmBios->show();
}
