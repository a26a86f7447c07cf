#pragma once

#include "devicelink.h"
#include "errorlog.h"
#include "flashstore.h"
#include "saveflashui.h"

#include <QTimer>
#include <QWidget>
#include <memory>

struct ProgramState;
class SerialPort;
class MessageBoxes;
class ProgramEnd;
class ProgressMonitor;
class StoreCommands;

// State shared by the update window, its monitor and its store commands.
struct UpdateWindowState {
    bool StoreInProgress = false;
    int StorePhase = 0; // 0 no store yet, 1 a command waits for the monitor, 2 acknowledged
    bool ChainedStore = false;
    bool IsFVariant = false;
    bool BiosOffered = false;
    QString LoadedFpgaId;
    qint16 CatalogFpgaId = 0;
    // Outer window height in twips, title bar and borders included.
    int WindowHeightTwips = 0;
};

// The update window: one frame per kind of image, the progress frame and "EXIT". It owns the
// serial port, listens to the receiver through a 100 ms timer and ends the program when it
// closes.
class SaveFlash : public QWidget, public StoreObserver {
    Q_OBJECT

public:
    // Pixels the title bar and the borders take from the outer height: the window's client
    // area is the outer height in pixels less this.
    static constexpr int FrameAllowancePixels = 30;

    SaveFlash(ProgramState &program, std::unique_ptr<SerialPort> port, MessageBoxes &boxes,
              ProgramEnd &end, QWidget *parent = nullptr);
    ~SaveFlash() override;

    // Fills the file-name labels from the command line, arranges the frames and enables the
    // store buttons; returns the 1-based key positions through the arguments (0 = absent).
    void ControllaCommands(qint16 &inizFW, qint16 &inizFPGA, qint16 &inizBIOS);
    // Stores the image the hidden parameter widgets describe. True only when terminate is
    // false and every block was acknowledged.
    bool SaveSerFlash(bool terminate, qint16 TipoAgg, bool IncWhich);

    // Asks for confirmation during a store; otherwise closes the link and ends the program.
    // False when the operator chose to stay.
    bool closeRequest();

    UpdateWindowState &state() { return state_; }
    const UpdateWindowState &state() const { return state_; }
    SaveFlashUi &ui() { return ui_; }
    ProgramState &program() { return program_; }
    DeviceLink &link() { return link_; }
    ProgressMonitor &monitor() { return *monitor_; }
    StoreCommands &commands() { return *commands_; }
    QTimer &Timer1() { return timer1_; }
    // The program was ended (in production the process is gone by then).
    bool ended() const { return ended_; }
    // Applies the window height rule to the real window.
    void setWindowHeightTwips(int twips);

    // StoreObserver
    void setStatusCaption(const QString &caption) override;
    void setPercent(int percent) override;
    void showAddressLabel() override;
    void setAddressCaption(const QString &caption) override;
    void yieldToEvents() override;
    bool abandoned() const override { return ended_; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void load();
    void applyScheme();
    void applyLayout(const struct FrameLayout &layout);
    void connectSignals();
    void onFlashOptionClicked(int index);
    StoreRequest readStoreDescription(bool terminate, qint16 tipoAgg, bool incWhich) const;
    int selectedFlashOption() const;
    void closeAfterStore(int status);

    ProgramState &program_;
    std::unique_ptr<SerialPort> port_;
    MessageBoxes &boxes_;
    ProgramEnd &end_;
    DeviceLink link_;
    UpdateWindowState state_;
    SaveFlashUi ui_;
    QTimer timer1_;
    std::unique_ptr<ErrorLog> log_;
    std::unique_ptr<ProgressMonitor> monitor_;
    std::unique_ptr<StoreCommands> commands_;
    bool ended_ = false;
    int exitStatus_ = 0;
};
