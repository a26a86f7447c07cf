#pragma once

#include <string>
#include <utility>
#include <vector>

// A set of frame numbers given as "3", "2-5" or "1,4-6,9"; kept as ranges so that a wide range
// costs no memory.
class FrameList {
public:
    // False (and the list left unchanged) when the text is not a valid list.
    bool parse(const std::string &text);
    bool contains(long number) const;
    bool empty() const { return ranges_.empty(); }

private:
    std::vector<std::pair<long, long>> ranges_;
};
