#pragma once

#include "settingsrecord.h"

// Brings every field of the record into the range its readers expect: colours 0..0xFFFFFF,
// control style 0..1, label style 0..8, spare non-negative, port 1..99. A negative value
// becomes its absolute value first; a value out of range takes its default from defaults
// (the port takes 1).
void ValidateColorScheme(SettingsRecord &record, const SettingsRecord &defaults);
