#include "settings/FreeFileName.h"

#include "settings/TFolderEntries.h"
#include "toolkit/MessageBoxes.h"

bool FindFreeFileName(const TNamingRule& rule, TNumberRange range, const std::string& folder, std::string& fullPath) {
    // One look at the folder serves the whole range.
    const TFolderEntries entries(folder);
    std::string candidate;
    for (long long number = range.first; number <= range.last; ++number) {
        const std::string name = rule.FileName(static_cast<int>(number));
        candidate = folder + name;
        if (!entries.Exists(name)) {
            fullPath = candidate;
            return true;
        }
    }
    MessageBoxes::Information("番号を使い終わりました");
    fullPath = candidate;
    return false;
}
