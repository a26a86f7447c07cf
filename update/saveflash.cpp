#include "saveflash.h"

#include "textrules.h"

#include "commandline.h"
#include "frmlayout.h"
#include "messageboxes.h"
#include "programend.h"
#include "programstate.h"
#include "progressmonitor.h"
#include "serialport.h"
#include "storecommands.h"

#include "Glowtag.h"
#include "colorscheme.h"
#include "progbarxp.h"
#include "xpbutton.h"
#include "xpcheck.h"
#include "xpframe.h"
#include "xpoption.h"
#include "xptext.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace {

const QString ExitQuestion = QStringLiteral("             If you exit now\r"
                                            "the receiver WILL BE UNUSABLE\r"
                                            " until a new update takes place.\r"
                                            "            Confirm EXIT?");

} // namespace

SaveFlash::SaveFlash(ProgramState &program, std::unique_ptr<SerialPort> port, MessageBoxes &boxes,
                     ProgramEnd &end, QWidget *parent)
    : QWidget(parent), program_(program), port_(std::move(port)), boxes_(boxes), end_(end),
      link_(*port_, boxes, end), ui_(this) {
    setObjectName(QStringLiteral("SaveFlash"));
    monitor_ = std::make_unique<ProgressMonitor>(*this);
    commands_ = std::make_unique<StoreCommands>(*this);
    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setInterval(100);
    connect(&timer1_, &QTimer::timeout, this, [this] { monitor_->tick(); });
    timer1_.start();
    connectSignals();
    load();
}

SaveFlash::~SaveFlash() = default;

void SaveFlash::connectSignals() {
    connect(ui_.CmdStop, &QPushButton::clicked, this, [this] { close(); });
    connect(ui_.CmdStoreFirmware, &QPushButton::clicked, this,
            [this] { commands_->CmdStoreFirmware(); });
    connect(ui_.CmdStoreFpga1, &QPushButton::clicked, this, [this] { commands_->CmdStoreFpga1(); });
    connect(ui_.CmdStoreFpga2, &QPushButton::clicked, this, [this] { commands_->CmdStoreFpga2(); });
    connect(ui_.CmdStoreBios, &QPushButton::clicked, this, [this] { commands_->CmdStoreBios(); });
    // Selecting an option from code counts as a click too, as the store commands rely on.
    for (int i = 0; i < SaveFlashUi::IndexedCount; ++i) {
        connect(ui_.OptSerialFlash[i], &QRadioButton::clicked, this,
                [this, i] { onFlashOptionClicked(i); });
        connect(ui_.OptSerialFlash[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                onFlashOptionClicked(i);
        });
    }
}

void SaveFlash::load() {
    state_.ChainedStore = false;
    state_.LoadedFpgaId.clear();
    program_.StartDirectory = QDir::currentPath();
    log_ = std::make_unique<ErrorLog>(program_.StartDirectory);
    applyScheme();
    ui_.FrmBios->hide();
    applyLayout(LayoutAtLoad());
    link_.ConnectDevice(program_.LinkChoice, program_.ProgramName,
                        [this](const QString &caption) { setWindowTitle(caption); });
}

// A control that refuses a colour leaves the rest of the window in its design colours; the
// window still works, so the refusal is only reported.
void SaveFlash::applyScheme() {
    try {
        ApplyColorScheme(this, program_.Settings);
    } catch (const ColorSchemeError &error) {
        std::fprintf(stderr, "Colour scheme not fully applied: %s\n", error.what());
    }
}

void SaveFlash::applyLayout(const FrameLayout &layout) {
    MoveTopInTwips(ui_.FrmFPGA2, layout.fpga2Top);
    ui_.FrmFPGA2->setVisible(layout.fpga2Visible);
    MoveTopInTwips(ui_.FrmBios, layout.biosTop);
    ui_.FrmBios->setVisible(layout.biosVisible);
    MoveTopInTwips(ui_.FrmPnlPct, layout.pnlPctTop);
    MoveTopInTwips(ui_.CmdStop, layout.cmdStopTop);
    setWindowHeightTwips(layout.windowHeight);
}

