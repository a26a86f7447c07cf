#include "wlcome.h"

#include "backgroundlabel.h"
#include "banner.h"
#include "centerform.h"
#include "codepage.h"
#include "colorscheme.h"
#include "deviceinventory.h"
#include "messageboxes.h"
#include "portcombobox.h"
#include "portdiscovery.h"
#include "programstate.h"
#include "setuprelease.h"
#include "twips.h"
#include "xpbutton.h"
#include "xpframe.h"

#include <Glowtag.h>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

// The designed layout, in twips.
const QRect InnerArea = twipsRect(0, 0, 7110, 4050);
constexpr int FrameWidthTwips = 6855;
constexpr int Rs232WidthTwips = 1350;
constexpr int PortBoxLeftTwips = 1725;
constexpr int PortBoxRightLimitTwips = 6900; // inside the frame, level with the buttons' margin
constexpr int NumberBoxWidthTwips = 40;

QFont captionFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

bool isEnterKey(const QEvent *event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

Wlcome::Wlcome(ProgramState &state, MessageBoxes &boxes, ProgramEnd &end,
               DeviceInventory &inventory, const CodePage &codePage, QWidget *parent)
    : QWidget(parent), state_(state), boxes_(boxes), inventory_(inventory), codePage_(codePage),
      store_(state, boxes, end) {
    setObjectName(QStringLiteral("Wlcome"));
    setFont(captionFont());
    setFixedSize(InnerArea.size());
    createWidgets();
}

Wlcome::~Wlcome() {
    // The children outlive this object's members; nothing they do while dying may call back.
    portBox_->disconnect(this);
    portBox_->removeEventFilter(this);
    portBox_->lineEdit()->removeEventFilter(this);
}

void Wlcome::createWidgets() {
    // Created first so that it lies behind every other widget.
    background_ = new Glowtag(this);
    background_->setObjectName(QStringLiteral("LBSfondo"));
    background_->initNewInstance(font(), background_->objectName());
    background_->setCaption(QString());
    background_->setGeometry(twipsRect(0, 0, 7095, 4050));
    background_->lower();

    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("Picture1"));
    picture_->setGeometry(twipsRect(135, 600, 6855, 2250));
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setPixmap(makeBanner());
    picture_->setAccessibleName(QStringLiteral("RV44 Series Upgrade"));

    frame_ = new XPFrame(QStringLiteral("Please select comm port"), this);
    frame_->setObjectName(QStringLiteral("XPFrame1"));
    frame_->setGeometry(twipsRect(135, 2880, FrameWidthTwips, 1050));

    usbButton_ = new XPButton(QStringLiteral("USB"), this);
    usbButton_->setObjectName(QStringLiteral("CMBUSB"));
    usbButton_->setGeometry(twipsRect(225, 3075, 1350, 375));

    rs232Button_ = new XPButton(QStringLiteral("RS232"), this);
    rs232Button_->setObjectName(QStringLiteral("CMBRS232"));
    rs232Button_->setGeometry(twipsRect(225, 3525, Rs232WidthTwips, 375));

    portBox_ = new PortComboBox(this);
    portBox_->setObjectName(QStringLiteral("ComboPortDevice"));
    portBox_->setGeometry(twipsRect(PortBoxLeftTwips, 3555, 5175, 315));
    portBox_->setAccessibleName(QStringLiteral("COM port"));
    portBox_->installEventFilter(this);
    portBox_->lineEdit()->installEventFilter(this);

    connect(rs232Button_, &QPushButton::clicked, this, &Wlcome::CMBRS232_Click);
    connect(usbButton_, &QPushButton::clicked, this, &Wlcome::CMBUSB_Click);
    connect(portBox_, &QComboBox::activated, this, &Wlcome::ComboPortDevice_Click);
    connect(portBox_, &PortComboBox::popupClosed, this, &Wlcome::ComboPortDevice_Click);
}

