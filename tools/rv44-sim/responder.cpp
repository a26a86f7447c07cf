#include "responder.h"

#include "simlog.h"

#include <algorithm>
#include <cctype>

namespace {
const char kFrameError[] = "Frame ERROR\r\n";
constexpr size_t kHeader = 6;
constexpr size_t kBlock = 128;
} // namespace

Responder::Responder(const SimOptions &options, FlashBank &flash, TraceLog &trace)
    : options_(options), flash_(flash), trace_(trace) {}

bool Responder::silenced() const {
    return options_.silentAfter >= 0 && writeFrames_ >= options_.silentAfter;
}

std::string Responder::ack(const std::string &text) const {
    if (!options_.lowerCase)
        return text;
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool Responder::isValidWrite(const std::vector<uint8_t> &frame) {
    if (frame.size() != FrameParser::kWriteLength || frame[1] >= FlashBank::kCount)
        return false;
    const size_t length = frame[5];
    if (length < 1 || length > kBlock)
        return false;
    const uint32_t address = (uint32_t(frame[2]) << 16) | (uint32_t(frame[3]) << 8) | frame[4];
    if (address + length > FlashBank::kSize)
        return false;
    return std::all_of(frame.begin() + kHeader + length, frame.end(),
                       [](uint8_t byte) { return byte == 0x20; });
}

Reaction Responder::handle(const Frame &frame) {
    if (frame.kind == Frame::Kind::Stray) {
        trace_.stray(frame.bytes.front());
        verboseLog("stray byte ignored");
        return {};
    }
    trace_.frame(frame.bytes);
    switch (frame.kind) {
    case Frame::Kind::Erase:
        return handleErase(frame.bytes, silenced());
    case Frame::Kind::Write:
        return handleWrite(frame.bytes);
    default: {
        verboseLog("end of update");
        Reaction reaction;
        reaction.saveFlash = true;
        return reaction;
    }
    }
}

Reaction Responder::handleErase(const std::vector<uint8_t> &frame, bool silenced) {
    if (silenced)
        return {};
    Reaction reaction;
    const int flash = frame[1];
    if (flash >= FlashBank::kCount) {
        reaction.reply = kFrameError;
        return reaction;
    }
    flash_.erase(flash);
    verboseLog("flash " + std::to_string(flash) + " erased");
    reaction.reply = ack("Done..\r\n");
    return reaction;
}

Reaction Responder::handleWrite(const std::vector<uint8_t> &frame) {
    const bool mute = silenced();
    const long number = ++writeFrames_;
    Reaction reaction;
    reaction.hangUp = options_.hangupAfter == number;
    if (mute)
        return reaction;
    if (!isValidWrite(frame)) {
        reaction.reply = kFrameError;
        verboseLog("write frame " + std::to_string(number) + " invalid");
    } else if (options_.wrongReplyFrames.contains(number)) {
        reaction.reply = options_.wrongReply;
    } else {
        const uint32_t address = (uint32_t(frame[2]) << 16) | (uint32_t(frame[3]) << 8) | frame[4];
        flash_.write(frame[1], address, frame.data() + kHeader, frame[5]);
        reaction.reply = ack("Written OK\r\n");
    }
    if (options_.dropReplies.contains(number)) {
        reaction.reply.clear();
        verboseLog("reply to write frame " + std::to_string(number) + " dropped");
    }
    return reaction;
}
