#include "outputqueue.h"

#include <algorithm>

OutputQueue::OutputQueue(long baud) {
    if (baud > 0)
        byteTime_ = std::chrono::duration_cast<SimClock::duration>(
            std::chrono::nanoseconds(static_cast<long long>(10'000'000'000LL / baud)));
}

void OutputQueue::schedule(SimClock::time_point due, const std::string &bytes) {
    SimClock::time_point at = std::max(due, lineFree_);
    for (char value : bytes) {
        at += byteTime_;
        bytes_.push_back({at, value});
    }
    lineFree_ = at;
}

std::string OutputQueue::takeDue(SimClock::time_point now) {
    std::string due;
    while (!bytes_.empty() && bytes_.front().at <= now) {
        due += bytes_.front().value;
        bytes_.pop_front();
    }
    return due;
}

void OutputQueue::giveBack(const std::string &bytes, SimClock::time_point now) {
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it)
        bytes_.push_front({now, *it});
}

std::optional<SimClock::time_point> OutputQueue::nextDue() const {
    if (bytes_.empty())
        return std::nullopt;
    return bytes_.front().at;
}

void OutputQueue::clear() {
    bytes_.clear();
    lineFree_ = SimClock::time_point();
}
