#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Appends one line per received frame, in upper-case hex, flushed at once so that a test can
// read the file while the simulator runs.
class TraceLog {
public:
    TraceLog() = default;
    ~TraceLog();
    TraceLog(const TraceLog &) = delete;
    TraceLog &operator=(const TraceLog &) = delete;

    // An empty path means no trace; false when the file cannot be opened.
    bool open(const std::string &path, std::string &error);
    void frame(const std::vector<uint8_t> &bytes);
    void stray(uint8_t byte);

    static std::string hexLine(const std::vector<uint8_t> &bytes);

private:
    void writeLine(const std::string &line);

    FILE *file_ = nullptr;
};
