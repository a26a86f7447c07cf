#pragma once

#include "monitortext.h"

class SaveFlash;

// The update window's 100 ms listener: takes what the receiver sent outside reply waits,
// identifies the receiver until the first store starts, picks up the loaded FPGA ID and
// acknowledges a store command's hand-over of the line.
class ProgressMonitor {
public:
    static constexpr const char *FModelMarker = "RV44F";
    static constexpr const char *FpgaIdMarker = "FPGA Loaded --->(ID=";

    explicit ProgressMonitor(SaveFlash &window);

    void tick();
    const MonitorText &text() const { return text_; }

private:
    bool readPending();
    void showReceivedText();
    void identifyReceiver();
    void useFModelNames(qint16 fw, qint16 fpga, qint16 bios);
    void takeFpgaId(bool gotText);

    SaveFlash &window_;
    MonitorText text_;
};
