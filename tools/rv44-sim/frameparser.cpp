#include "frameparser.h"

size_t FrameParser::lengthOf(uint8_t command) {
    switch (command) {
    case kErase:
        return kEraseLength;
    case kWrite:
        return kWriteLength;
    default:
        return 1;
    }
}

Frame::Kind FrameParser::kindOf(uint8_t command) {
    switch (command) {
    case kErase:
        return Frame::Kind::Erase;
    case kWrite:
        return Frame::Kind::Write;
    case kEnd:
        return Frame::Kind::End;
    default:
        return Frame::Kind::Stray;
    }
}

std::vector<Frame> FrameParser::feed(const uint8_t *data, size_t length, SimClock::time_point now) {
    std::vector<Frame> frames;
    for (size_t i = 0; i < length; ++i) {
        if (partial_.empty())
            partialStart_ = now;
        partial_.push_back(data[i]);
        if (partial_.size() < lengthOf(partial_.front()))
            continue;
        Frame frame;
        frame.kind = kindOf(partial_.front());
        frame.bytes.swap(partial_);
        frame.firstByteAt = partialStart_;
        frames.push_back(std::move(frame));
    }
    return frames;
}
