#pragma once
// The settings file: an INI file read and written one key at a time through the system's
// private-profile calls, so every write is on disk before the next key is handled. It holds
// only the file's name and section; nothing is cached here.
#include <string>

class TSettingsFile {
public:
    TSettingsFile(std::string path, std::string section);

    // The executable's full path with its extension replaced by ".ini".
    static std::string BesideExecutable();
    // `path` with the part after the last "." of its file name replaced by "ini" (".ini"
    // appended to a name without a dot).
    static std::string IniPathFor(const std::string& path);

    const std::string& Path() const { return path_; }

    // At most 2047 bytes come back; a double-byte character cut in half there is dropped.
    std::string ReadString(const std::string& key, const std::string& defaultValue) const;
    // Decimal, or hexadecimal after "0x", "0X" or "$", with an optional sign; anything
    // else (an empty value too) gives the default.
    int ReadInteger(const std::string& key, int defaultValue) const;
    // An integer: any value but 0 is true.
    bool ReadBool(const std::string& key, bool defaultValue) const;

    // A write the system refuses raises "<path> に書き込めません". A text with spaces or
    // quotes at its ends is stored in quotes, which reading takes off again.
    void WriteString(const std::string& key, const std::string& value);
    void WriteInteger(const std::string& key, int value);
    void WriteBool(const std::string& key, bool value);

    // The integer a value's text stands for, as ReadInteger reads it.
    static bool ParseInteger(const std::string& text, int& value);

private:
    std::string path_;
    std::string section_;
};
