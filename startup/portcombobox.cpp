#include "portcombobox.h"

#include <QAbstractItemView>

PortComboBox::PortComboBox(QWidget *parent) : QComboBox(parent) {
    setEditable(true);
    // Enter chooses the port; it must not add the typed text to the list.
    setInsertPolicy(QComboBox::NoInsert);
    // What the operator types is taken as typed; completion would change its letter case.
    setCompleter(nullptr);
}

void PortComboBox::hidePopup() {
    // Qt also calls this when the box is hidden with its list closed; only a list that was
    // open counts as the operator's choice.
    const bool wasOpen = view()->isVisible();
    QComboBox::hidePopup();
    if (wasOpen)
        emit popupClosed();
}
