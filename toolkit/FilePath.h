#pragma once
// Splitting a path of the system ANSI code page. The separators are found character by
// character, so the second byte of a double-byte character is never taken for a '\'.
#include <string>

// Everything up to and including the last '\' or ':', or "" when there is neither.
std::string ExtractFilePath(const std::string& path);
