#include "folderbrowser/DetailText.h"

#include <shellapi.h>

#include <algorithm>

#include "folderbrowser/TKeshShData.h"

std::string SizeText(ULONGLONG bytes) {
    ULONGLONG kb = std::max<ULONGLONG>(1, (bytes + 1023) / 1024);
    std::string digits = std::to_string(kb);
    std::string text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text + "KB";
}

std::string TimeText(const FILETIME& time) {
    if (time.dwLowDateTime == 0 && time.dwHighDateTime == 0) return std::string();
    FILETIME local;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&time, &local) || !::FileTimeToSystemTime(&local, &st)) return std::string();
    char date[64] = {}, clock[64] = {};
    ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
    ::GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &st, nullptr, clock, sizeof clock);
    return std::string(date) + " " + clock;
}

std::vector<std::string> FileSystemDetails(TKeshShData& item) {
    SHFILEINFOA info{};
    ::SHGetFileInfoA(reinterpret_cast<LPCSTR>(item.AbsoluteID()), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_TYPENAME);
    const std::string type = info.szTypeName;
    if (item.Level() == 2 && item.ItemKind() == itRootDrive && item.HasAttributes(SFGAO_REMOVABLE))
        return {type, "", ""};
    const bool sized = !item.HasAttributes(SFGAO_FOLDER) && item.HasAttributes(SFGAO_FILESYSTEM);
    const WIN32_FIND_DATAA& find = item.FindData();
    std::string size;
    if (sized) size = SizeText((static_cast<ULONGLONG>(find.nFileSizeHigh) << 32) + find.nFileSizeLow);
    return {size, type, TimeText(find.ftLastWriteTime)};
}

std::string WithoutDirectionMarks(const std::string& text) {
    if (text.size() < 2 || text[0] != '?' || text[1] < '0' || text[1] > '9') return text;
    std::string result;
    for (char c : text) {
        if (c != '?') result += c;
    }
    return result;
}
