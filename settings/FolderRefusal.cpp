#include "settings/FolderRefusal.h"

#include <windows.h>

#include "settings/SettingsKeys.h"

namespace {
// Why an existing choice cannot take the files (empty: it can).
std::string UnusableFolderReason(const std::string& folder) {
    // A name the ANSI code page cannot spell comes with "?" in place of what it lacks;
    // "?" is never the second byte of a character, and no file name holds it.
    if (folder.empty() || folder.find('?') != std::string::npos) {
        return "保存先フォルダの名前に、このプログラムでは扱えない文字が含まれています。\r\n"
               "別のフォルダを選択してください";
    }
    const DWORD attributes = ::GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return "保存先フォルダが見つかりません。\r\n" + folder;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return "保存先に選ばれているのはフォルダではありません。\r\n" + folder;
    return "";
}
}  // namespace

std::string FolderRefusal(const std::string& folder, bool unspellable) {
    if ((folder.empty() && !unspellable) || folder == kComputerFolderName) return "保存先フォルダを選択してください";
    return UnusableFolderReason(folder);
}
