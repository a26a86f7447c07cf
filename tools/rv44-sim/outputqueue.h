#pragma once

#include "frameparser.h"

#include <deque>
#include <optional>
#include <string>

// Bytes waiting to go to the client, each with the moment it may leave. The line is serial:
// later bytes never overtake earlier ones, and with a baud rate each byte leaves only when
// the previous one would have finished.
class OutputQueue {
public:
    // baud 0: bytes leave as soon as they are due.
    explicit OutputQueue(long baud);

    void schedule(SimClock::time_point due, const std::string &bytes);
    // All bytes whose time has come, in order, removed from the queue.
    std::string takeDue(SimClock::time_point now);
    // Puts bytes that could not be written back at the front.
    void giveBack(const std::string &bytes, SimClock::time_point now);
    std::optional<SimClock::time_point> nextDue() const;
    bool empty() const { return bytes_.empty(); }
    void clear();

    SimClock::duration byteTime() const { return byteTime_; }

private:
    struct Byte {
        SimClock::time_point at;
        char value;
    };
    std::deque<Byte> bytes_;
    SimClock::time_point lineFree_;
    SimClock::duration byteTime_{0};
};
