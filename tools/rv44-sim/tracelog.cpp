#include "tracelog.h"

#include <cerrno>
#include <cstring>

TraceLog::~TraceLog() {
    if (file_)
        std::fclose(file_);
}

bool TraceLog::open(const std::string &path, std::string &error) {
    if (path.empty())
        return true;
    file_ = std::fopen(path.c_str(), "a");
    if (!file_) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::string TraceLog::hexLine(const std::vector<uint8_t> &bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string line;
    line.reserve(bytes.size() * 3);
    for (uint8_t byte : bytes) {
        if (!line.empty())
            line += ' ';
        line += digits[byte >> 4];
        line += digits[byte & 0x0F];
    }
    return line;
}

void TraceLog::frame(const std::vector<uint8_t> &bytes) {
    writeLine(hexLine(bytes));
}

void TraceLog::stray(uint8_t byte) {
    writeLine("?? " + hexLine({byte}));
}

void TraceLog::writeLine(const std::string &line) {
    if (!file_)
        return;
    std::fputs(line.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}
