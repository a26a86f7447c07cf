#pragma once

#include <QComboBox>

// The editable port box. Reports when its list closes, chosen or not, so the window can
// check the text the operator left in it.
class PortComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit PortComboBox(QWidget *parent = nullptr);
    void hidePopup() override;

signals:
    void popupClosed();
};
