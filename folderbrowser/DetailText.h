#pragma once
// The detail texts of a list row in a file-system folder: size, type and last change.
#include <windows.h>

#include <string>
#include <vector>

class TKeshShData;

// Size in KB, rounded up and at least 1, with thousands separators: "1KB", "1,024KB".
std::string SizeText(ULONGLONG bytes);
// Short date and short time in local time; empty for a zero time.
std::string TimeText(const FILETIME& time);
// Size, type and modified for a row; a folder or an item outside the file system has no
// size; a removable drive shows only its type.
std::vector<std::string> FileSystemDetails(TKeshShData& item);
// Without the "?" that stand for direction marks the code page cannot carry, when the text
// starts with "?" and a digit.
std::string WithoutDirectionMarks(const std::string& text);
