#pragma once

#include <string>

// Diagnostics on stderr, shown only with --verbose.
void setVerboseLog(bool on);
void verboseLog(const std::string &line);
