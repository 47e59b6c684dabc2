#pragma once
// Splitting a path of the ANSI code page at its last "\" or ":" — a byte of that value that
// is the second byte of a double-byte character is no separator.
#include <string>

// Everything up to and including the last separator (empty when there is none).
std::string ExtractFilePath(const std::string& path);
// Everything after the last separator.
std::string ExtractFileName(const std::string& path);
// True when the text holds a "\" or "/" at the start of a character.
bool HasPathSeparator(const std::string& text);
// The path ending in one "\" of its own: one is appended unless its last character is a
// "\" (a "\" that is the second byte of a double-byte character does not count, as in
// "表"). The empty path gives "\".
std::string AddTrailingBackslash(const std::string& path);
// The same for a path that may be absent: an empty path stays empty.
inline std::string IncludeTrailingPathDelimiter(const std::string& path) {
    return path.empty() ? path : AddTrailingBackslash(path);
}
// True when both paths name the same folder, whatever the case and a trailing "\"; an empty
// path names none.
bool SameFolder(const std::string& a, const std::string& b);
// Folder paths in order, as the system compares text regardless of case and a trailing "\":
// negative when `a` goes first, 0 when SameFolder holds (or both are empty), positive after.
int CompareFolders(const std::string& a, const std::string& b);
// The path without its own trailing "\", when it has one.
std::string ExcludeTrailingPathDelimiter(const std::string& path);
// True when the path names an existing directory.
bool DirectoryExists(const std::string& path);
