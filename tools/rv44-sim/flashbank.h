#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The receiver's four serial flashes. Each is kept only up to its highest written byte, so a
// 16 MiB address space costs what was actually written; erased or unwritten bytes read as 0xFF.
class FlashBank {
public:
    static constexpr int kCount = 4;
    static constexpr uint32_t kSize = 0x1000000;

    void erase(int flash);
    // The caller has checked that flash and the range are inside the address space.
    void write(int flash, uint32_t address, const uint8_t *data, size_t length);
    uint8_t read(int flash, uint32_t address) const;
    const std::vector<uint8_t> &contents(int flash) const { return flashes_[flash]; }

    // Writes dir/flash0.bin .. flash3.bin, each replaced whole so readers never see half a file.
    bool saveTo(const std::string &dir, std::string &error) const;

private:
    std::vector<uint8_t> flashes_[kCount];
};
