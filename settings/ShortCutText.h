#pragma once
// A shortcut as the settings file stores it: "Shift+", "Ctrl+", "Alt+" (each only if held)
// and the key's name, such as "Ctrl+Alt+F".
#include <string>

#include "toolkit/THotKey.h"

// The key's name: the fixed names of the common keys, else the one the system reports;
// an empty text for no shortcut.
std::string ShortCutToText(TShortCut shortCut);
// Read back without regard to case, with the modifiers in any order and "^" for "Ctrl+";
// 0 for a text that names no key.
TShortCut TextToShortCut(const std::string& text);
