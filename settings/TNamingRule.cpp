#include "settings/TNamingRule.h"

std::string SaveModeCaption(int mode) {
    static const char* const captions[kModeCount] = {"BMP", "JPEG", "AVI"};
    return mode >= 0 && mode < kModeCount ? captions[mode] : "";
}

std::string TNamingRule::FileName(int number) const {
    std::string name;
    if (addWordBefore) name += wordBefore;
    // No sign: the number ranges never hold a negative one, and a "-" would sort oddly.
    std::string digits = std::to_string(number < 0 ? -static_cast<long long>(number) : number);
    if (numberLock && numberLockWidth > static_cast<int>(digits.size())) {
        name.append(static_cast<size_t>(numberLockWidth) - digits.size(), zeroFill ? '0' : ' ');
    }
    name += digits;
    if (addWordAfter) name += wordAfter;
    return name + "." + SaveModeCaption(saveMode);
}
