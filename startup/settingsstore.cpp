#include "settingsstore.h"

#include "colorschemevalidation.h"
#include "messageboxes.h"
#include "programend.h"
#include "programstate.h"
#include "settingsfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

void copyScheme(const SettingsRecord &from, SettingsRecord &to) {
    const qint16 port = to.SelectedPortNumber;
    to = from;
    to.SelectedPortNumber = port;
}

} // namespace

SettingsStore::SettingsStore(ProgramState &state, MessageBoxes &boxes, ProgramEnd &end)
    : state_(state), boxes_(boxes), end_(end) {}

QString SettingsStore::settingsPath() const {
    return QDir(state_.StartDirectory).filePath(state_.SettingsFileName);
}

bool SettingsStore::startDirectoryExists() const {
    return !state_.StartDirectory.isEmpty() && QFileInfo(state_.StartDirectory).isDir();
}

bool SettingsStore::LoadSettings() {
    for (;;) {
        const Outcome outcome = tryLoad();
        if (outcome != Outcome::Failed)
            return outcome == Outcome::Done;
        if (!boxes_.askRetryCancel(QStringLiteral("Failed loading"))) {
            end_.endNow(ExitSettingsCancelled);
            return false;
        }
    }
}

SettingsStore::Outcome SettingsStore::tryLoad() {
    // The directory itself can vanish while the program runs; paths are built from it
    // rather than changing the process's current directory.
    if (!startDirectoryExists())
        return Outcome::Failed;
    if (!QFileInfo::exists(settingsPath())) {
        ResetScheme(false);
        return SaveSettings() ? Outcome::Done : Outcome::Cancelled;
    }
    const std::optional<QByteArray> bytes = SettingsFile::readRecordBytes(settingsPath());
    if (!bytes)
        return Outcome::Failed;
    // A short file leaves the fields it lacks at the scheme defaults.
    SettingsRecord base;
    base.SelectedPortNumber = state_.Settings.SelectedPortNumber;
    state_.Settings = SettingsFile::fromBytes(*bytes, base);
    ResetScheme(true);
    return Outcome::Done;
}

bool SettingsStore::SaveSettings() {
    for (;;) {
        if (startDirectoryExists() && SettingsFile::write(settingsPath(), state_.Settings))
            return true;
        if (!boxes_.askRetryCancel(QStringLiteral("Failed rescue "))) {
            end_.endNow(ExitSettingsCancelled);
            return false;
        }
    }
}

void SettingsStore::ResetScheme(bool keepCurrent) {
    defaults_ = SettingsRecord();
    if (!keepCurrent)
        copyScheme(defaults_, state_.Settings);
}

void SettingsStore::ValidateColorScheme() {
    ::ValidateColorScheme(state_.Settings, defaults_);
}
