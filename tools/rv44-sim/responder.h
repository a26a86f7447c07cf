#pragma once

#include "flashbank.h"
#include "frameparser.h"
#include "options.h"
#include "tracelog.h"

#include <string>

// What the receiver does about one frame.
struct Reaction {
    std::string reply;      // bytes to send back; empty: nothing
    bool saveFlash = false; // the end of an update: the flash files are brought up to date
    bool hangUp = false;    // the device is to vanish once the reply has gone out
};

// The receiver's command handling, with the faults the options ask for. Write frames are
// counted per session from 1, resends included, as the fault lists count them.
class Responder {
public:
    Responder(const SimOptions &options, FlashBank &flash, TraceLog &trace);

    void startSession() { writeFrames_ = 0; }
    Reaction handle(const Frame &frame);
    long writeFrames() const { return writeFrames_; }

    static bool isValidWrite(const std::vector<uint8_t> &frame);

private:
    Reaction handleErase(const std::vector<uint8_t> &frame, bool silenced);
    Reaction handleWrite(const std::vector<uint8_t> &frame);
    std::string ack(const std::string &text) const;
    bool silenced() const;

    const SimOptions &options_;
    FlashBank &flash_;
    TraceLog &trace_;
    long writeFrames_ = 0;
};
