#pragma once

#include "settingsrecord.h"

class MessageBoxes;
class ProgramEnd;
struct ProgramState;

// Loads and saves the settings record in the start directory, asking the operator to retry
// or cancel when the file cannot be read or written. Cancel ends the program.
class SettingsStore {
public:
    SettingsStore(ProgramState &state, MessageBoxes &boxes, ProgramEnd &end);

    // Both return false when the operator cancelled; the program end has then been requested.
    bool LoadSettings();
    bool SaveSettings();
    // Resets the scheme defaults; unless keepCurrent, also the scheme fields of the settings.
    // The remembered port is never touched.
    void ResetScheme(bool keepCurrent);
    void ValidateColorScheme();

    const SettingsRecord &schemeDefaults() const { return defaults_; }
    QString settingsPath() const;

private:
    enum class Outcome { Done, Failed, Cancelled };
    Outcome tryLoad();
    bool startDirectoryExists() const;

    ProgramState &state_;
    MessageBoxes &boxes_;
    ProgramEnd &end_;
    SettingsRecord defaults_;
};
