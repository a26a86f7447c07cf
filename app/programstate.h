#pragma once

#include "settingsrecord.h"

#include <QString>

// The program's module-level values: set by the start-up window, read by the update window.
// One instance lives in main() for the whole run and is passed to the windows by reference.
struct ProgramState {
    QString LinkChoice;
    QString StartDirectory;
    QString SettingsFileName = QStringLiteral("RV44UP.STR");
    QString ProgramName = QStringLiteral("RV44SeriesUp");
    QString SetupRelease;
    SettingsRecord Settings;
    // The program's command-line argument text, as one string.
    QString CommandLine;
};
