#pragma once
// The naming rule of every output file: optional word, sequence number (optionally padded),
// optional word, "." and the save mode's caption. A word's text is kept while its switch is
// off, and then not used.
#include <string>

// Save modes: the settings window's radio items, in order.
constexpr int kModeBmp = 0;
constexpr int kModeJpeg = 1;
constexpr int kModeAvi = 2;
constexpr int kModeCount = 3;
// "BMP", "JPEG" or "AVI"; empty for no mode.
std::string SaveModeCaption(int mode);

struct TNamingRule {
    bool addWordBefore = false;
    std::string wordBefore;
    bool addWordAfter = false;
    std::string wordAfter;
    bool numberLock = true;
    int numberLockWidth = 3;
    bool zeroFill = true;
    int saveMode = kModeBmp;

    // The file name, without folder, for a sequence number.
    std::string FileName(int number) const;
};
