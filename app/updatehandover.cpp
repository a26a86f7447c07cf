#include "updatehandover.h"

#include "commap.h"
#include "qtserialport.h"
#include "saveflash.h"

#include <memory>

void openUpdateWindow(ProgramState &state, MessageBoxes &boxes, ProgramEnd &end) {
    auto *window =
        new SaveFlash(state, std::make_unique<QtSerialPort>(ComMap::fromSystem()), boxes, end);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}
