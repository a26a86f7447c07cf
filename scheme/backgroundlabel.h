#pragma once

#include "settingsrecord.h"

class QWidget;

// The background label keeps a square border: the scheme's label style when it has one
// (2, 3, 5, 6), else 3.
int backgroundLabelStyle(int labelStyle);

// Dresses the start-up window's background label from the scheme and stretches it over the
// window's whole inner area. Throws ColorSchemeError when the label rejects a write.
void DressBackgroundLabel(QWidget *label, const QWidget *window, const SettingsRecord &scheme);
