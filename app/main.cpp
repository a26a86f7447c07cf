#include "codepage.h"
#include "deviceinventory.h"
#include "messageboxes.h"
#include "programend.h"
#include "programstate.h"
#include "updatehandover.h"
#include "wlcome.h"

#include <QApplication>
#include <QStringList>

namespace {

// The arguments after the program name, as the one command-line text the program reads.
QString commandLineText(const QStringList &arguments) {
    return arguments.mid(1).join(QLatin1Char(' '));
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    ProgramState state;
    state.CommandLine = commandLineText(QApplication::arguments());
    QtMessageBoxes boxes(state.ProgramName);
    ImmediateProgramEnd end;
    SystemDeviceInventory inventory;
    Latin1CodePage codePage;

    Wlcome window(state, boxes, end, inventory, codePage);
    window.setHandOver([&] { openUpdateWindow(state, boxes, end); });
    if (!window.Form_Load())
        return ExitSettingsCancelled;
    window.show();
    return app.exec();
}