QString Wlcome::windowCaption(int major, int minor, const QString &setupRelease) {
    QString caption = QStringLiteral("UPGRADING UTILITY   %1.%2 21/02/2014")
                          .arg(major)
                          .arg(minor, 2, 10, QLatin1Char('0'));
    if (!setupRelease.isEmpty())
        caption += QStringLiteral("   Setup Release: ") + setupRelease;
    return caption;
}

bool Wlcome::Form_Load() {
    state_.SettingsFileName = QStringLiteral("RV44UP.STR");
    state_.ProgramName = QStringLiteral("RV44SeriesUp");
    state_.StartDirectory = QDir::currentPath();
    state_.SetupRelease = LeggiDatiSetup(state_.StartDirectory);
    setWindowTitle(windowCaption(MajorVersion, MinorVersion, state_.SetupRelease));
    CenterForm(this);
    if (!store_.LoadSettings())
        return false;
    store_.ValidateColorScheme();
    applyScheme();
    fillPortBox();
    usbButton_->setVisible(usbChoiceOffered(codePage_));
    return true;
}

void Wlcome::applyScheme() {
    try {
        ApplyColorScheme(this, state_.Settings);
        DressBackgroundLabel(background_, this, state_.Settings);
    } catch (const ColorSchemeError &error) {
        // The window still works with the colours it has; tell the operator and go on.
        boxes_.warning(QString::fromStdString(error.what()));
    }
}

void Wlcome::fillPortBox() {
    const PortListing listing =
        CercaPorteCom(inventory_.query(), state_.Settings.SelectedPortNumber);
    portList_ = listing.PortList;
    portsFound_ = listing.PortsFound;
    portBox_->clear();
    portBox_->addItems(portList_);
    portBox_->setEditText(listing.BoxText);
    portBox_->resize(portBoxWidth(), portBox_->height());
}

int Wlcome::portBoxWidth() const {
    if (portsFound_) {
        const int rule = FrameWidthTwips - Rs232WidthTwips - 20;
        // The rule alone would run the box past the frame and the window's edge.
        return twipsToPixels(qMin(rule, PortBoxRightLimitTwips - PortBoxLeftTwips));
    }
    // A box of 40 twips could not show a single digit; keep it narrow but usable.
    QComboBox probe;
    probe.setFont(portBox_->font());
    probe.setEditable(true);
    probe.addItem(QStringLiteral("99"));
    probe.setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return qMax(twipsToPixels(NumberBoxWidthTwips), probe.sizeHint().width());
}

void Wlcome::CMBRS232_Click() {
    QString portText = portsFound_ ? QString::number(DeterminaNumComSel(portBox_->currentText()))
                                   : portBox_->currentText();
    if (portText.isEmpty())
        portText = QStringLiteral("1");
    TakeSelectedPort(portBox_->currentText(), state_.Settings.SelectedPortNumber);
    if (!store_.SaveSettings())
        return;
    state_.LinkChoice = QStringLiteral("/COM") + portText;
    handOverAndUnload();
}

void Wlcome::CMBUSB_Click() {
    state_.LinkChoice = QStringLiteral("USB");
    handOverAndUnload();
}

void Wlcome::ComboPortDevice_Click() {
    if (TrovaDatiCBX(portBox_->currentText(), portList_))
        return;
    if (portsFound_)
        portBox_->setEditText(
            portList_.at(TrovaIDComSelezionata(portList_, state_.Settings.SelectedPortNumber)));
    else
        portBox_->setEditText(QString::number(state_.Settings.SelectedPortNumber));
}

void Wlcome::handOverAndUnload() {
    if (handOver_)
        handOver_();
    close();
}

void Wlcome::closeEvent(QCloseEvent *event) {
    if (!unloaded_) {
        unloaded_ = true;
        TakeSelectedPort(portBox_->currentText(), state_.Settings.SelectedPortNumber);
        store_.SaveSettings();
    }
    event->accept();
}

bool Wlcome::eventFilter(QObject *watched, QEvent *event) {
    if ((watched == portBox_ || watched == portBox_->lineEdit()) && isEnterKey(event)) {
        CMBRS232_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
