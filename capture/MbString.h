#pragma once
// Counting, cutting and searching byte strings of the system ANSI code page by characters,
// so that a search or a test of the last character never matches half of a double-byte
// character. Positions and counts are 1-based characters.
#include <string>

int MbLength(const std::string& s);
std::string MbMidFrom(const std::string& s, int n);
std::string MbMid(const std::string& s, int m, int count);
std::string MbRight(const std::string& s, int n);
int MbPos(const std::string& s, const std::string& sub);
