#pragma once

#include "framelist.h"

#include <optional>
#include <string>
#include <vector>

// Everything the simulator can be told on its command line.
struct SimOptions {
    std::string linkPath;
    std::string flashDir;
    std::string tracePath;

    std::string model = "RV44S";
    std::string fpgaId = "0x0104";
    std::optional<std::string> startupText;
    int startupDelayMs = 200;
    int startupPieces = 1;
    int pieceGapMs = 150;
    int repeatTextMs = 0;
    long baud = 0;

    FrameList dropReplies;
    FrameList wrongReplyFrames;
    std::string wrongReply = "Checksum ERR\r\n";
    int replyDelayMs = 0;
    bool lowerCase = false;
    bool split = false;
    int splitGapMs = 30;
    long silentAfter = -1; // -1: never
    long hangupAfter = -1; // -1: never

    bool once = false;
    bool verbose = false;

    // The text the receiver sends by itself when a client connects.
    std::string effectiveStartupText() const;
};

struct ParsedOptions {
    SimOptions options;
    bool help = false;
    std::string error; // empty when the command line was valid
};

ParsedOptions parseOptions(const std::vector<std::string> &args);
std::string helpText();

// Turns the C escapes \r \n \t \\ \xHH into the bytes they stand for.
std::string unescapeText(const std::string &text);
