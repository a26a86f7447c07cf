#pragma once

#include <string>

// Diagnostics on stderr, shown only with --verbose.
void setVerboseLog(bool on);
void verboseLog(const std::string &line);
// The text with control characters shown as C escapes, for log lines.
std::string printableText(const std::string &text);
