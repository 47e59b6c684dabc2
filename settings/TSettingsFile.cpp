#include "settings/TSettingsFile.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "toolkit/CharWalk.h"
#include "toolkit/Exception.h"
#include "toolkit/FilePath.h"

namespace {
constexpr DWORD kValueBuffer = 2048;

int DigitValue(char c, int base) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    return digit < base ? digit : -1;
}
}  // namespace

TSettingsFile::TSettingsFile(std::string path, std::string section)
    : path_(std::move(path)), section_(std::move(section)) {}

std::string TSettingsFile::BesideExecutable() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) return IniPathFor(std::string(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

std::string TSettingsFile::IniPathFor(const std::string& path) {
    // Only a dot in the file name counts: a folder may have one too.
    const std::string folder = ExtractFilePath(path);
    const std::string name = ExtractFileName(path);
    const std::size_t dot = name.rfind('.');
    return folder + (dot == std::string::npos ? name : name.substr(0, dot)) + ".ini";
}

std::string TSettingsFile::ReadString(const std::string& key, const std::string& defaultValue) const {
    std::vector<char> buffer(kValueBuffer);
    const DWORD length = ::GetPrivateProfileStringA(section_.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                                    kValueBuffer, path_.c_str());
    // Wine ends a value cut inside a character with a null within the length it returns.
    std::string value(buffer.data(), ::strnlen(buffer.data(), length));
    // A value longer than the buffer is cut at its end, maybe between the two bytes of a
    // character: a lone lead byte would swallow whatever text is put after it.
    CharWalk walk(value);
    std::size_t whole = 0;
    for (; !walk.AtEnd(); walk.Next()) {
        const bool cut = walk.CharSize() == 1 && ::IsDBCSLeadByte(static_cast<BYTE>(value[walk.Position()]));
        if (!cut) whole = walk.Position() + walk.CharSize();
    }
    value.resize(whole);
    return value;
}

bool TSettingsFile::ParseInteger(const std::string& text, int& value) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
    int base = 10;
    if (text.compare(pos, 1, "$") == 0) {
        base = 16;
        pos += 1;
    } else if (text.size() >= pos + 2 && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    }
    if (pos >= text.size()) return false;
    std::uint64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos], base);
        if (digit < 0) return false;
        magnitude = magnitude * base + digit;
        if (magnitude > 0xFFFFFFFFull) return false;
    }
    if (base == 10 && magnitude > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return false;
    // Eight hexadecimal digits give every bit pattern of the 32 bits, as they are written.
    const auto bits = static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
    value = static_cast<int>(bits);
    return true;
}

int TSettingsFile::ReadInteger(const std::string& key, int defaultValue) const {
    int value = 0;
    return ParseInteger(ReadString(key, ""), value) ? value : defaultValue;
}

bool TSettingsFile::ReadBool(const std::string& key, bool defaultValue) const {
    return ReadInteger(key, defaultValue ? 1 : 0) != 0;
}

void TSettingsFile::WriteString(const std::string& key, const std::string& value) {
    // Reading drops spaces around a value and one pair of quotes around it: a text that
    // starts or ends with either is quoted, so it reads back as it was.
    auto loose = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
    const std::string stored =
        !value.empty() && (loose(value.front()) || loose(value.back())) ? '"' + value + '"' : value;
    if (!::WritePrivateProfileStringA(section_.c_str(), key.c_str(), stored.c_str(), path_.c_str())) {
        throw Exception(path_ + " に書き込めません");
    }
}

void TSettingsFile::WriteInteger(const std::string& key, int value) { WriteString(key, std::to_string(value)); }

void TSettingsFile::WriteBool(const std::string& key, bool value) { WriteString(key, value ? "1" : "0"); }
