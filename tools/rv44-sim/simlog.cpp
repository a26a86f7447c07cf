#include "simlog.h"

#include <cstdio>
#include <string>

namespace {
bool verbose = false;
}

void setVerboseLog(bool on) {
    verbose = on;
}

void verboseLog(const std::string &line) {
    if (verbose)
        std::fprintf(stderr, "rv44-sim: %s\n", line.c_str());
}

std::string printableText(const std::string &text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20 || c >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out += char(c);
        }
    }
    return out;
}
