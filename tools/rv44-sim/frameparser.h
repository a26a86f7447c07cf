#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

using SimClock = std::chrono::steady_clock;

// One unit of receiver input: a complete command frame or a byte that starts none.
struct Frame {
    enum class Kind { Erase, Write, End, Stray };
    Kind kind = Kind::Stray;
    std::vector<uint8_t> bytes;
    SimClock::time_point firstByteAt; // when the read that delivered its first byte happened
};

// Cuts the byte stream into frames; a frame split over reads waits for the rest.
class FrameParser {
public:
    static constexpr uint8_t kErase = 0x34;
    static constexpr uint8_t kWrite = 0x35;
    static constexpr uint8_t kEnd = 0x36;
    static constexpr size_t kEraseLength = 2;
    static constexpr size_t kWriteLength = 134;

    std::vector<Frame> feed(const uint8_t *data, size_t length, SimClock::time_point now);
    bool midFrame() const { return !partial_.empty(); }

private:
    static size_t lengthOf(uint8_t command);
    static Frame::Kind kindOf(uint8_t command);

    std::vector<uint8_t> partial_;
    SimClock::time_point partialStart_;
};