void SaveFlash::setWindowHeightTwips(int twips) {
    state_.WindowHeightTwips = twips;
    setFixedSize(TwipsToPixels(SaveFlashUi::DesignClientWidth),
                 TwipsToPixels(twips) - FrameAllowancePixels);
}

void SaveFlash::ControllaCommands(qint16 &inizFW, qint16 &inizFPGA, qint16 &inizBIOS) {
    const CommandLineKeys keys = ParseCommandLine(program_.CommandLine);
    inizFW = keys.fw;
    inizFPGA = keys.fpga;
    inizBIOS = keys.bios;
    if (keys.fw > 0)
        ui_.TextFW->setCaption(keys.fwValue);
    if (keys.fpga > 0)
        ui_.TxtFpga1->setCaption(keys.fpgaValue);
    if (keys.bios > 0)
        ui_.TxtBios->setCaption(keys.biosValue);
    state_.BiosOffered = keys.biosOffered;
    applyLayout(ArrangeFrames(state_.IsFVariant, keys.biosOffered));
    for (XPButton *button :
         {ui_.CmdStoreFirmware, ui_.CmdStoreFpga1, ui_.CmdStoreBios, ui_.CmdStoreFpga2})
        button->setEnabled(true);
}

void SaveFlash::onFlashOptionClicked(int index) {
    // The hidden "Execute Storing" button follows the option; nothing visible changes.
    ui_.CMD_Save_Flash->setEnabled(index != 0);
}

int SaveFlash::selectedFlashOption() const {
    for (int i = SaveFlashUi::IndexedCount - 1; i >= 0; --i)
        if (ui_.OptSerialFlash[i]->isChecked())
            return i;
    return -1;
}

StoreRequest SaveFlash::readStoreDescription(bool terminate, qint16 tipoAgg, bool incWhich) const {
    StoreRequest request;
    request.optionIndex = selectedFlashOption();
    if (request.optionIndex >= 0)
        request.imagePath = TrimSpaces(ui_.TxtFileName[request.optionIndex]->text());
    request.incWhich = incWhich;
    request.erase = ui_.ChkErase->isChecked();
    request.startAddressCaption = ui_.TxtAdd->Caption();
    request.tipoAgg = tipoAgg;
    request.terminate = terminate;
    request.chained = state_.ChainedStore;
    return request;
}

bool SaveFlash::SaveSerFlash(bool terminate, qint16 TipoAgg, bool IncWhich) {
    FlashStore store(link_, boxes_, *this, *log_);
    switch (store.run(readStoreDescription(terminate, TipoAgg, IncWhich))) {
    case StoreOutcome::Returned:
        return true;
    case StoreOutcome::FinishedChained:
    case StoreOutcome::Abandoned:
        return false;
    case StoreOutcome::Finished:
        closeAfterStore(ExitNormal);
        return false;
    case StoreOutcome::Failed:
        closeAfterStore(ExitStoreFailed);
        return false;
    }
    return false;
}

void SaveFlash::closeAfterStore(int status) {
    state_.StoreInProgress = false;
    exitStatus_ = status;
    close();
}

bool SaveFlash::closeRequest() {
    int status = exitStatus_;
    if (state_.StoreInProgress) {
        if (!boxes_.askYesNo(ExitQuestion))
            return false;
        status = ExitStoreAbandoned;
    }
    link_.CloseLink();
    ended_ = true;
    timer1_.stop();
    end_.endNow(status);
    return true;
}

void SaveFlash::closeEvent(QCloseEvent *event) {
    if (ended_ || closeRequest())
        event->accept();
    else
        event->ignore();
}

// The store reports before every try; repainting an unchanged caption would only cost time.
void SaveFlash::setStatusCaption(const QString &caption) {
    if (ui_.FrmPnlPct->title() != caption)
        ui_.FrmPnlPct->setTitle(caption);
}

void SaveFlash::setPercent(int percent) {
    ui_.PnlPct->setValue(percent);
}

void SaveFlash::showAddressLabel() {
    ui_.LblAddr->show();
}

void SaveFlash::setAddressCaption(const QString &caption) {
    ui_.LblAddr->setCaption(caption);
}

void SaveFlash::yieldToEvents() {
    QCoreApplication::processEvents();
}
