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
// The path with exactly its own trailing "\" added or removed (a "\" that is the second byte
// of a double-byte character does not count). An empty path stays empty.
std::string IncludeTrailingPathDelimiter(const std::string& path);
std::string ExcludeTrailingPathDelimiter(const std::string& path);
// True when the path names an existing directory.
bool DirectoryExists(const std::string& path);
