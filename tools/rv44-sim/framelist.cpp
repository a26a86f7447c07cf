#include "framelist.h"

#include <cstdlib>
#include <sstream>

namespace {

bool parseNumber(const std::string &text, long &value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    if (text.size() > 9)
        return false;
    value = std::strtol(text.c_str(), nullptr, 10);
    return value >= 1;
}

bool parseRange(const std::string &item, std::pair<long, long> &range) {
    const auto dash = item.find('-');
    if (dash == std::string::npos) {
        if (!parseNumber(item, range.first))
            return false;
        range.second = range.first;
        return true;
    }
    return parseNumber(item.substr(0, dash), range.first) &&
           parseNumber(item.substr(dash + 1), range.second) && range.first <= range.second;
}

} // namespace

bool FrameList::parse(const std::string &text) {
    std::vector<std::pair<long, long>> ranges;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ',')) {
        std::pair<long, long> range;
        if (!parseRange(item, range))
            return false;
        ranges.push_back(range);
    }
    if (ranges.empty())
        return false;
    ranges_ = ranges;
    return true;
}

bool FrameList::contains(long number) const {
    for (const auto &range : ranges_) {
        if (number >= range.first && number <= range.second)
            return true;
    }
    return false;
}
