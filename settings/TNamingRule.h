#pragma once
// The naming rule of every output file, as the settings window's controls say it at one
// moment: optional word, sequence number (optionally padded), optional word, "." and the
// save mode's caption.
#include <string>

struct TNamingRule {
    bool addWordBefore = false;
    std::string wordBefore;
    bool addWordAfter = false;
    std::string wordAfter;
    bool numberLock = true;
    int numberLockWidth = 3;
    bool zeroFill = true;
    std::string extension = "BMP";

    // The file name, without folder, for a sequence number.
    std::string FileName(int number) const;
};
