#pragma once
// The search for the first number of the range whose file does not exist yet. Nothing is
// kept between searches: a number freed in the folder is found again by the next one.
#include <string>

#include "settings/TSettingsValues.h"

// `folder` ends in "\" or ":" (or is empty: the current directory). True with `fullPath`
// the folder and the first name of the range that no entry of any kind has, compared as
// the file system compares names. False when every number is taken or the range is empty,
// after the information box "番号を使い終わりました"; `fullPath` is then the name of the
// range's last number (empty for an empty range).
bool FindFreeFileName(const TNamingRule& rule, TNumberRange range, const std::string& folder, std::string& fullPath);
