#pragma once

#include <QString>

// What the program's command line names: 1-based positions of the keys in the upper-cased text
// (0 when absent) and their values as typed.
struct CommandLineKeys {
    qint16 fw = 0, fpga = 0, bios = 0;
    QString fwValue, fpgaValue, biosValue;
    // The BIOS frame is offered only for the key typed in upper case.
    bool biosOffered = false;
};

// Keys are found anywhere, also inside a longer word; a value runs to the first space.
CommandLineKeys ParseCommandLine(const QString &cmd);
