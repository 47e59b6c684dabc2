#include "settings/ShortCutText.h"

#include <windows.h>

#include <cstdio>
#include <string_view>

namespace {
constexpr unsigned kKeyMask = 0x1FFF;
constexpr unsigned kFirstKey = 0x08;
constexpr unsigned kLastKey = 0xFF;

struct NamedKey {
    unsigned key;
    const char* name;
};
constexpr NamedKey kNamedKeys[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},  {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

struct Modifier {
    const char* text;
    TShortCut flag;
};
// "^" is read as Ctrl as well; it is never written.
constexpr Modifier kModifiers[] = {{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"^", scCtrl}, {"Alt+", scAlt}};

bool SameText(std::string_view a, std::string_view b) {
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                            static_cast<int>(b.size())) == CSTR_EQUAL;
}

std::string KeyName(unsigned key) {
    for (const NamedKey& named : kNamedKeys) {
        if (named.key == key) return named.name;
    }
    if (key >= '0' && key <= '9') return std::string(1, static_cast<char>(key));
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return std::string(1, static_cast<char>('0' + key - VK_NUMPAD0));
    if (key >= 'A' && key <= 'Z') return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24) {
        char name[4];
        std::snprintf(name, sizeof name, "F%u", key - VK_F1 + 1);
        return name;
    }
    const UINT scanCode = ::MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    char name[64] = {};
    const int length = ::GetKeyNameTextA(static_cast<LONG>(scanCode << 16), name, sizeof name);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}
}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
    const unsigned key = shortCut & kKeyMask;
    if (key == 0) return "";
    std::string text;
    for (const Modifier& modifier : kModifiers) {
        if ((shortCut & modifier.flag) && modifier.text[0] != '^') text.append(modifier.text);
    }
    text.append(KeyName(key));
    return text;
}

TShortCut TextToShortCut(const std::string& text) {
    std::string_view rest(text);
    TShortCut modifiers = 0;
    for (bool found = true; found;) {
        found = false;
        for (const Modifier& modifier : kModifiers) {
            const std::string_view prefix(modifier.text);
            // Never the whole rest: a key may be named like a modifier ("^" on some keyboards).
            if (rest.size() > prefix.size() && SameText(rest.substr(0, prefix.size()), prefix)) {
                modifiers |= modifier.flag;
                rest.remove_prefix(prefix.size());
                found = true;
            }
        }
    }
    if (rest.empty()) return 0;
    // The lowest key of that name: a keypad digit reads back as the digit's key.
    for (unsigned key = kFirstKey; key <= kLastKey; ++key) {
        const std::string name = KeyName(key);
        if (!name.empty() && SameText(rest, name)) return static_cast<TShortCut>(key | modifiers);
    }
    return 0;
}
