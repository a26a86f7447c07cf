#include "updatehandover.h"

#include "devicelink.h"
#include "programstate.h"
#include "qtserialport.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// Opens the chosen link and shows which port it holds; closing it releases the port.
class LinkWindow : public QWidget {
public:
    LinkWindow(ProgramState &state, MessageBoxes &boxes, ProgramEnd &end)
        : link_(port_, boxes, end), status_(new QLabel(this)) {
        setObjectName(QStringLiteral("SaveFlash"));
        setAttribute(Qt::WA_DeleteOnClose);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(status_);
        resize(390, 120);
        link_.OpenDevicePort(state.LinkChoice, state.ProgramName, [this](const QString &caption) {
            setWindowTitle(caption);
            status_->setText(caption.trimmed());
        });
    }

protected:
    void closeEvent(QCloseEvent *event) override {
        link_.CloseDevicePort();
        event->accept();
    }

private:
    QtSerialPort port_;
    DeviceLink link_;
    QLabel *status_;
};

} // namespace

void openUpdateWindow(ProgramState &state, MessageBoxes &boxes, ProgramEnd &end) {
    auto *window = new LinkWindow(state, boxes, end);
    window->show();
}
