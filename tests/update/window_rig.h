#pragma once

#include "fakes.h"
#include "programstate.h"
#include "saveflash.h"
#include "scopedenv.h"
#include "simprocess.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <ostream>

// An update window on a real pseudo-terminal, talking to the receiver simulator, started in a
// fresh start directory, with message boxes and the program end recorded.
class WindowRig {
public:
    WindowRig(const QStringList &simArgs, const QString &commandLine);
    ~WindowRig();

    // Starts the simulator, maps COM1 to it and opens the window. False with a reason on failure.
    bool open();
    SaveFlash &window() { return *window_; }
    SaveFlashUi &ui() { return window_->ui(); }
    UpdateWindowState &state() { return window_->state(); }

    // Writes an image of the given size into the start directory and returns its bytes.
    QByteArray writeImage(const QString &name, int size, int seed = 1);
    void writeFile(const QString &name, const QByteArray &bytes);
    // A catalog whose FPGA ID is the simulator's default: the firmware goes alone.
    void writeCurrentCatalog();
    // Runs the event loop until the condition holds or the time is up.
    static bool waitFor(const std::function<bool()> &condition, int msecs = 4000);
    // Waits until the receiver's text has been taken up by the monitor.
    bool waitForIdentification(int msecs = 4000);
    // Frames the simulator received, as upper-case hex strings ("34 01").
    QStringList frameHex() const;

    SimProcess &sim() { return *sim_; }
    RecordingBoxes boxes;
    RecordingEnd end;
    ProgramState program;
    QTemporaryDir startDir;
    QString failure;

private:
    QStringList simArgs_;
    QString previousDir_;
    std::unique_ptr<SimProcess> sim_;
    std::unique_ptr<ScopedEnv> com1_;
    std::unique_ptr<SaveFlash> window_;
};

// The pixel offset a twip position becomes in the window.
int Px(int twips);

// Readable QString values in test failures.
inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}
