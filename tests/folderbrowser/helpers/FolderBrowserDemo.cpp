// The folder tree and the contents list side by side in a window of their own, as the
// settings window will hold them: for looking at them before that window takes them.
//   folderbrowser_demo [view style 0..3] [path to select]
// Without a path it makes a few folders with Japanese names on the Desktop and selects one.
// Both share the shell's context menu; it offers renaming (the settings window's does not).
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "folderbrowser/TKeshShListView.h"
#include "folderbrowser/TKeshShPopupMenu.h"
#include "folderbrowser/TKeshShTreeView.h"
#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"

namespace {
void MakeSampleFolders(const std::string& desktop) {
    const std::string base = desktop + "\\写真と資料";
    ::CreateDirectoryA(base.c_str(), nullptr);
    for (const char* name : {"旅行の写真", "仕事の資料", "新しいフォルダ", "音楽"})
        ::CreateDirectoryA((base + "\\" + name).c_str(), nullptr);
    for (const char* name : {"報告書.txt", "空のファイル.txt", "メモ.txt"}) {
        HANDLE file = ::CreateFileA((base + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (std::string(name) != "空のファイル.txt") {
            DWORD written = 0;
            std::string text(3000, 'x');
            ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        }
        ::CloseHandle(file);
    }
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    TApplication application;
    application.SetTitle("Pictavo");
    const int style = __argc > 1 ? std::atoi(__argv[1]) : 0;

    auto* form = application.CreateForm<TForm>();
    form->SetCaption("フォルダの選択");
    form->SetBounds(0, 0, 900, 560);
    auto* tree = new TKeshShTreeView(form);
    tree->SetAutoExpand(true);
    tree->SetBounds(4, 4, 280, 520);
    auto* list = new TKeshShListView(form);
    list->SetBounds(288, 4, 600, 520);
    list->SetViewStyle(static_cast<TViewStyle>(style));
    list->SetShTreeView(tree);
    auto* menu = new TKeshShPopupMenu(form);
    menu->ReadOnly = false;
    menu->ContextType = shctNormal;
    tree->SetShPopupMenu(menu);
    list->SetShPopupMenu(menu);
    tree->SetParent(form);
    list->SetParent(form);
    form->Show();

    std::string path;
    if (__argc > 2) {
        path = __argv[2];
    } else {
        char desktop[MAX_PATH] = {};
        ::SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE);
        MakeSampleFolders(desktop);
        path = std::string(desktop) + "\\写真と資料";
    }
    tree->SelectPath(path);
    application.Run();
    return 0;
}
