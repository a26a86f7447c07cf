#pragma once

#include "settingsrecord.h"

#include <QString>
#include <stdexcept>

class QObject;
class QWidget;

// A control refused one of the scheme's property writes.
class ColorSchemeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Gives every toolkit widget and label of the window (at any depth, in creation order) the
// style and colours of the scheme. Throws ColorSchemeError at the first control that rejects
// a write; the controls before it keep what they received.
void ApplyColorScheme(QWidget *window, const SettingsRecord &scheme);

// Writes one property by name; throws ColorSchemeError when the control rejects it.
void setSchemeProperty(QObject *control, const char *name, int value);
