#include "progressmonitor.h"

#include "saveflash.h"

#include "Glowtag.h"
#include "xpframe.h"
#include "xptextarea.h"

#include <QTextCursor>

ProgressMonitor::ProgressMonitor(SaveFlash &window) : window_(window) {}

void ProgressMonitor::tick() {
    if (window_.ended())
        return;
    const bool gotText = readPending();
    UpdateWindowState &state = window_.state();
    if (state.StorePhase == 0 && gotText)
        identifyReceiver();
    if (state.StorePhase == 1)
        state.StorePhase = 2;
    takeFpgaId(gotText);
}

// True when input was waiting: the text seen on this tick is then everything received so far.
bool ProgressMonitor::readPending() {
    DeviceLink &link = window_.link();
    const qint16 n = link.PendingInputCount();
    if (n == 0)
        return false;
    const Bytes chunk = link.ReadInput(n);
    text_.append(chunk);
    if (!text_.hasText())
        return false;
    if (!chunk.isEmpty())
        showReceivedText();
    return true;
}

void ProgressMonitor::showReceivedText() {
    XPTextArea *box = window_.ui().RX_TXT;
    box->setPlainText(text_.tail());
    box->moveCursor(QTextCursor::End);
}

void ProgressMonitor::identifyReceiver() {
    qint16 fw = 0, fpga = 0, bios = 0;
    // Arranges with the model known before this tick: the second FPGA frame follows a tick later.
    window_.ControllaCommands(fw, fpga, bios);
    UpdateWindowState &state = window_.state();
    state.IsFVariant = false;
    if (text_.containsF()) {
        state.IsFVariant = true;
        useFModelNames(fw, fpga, bios);
    }
}

void ProgressMonitor::useFModelNames(qint16 fw, qint16 fpga, qint16 bios) {
    SaveFlashUi &ui = window_.ui();
    if (fw != 0)
        ui.TextFW->setCaption(QStringLiteral("RV44F_FW.ldr"));
    if (fpga != 0) {
        ui.TxtFpga1->setCaption(QStringLiteral("check.bin"));
        ui.TxtFpga2->setCaption(QStringLiteral("Radied.bin"));
    }
    if (bios != 0)
        ui.TxtBios->setCaption(QStringLiteral("RV44F_BT.ldr"));
}

void ProgressMonitor::takeFpgaId(bool gotText) {
    UpdateWindowState &state = window_.state();
    XPFrame *frame = window_.ui().FrmFPGA1;
    if (gotText && state.LoadedFpgaId.isEmpty()) {
        state.LoadedFpgaId = text_.fpgaId();
        if (!state.LoadedFpgaId.isEmpty())
            frame->setTitle(QStringLiteral("FPGA Bitstream (%1)").arg(state.LoadedFpgaId));
    } else if (state.LoadedFpgaId.isEmpty()) {
        frame->setTitle(QStringLiteral("FPGA Bitstream"));
    }
}
