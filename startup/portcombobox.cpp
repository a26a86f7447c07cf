#include "portcombobox.h"

PortComboBox::PortComboBox(QWidget *parent) : QComboBox(parent) {
    setEditable(true);
    // Enter chooses the port; it must not add the typed text to the list.
    setInsertPolicy(QComboBox::NoInsert);
}

void PortComboBox::hidePopup() {
    QComboBox::hidePopup();
    emit popupClosed();
}
