#include "flashbank.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

void FlashBank::erase(int flash) {
    flashes_[flash].clear();
    flashes_[flash].shrink_to_fit();
}

void FlashBank::write(int flash, uint32_t address, const uint8_t *data, size_t length) {
    std::vector<uint8_t> &bytes = flashes_[flash];
    const size_t end = static_cast<size_t>(address) + length;
    if (bytes.size() < end)
        bytes.resize(end, 0xFF);
    std::memcpy(bytes.data() + address, data, length);
}

uint8_t FlashBank::read(int flash, uint32_t address) const {
    const std::vector<uint8_t> &bytes = flashes_[flash];
    return address < bytes.size() ? bytes[address] : 0xFF;
}

namespace {

bool writeFile(const std::string &path, const std::vector<uint8_t> &bytes, std::string &error) {
    const std::string temporary = path + ".tmp";
    FILE *file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        error = temporary + ": " + std::strerror(errno);
        return false;
    }
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = temporary + ": write failed";
        std::remove(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace

bool FlashBank::saveTo(const std::string &dir, std::string &error) const {
    for (int flash = 0; flash < kCount; ++flash) {
        const std::string path = dir + "/flash" + std::to_string(flash) + ".bin";
        if (!writeFile(path, flashes_[flash], error))
            return false;
    }
    return true;
}
