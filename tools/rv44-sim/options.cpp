#include "options.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <functional>
#include <sstream>

namespace {

using Setter = std::function<bool(SimOptions &, const std::string &)>;

struct OptionDef {
    const char *name;
    const char *valueName; // nullptr for a flag
    const char *help;
    Setter set;
};

bool toLong(const std::string &text, long minimum, long maximum, long &value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
        text.size() > 10)
        return false;
    value = std::strtol(text.c_str(), nullptr, 10);
    return value >= minimum && value <= maximum;
}

Setter intSetter(int SimOptions::*field, long minimum) {
    return [field, minimum](SimOptions &o, const std::string &v) {
        long value = 0;
        if (!toLong(v, minimum, INT_MAX, value))
            return false;
        o.*field = static_cast<int>(value);
        return true;
    };
}

Setter countSetter(long SimOptions::*field, long minimum) {
    return [field, minimum](SimOptions &o, const std::string &v) {
        long value = 0;
        if (!toLong(v, minimum, LONG_MAX, value))
            return false;
        o.*field = value;
        return true;
    };
}

Setter textSetter(std::string SimOptions::*field, bool nonEmpty) {
    return [field, nonEmpty](SimOptions &o, const std::string &v) {
        if (nonEmpty && v.empty())
            return false;
        o.*field = v;
        return true;
    };
}

Setter flagSetter(bool SimOptions::*field) {
    return [field](SimOptions &o, const std::string &) {
        o.*field = true;
        return true;
    };
}

Setter listSetter(FrameList SimOptions::*field) {
    return [field](SimOptions &o, const std::string &v) { return (o.*field).parse(v); };
}

const std::vector<OptionDef> &optionTable() {
    static const std::vector<OptionDef> table = {
        {"--link", "PATH", "symlink to create for the serial device (required)",
         textSetter(&SimOptions::linkPath, true)},
        {"--flash-dir", "DIR", "write flash0.bin .. flash3.bin into DIR",
         textSetter(&SimOptions::flashDir, true)},
        {"--trace", "FILE", "append every received frame to FILE as hex",
         textSetter(&SimOptions::tracePath, true)},
        {"--once", nullptr, "exit when the first client has closed the port",
         flagSetter(&SimOptions::once)},
        {"--model", "NAME", "model name in the start-up text (default RV44S)",
         textSetter(&SimOptions::model, true)},
        {"--fpga-id", "ID", "loaded FPGA ID in the start-up text (default 0x0104; empty: no line)",
         textSetter(&SimOptions::fpgaId, false)},
        {"--startup-text", "TEXT", "replace the whole start-up text (C escapes accepted)",
         [](SimOptions &o, const std::string &v) {
             o.startupText = unescapeText(v);
             return true;
         }},
        {"--startup-delay-ms", "MS",
         "delay between a client's open and the start-up text (default 200)",
         intSetter(&SimOptions::startupDelayMs, 0)},
        {"--startup-pieces", "N", "send the start-up text in N pieces",
         intSetter(&SimOptions::startupPieces, 1)},
        {"--piece-gap-ms", "MS", "gap between start-up text pieces (default 150)",
         intSetter(&SimOptions::pieceGapMs, 0)},
        {"--repeat-text-ms", "MS", "resend the start-up text this often until a frame arrives",
         intSetter(&SimOptions::repeatTextMs, 0)},
        {"--baud", "N", "pace received frames and sent replies at N baud (0: instant)",
         countSetter(&SimOptions::baud, 0)},
        {"--drop-replies", "LIST", "send no reply to these write frames (data is stored)",
         listSetter(&SimOptions::dropReplies)},
        {"--wrong-reply-frames", "LIST", "answer these write frames with the wrong reply",
         listSetter(&SimOptions::wrongReplyFrames)},
        {"--wrong-reply", "TEXT", "the wrong reply (default \"Checksum ERR\\r\\n\")",
         [](SimOptions &o, const std::string &v) {
             o.wrongReply = unescapeText(v);
             return true;
         }},
        {"--reply-delay-ms", "MS", "delay before every reply",
         intSetter(&SimOptions::replyDelayMs, 0)},
        {"--lower-case", nullptr, "send the acknowledgements in lower case",
         flagSetter(&SimOptions::lowerCase)},
        {"--split", nullptr, "send each reply in two writes, split inside the word",
         flagSetter(&SimOptions::split)},
        {"--split-gap-ms", "MS", "gap between the two halves of a split reply (default 30)",
         intSetter(&SimOptions::splitGapMs, 0)},
        {"--silent-after", "N", "after N write frames, neither answer nor store anything",
         countSetter(&SimOptions::silentAfter, 0)},
        {"--hangup-after", "N", "after N write frames, drop the device and exit",
         countSetter(&SimOptions::hangupAfter, 1)},
        {"--verbose", nullptr, "log what happens on stderr", flagSetter(&SimOptions::verbose)},
        {"--help", nullptr, "show this help", nullptr},
    };
    return table;
}

const OptionDef *findOption(const std::string &name) {
    for (const auto &option : optionTable()) {
        if (name == option.name)
            return &option;
    }
    return nullptr;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string SimOptions::effectiveStartupText() const {
    if (startupText)
        return *startupText;
    std::string text = model + " Receiver\r\n";
    if (!fpgaId.empty())
        text += "FPGA Loaded --->(ID= " + fpgaId + " )\r\n";
    return text;
}

std::string unescapeText(const std::string &text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        if (next == 'r') {
            out += '\r';
        } else if (next == 'n') {
            out += '\n';
        } else if (next == 't') {
            out += '\t';
        } else if (next == '\\') {
            out += '\\';
        } else if (next == 'x' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
                   hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += '\\';
            out += next;
        }
    }
    return out;
}

ParsedOptions parseOptions(const std::vector<std::string> &args) {
    ParsedOptions parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        const auto equals = name.find('=');
        if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const OptionDef *option = findOption(name);
        if (!option) {
            parsed.error = "unknown option: " + args[i];
            return parsed;
        }
        if (name == "--help") {
            parsed.help = true;
            continue;
        }
        if (option->valueName && !value) {
            if (i + 1 == args.size()) {
                parsed.error = name + " needs a value (" + option->valueName + ")";
                return parsed;
            }
            value = args[++i];
        }
        if (!option->valueName && value) {
            parsed.error = name + " takes no value";
            return parsed;
        }
        if (!option->set(parsed.options, value.value_or(std::string()))) {
            parsed.error = "bad value for " + name + ": " + *value;
            return parsed;
        }
    }
    if (!parsed.help && parsed.options.linkPath.empty())
        parsed.error = "--link PATH is required";
    return parsed;
}

std::string helpText() {
    std::ostringstream out;
    out << "Usage: rv44-sim --link PATH [options]\n"
           "Simulates the receiver on a pseudo-terminal; prints READY <link> when it serves.\n"
           "Frame numbers in LIST count write frames of a session from 1, e.g. 2,4-6.\n\n";
    for (const auto &option : optionTable()) {
        std::string left = option.name;
        if (option.valueName)
            left += std::string(" ") + option.valueName;
        out << "  " << left << std::string(left.size() < 28 ? 28 - left.size() : 1, ' ')
            << option.help << "\n";
    }
    return out.str();
}
