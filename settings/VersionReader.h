#pragma once
// Reads the strings of a module's version resource.
#include <string>

// The keys the reader knows, by index; the key names are the version resource's own.
enum TVersionKey {
    vkComments,
    vkCompanyName,
    vkFileDescription,
    vkFileVersion,
    vkInternalName,
    vkLegalCopyright,
    vkLegalTrademarks,
    vkOriginalFilename,
    vkPrivateBuild,
    vkProductName,
    vkProductVersion,
    vkSpecialBuild,
    kVersionKeyCount
};
// Null for an index outside 0..11.
const char* VersionKeyName(int keyIndex);

// Fills `text` with the value of a key in the first language of the module's version
// resource. Leaves it unchanged when the module has no version resource, the key has no
// value or the index is unknown. Throws Exception("情報の取得に失敗しました") when the
// resource has no translation entry.
void ReadVersionString(const std::string& modulePath, int keyIndex, std::string& text);
