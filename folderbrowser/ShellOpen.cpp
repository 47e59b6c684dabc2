#include "folderbrowser/ShellOpen.h"

#include <shellapi.h>
#include <shobjidl.h>

#include "toolkit/ComPtr.h"

TShIDList ResolveLink(TKeshShData& item, HWND owner) {
    const std::string path = item.Path();
    if (path.empty()) return TShIDList();
    ComPtr<IShellLinkA> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(link.put()))))
        return TShIDList();
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put())))) return TShIDList();
    std::wstring wide(static_cast<size_t>(::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0)), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    if (FAILED(file->Load(wide.c_str(), STGM_READ)) || FAILED(link->Resolve(owner, SLR_NO_UI))) return TShIDList();
    LPITEMIDLIST target = nullptr;
    if (FAILED(link->GetIDList(&target)) || !target) return TShIDList();
    TShIDList owned = TShIDList::Adopt(target);
    TShIDList parent = TKeshShID::Parent(owned.get());
    ComPtr<IShellFolder> folder = TKeshShID::BindToFolder(parent.get());
    TShIDList last = TKeshShID::LastCopy(owned.get());
    if (!TKeshShID::HasAttributes(folder.get(), last.get(), SFGAO_FOLDER)) return TShIDList();
    return owned;
}

bool ExecuteItem(TKeshShData& item, HWND owner) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = owner;
    info.nShow = SW_SHOWNORMAL;
    info.lpIDList = const_cast<ITEMIDLIST*>(item.AbsoluteID());
    return ::ShellExecuteExA(&info) != FALSE;
}
