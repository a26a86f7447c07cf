#pragma once

#include "flashbank.h"
#include "frameparser.h"
#include "options.h"
#include "outputqueue.h"
#include "responder.h"
#include "tracelog.h"

#include <csignal>
#include <ctime>
#include <deque>
#include <optional>
#include <string>

// The simulated receiver behind a pseudo-terminal: waits for a client to open the slave side,
// greets it, answers its frames, and starts over when it closes the port.
class PtySession {
public:
    PtySession(const SimOptions &options, const volatile std::sig_atomic_t *stopRequested);
    ~PtySession();
    PtySession(const PtySession &) = delete;
    PtySession &operator=(const PtySession &) = delete;

    // Returns the process exit status.
    int run();

private:
    enum class End { ClientClosed, Stopped, HungUp };
    struct PendingFrame {
        Frame frame;
        SimClock::time_point arrival; // when its last byte would have come in at the baud rate
    };

    bool checkFlashDir(std::string &error) const;
    bool openDevice(std::string &error);
    bool createLink(std::string &error);
    void removeLink();
    bool waitForClient();
    End serveClient();
    void endSession();
    void scheduleStartupText(SimClock::time_point start);
    void repeatStartupTextIfDue(SimClock::time_point now);
    bool readInput(SimClock::time_point now);
    bool writeDue(SimClock::time_point now);
    bool handleArrivedFrames(SimClock::time_point now);
    void handleLeftoverFrames();
    void scheduleReply(const std::string &reply, SimClock::time_point arrival);
    timespec pollTimeout(SimClock::time_point now) const;
    void dropLine();
    void saveFlash();

    const SimOptions &options_;
    const volatile std::sig_atomic_t *stopRequested_;
    FlashBank flash_;
    TraceLog trace_;
    Responder responder_;
    OutputQueue output_;
    FrameParser parser_;
    std::deque<PendingFrame> pending_;
    SimClock::time_point inputLineFree_;
    std::optional<SimClock::time_point> nextRepeat_;
    bool frameSeen_ = false;
    bool outputBlocked_ = false;
    int master_ = -1;
    std::string slavePath_;
    bool linkCreated_ = false;
};
