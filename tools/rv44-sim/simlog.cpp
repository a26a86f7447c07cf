#include "simlog.h"

#include <cstdio>

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
