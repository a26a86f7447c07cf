#pragma once

#include "settingsstore.h"

#include <QStringList>
#include <QWidget>
#include <functional>

class CodePage;
class DeviceInventory;
class Glowtag;
class MessageBoxes;
class PortComboBox;
class ProgramEnd;
class QLabel;
class XPButton;
class XPFrame;
struct ProgramState;

// The start-up window: shows the version, lets the operator pick the link to the receiver,
// remembers the port, then hands over to the update window and closes.
class Wlcome : public QWidget {
    Q_OBJECT

public:
    static constexpr int MajorVersion = 2;
    static constexpr int MinorVersion = 9;

    Wlcome(ProgramState &state, MessageBoxes &boxes, ProgramEnd &end, DeviceInventory &inventory,
           const CodePage &codePage, QWidget *parent = nullptr);
    ~Wlcome() override;

    // Called once a link is chosen, before this window closes: shows the update window.
    void setHandOver(std::function<void()> handOver) { handOver_ = std::move(handOver); }

    // Loads the settings and fills the window. False when the operator cancelled a settings
    // failure; the program end has then been requested.
    bool Form_Load();

    static QString windowCaption(int major, int minor, const QString &setupRelease);

    const QStringList &PortList() const { return portList_; }
    bool PortsFound() const { return portsFound_; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createWidgets();
    void applyScheme();
    void fillPortBox();
    int portBoxWidth() const;
    void CMBRS232_Click();
    void CMBUSB_Click();
    void ComboPortDevice_Click();
    void handOverAndUnload();

    ProgramState &state_;
    MessageBoxes &boxes_;
    DeviceInventory &inventory_;
    const CodePage &codePage_;
    SettingsStore store_;
    std::function<void()> handOver_;
    QStringList portList_;
    bool portsFound_ = false;
    bool unloaded_ = false;

    Glowtag *background_ = nullptr;
    QLabel *picture_ = nullptr;
    XPFrame *frame_ = nullptr;
    XPButton *usbButton_ = nullptr;
    XPButton *rs232Button_ = nullptr;
    PortComboBox *portBox_ = nullptr;
};
