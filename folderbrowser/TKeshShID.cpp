#include "folderbrowser/TKeshShID.h"

#include <atomic>
#include <cstring>
#include <vector>

#include "folderbrowser/ShellModule.h"
#include "toolkit/TApplication.h"

namespace {
std::atomic<long> liveLists{0};

HWND ApplicationWindow() { return TApplication::Exists() ? TApplication::Instance().Handle() : nullptr; }

USHORT IdSize(LPCITEMIDLIST id) {
    USHORT size;
    std::memcpy(&size, id, sizeof size);
    return size;
}

std::string Narrow(const wchar_t* text, bool* lossy = nullptr) {
    if (!text || !*text) return std::string();
    BOOL usedDefault = FALSE;
    BOOL* used = lossy ? &usedDefault : nullptr;
    const DWORD flags = lossy ? WC_NO_BEST_FIT_CHARS : 0;
    int size = ::WideCharToMultiByte(CP_ACP, flags, text, -1, nullptr, 0, nullptr, used);
    if (size <= 0) return std::string();
    std::string result(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, flags, text, -1, result.data(), size, nullptr, used);
    result.resize(static_cast<size_t>(size) - 1);
    if (lossy) *lossy = usedDefault != FALSE;
    return result;
}

std::wstring Widen(const std::string& text) {
    int size = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (size <= 0) return std::wstring();
    std::wstring result(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, result.data(), size);
    result.resize(static_cast<size_t>(size) - 1);
    return result;
}
}  // namespace

TShIDList TShIDList::Adopt(LPITEMIDLIST list) {
    TShIDList owner;
    if (list) {
        owner.list_ = list;
        ++liveLists;
    }
    return owner;
}

TShIDList& TShIDList::operator=(TShIDList&& other) noexcept {
    if (this != &other) {
        reset();
        list_ = std::exchange(other.list_, nullptr);
    }
    return *this;
}

void TShIDList::reset() {
    if (!list_) return;
    TKeshShID::TaskFree(std::exchange(list_, nullptr));
    --liveLists;
}

void TKeshShID::Initialize() { ShellModule::Instance(); }

void* TKeshShID::TaskAlloc(UINT size) { return ShellModule::Instance().Malloc()->Alloc(size); }

void TKeshShID::TaskFree(void* block) {
    if (block) ShellModule::Instance().Malloc()->Free(block);
}

long TKeshShID::LiveLists() { return liveLists; }

UINT TKeshShID::Size(LPCITEMIDLIST list) {
    if (!list) return 0;
    UINT size = 2;
    for (LPCITEMIDLIST id = list; IdSize(id) != 0;
         id = reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(id) + IdSize(id)))
        size += IdSize(id);
    return size;
}

int TKeshShID::Count(LPCITEMIDLIST list) {
    if (!list) return -1;
    int count = 0;
    for (LPCITEMIDLIST id = list; IdSize(id) != 0;
         id = reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(id) + IdSize(id)))
        ++count;
    return count;
}

LPCITEMIDLIST TKeshShID::Next(LPCITEMIDLIST id) {
    if (!id || IdSize(id) == 0) return nullptr;
    auto next = reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(id) + IdSize(id));
    return IdSize(next) == 0 ? nullptr : next;
}

LPCITEMIDLIST TKeshShID::Last(LPCITEMIDLIST list) {
    if (!list || IdSize(list) == 0) return list;
    LPCITEMIDLIST last = list;
    for (LPCITEMIDLIST id = Next(list); id; id = Next(id)) last = id;
    return last;
}

TShIDList TKeshShID::Allocate(UINT size) {
    void* block = TaskAlloc(size);
    if (!block) return TShIDList();
    std::memset(block, 0, size);
    return TShIDList::Adopt(static_cast<LPITEMIDLIST>(block));
}

TShIDList TKeshShID::Copy(LPCITEMIDLIST list) {
    const UINT size = Size(list);
    if (!size) return TShIDList();
    TShIDList copy = Allocate(size);
    if (copy) std::memcpy(copy.get(), list, size);
    return copy;
}

TShIDList TKeshShID::CopyOne(LPCITEMIDLIST list) {
    if (!list) return TShIDList();
    const UINT size = IdSize(list);
    TShIDList copy = Allocate(size + 2);
    if (copy) std::memcpy(copy.get(), list, size);
    return copy;
}

TShIDList TKeshShID::Parent(LPCITEMIDLIST list) {
    if (!list) return TShIDList();
    LPCITEMIDLIST last = Last(list);
    const UINT size = static_cast<UINT>(reinterpret_cast<const BYTE*>(last) - reinterpret_cast<const BYTE*>(list));
    TShIDList copy = Allocate(size + 2);
    if (copy) std::memcpy(copy.get(), list, size);
    return copy;
}

TShIDList TKeshShID::LastCopy(LPCITEMIDLIST list) { return CopyOne(Last(list)); }

TShIDList TKeshShID::CopyFirst(LPCITEMIDLIST list, int count) {
    if (!list) return TShIDList();
    UINT bytes = 0;
    for (LPCITEMIDLIST id = list; count > 0 && IdSize(id) != 0; --count) {
        bytes += IdSize(id);
        id = reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(list) + bytes);
    }
    TShIDList copy = Allocate(bytes + 2);
    if (copy) std::memcpy(copy.get(), list, bytes);
    return copy;
}

TShIDList TKeshShID::Concat(LPCITEMIDLIST parent, LPCITEMIDLIST child) {
    const UINT parentBytes = parent ? Size(parent) - 2 : 0;
    const UINT childSize = child ? Size(child) : 2;
    TShIDList result = Allocate(parentBytes + childSize);
    if (!result) return result;
    if (parentBytes) std::memcpy(result.get(), parent, parentBytes);
    if (child) std::memcpy(reinterpret_cast<BYTE*>(result.get()) + parentBytes, child, childSize);
    return result;
}

bool TKeshShID::Equal(LPCITEMIDLIST a, LPCITEMIDLIST b) {
    if (!a || !b) return false;
    const UINT size = Size(a);
    return size == Size(b) && std::memcmp(a, b, size) == 0;
}

bool TKeshShID::IsAncestor(LPCITEMIDLIST ancestor, LPCITEMIDLIST list) {
    const int count = Count(ancestor);
    if (count < 0 || Count(list) <= count) return false;
    const UINT bytes = Size(ancestor) - 2;
    return std::memcmp(ancestor, list, bytes) == 0;
}

LPCITEMIDLIST TKeshShID::Below(LPCITEMIDLIST ancestor, LPCITEMIDLIST list) {
    if (!list || !(Equal(ancestor, list) || IsAncestor(ancestor, list))) return nullptr;
    return reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(list) + Size(ancestor) - 2);
}

TKeshShID::TCompareResult TKeshShID::CompareIn(IShellFolder* folder, LPCITEMIDLIST a, LPCITEMIDLIST b, int column) {
    if (!folder) return crFailed;
    const HRESULT hr = folder->CompareIDs(static_cast<LPARAM>(column), a, b);
    if (FAILED(hr)) return crFailed;
    const short order = static_cast<short>(HRESULT_CODE(hr));
    return order == 0 ? crEqual : order > 0 ? crGreater : crLess;
}

TKeshShID::TCompareResult TKeshShID::Compare(LPCITEMIDLIST a, LPCITEMIDLIST b) {
    return CompareIn(Desktop().get(), a, b);
}

bool TKeshShID::SameItem(LPCITEMIDLIST a, LPCITEMIDLIST b) {
    return a && b && (Equal(a, b) || Compare(a, b) == crEqual);
}

TShIDList TKeshShID::FromPath(const std::string& path) {
    return ParseThrough(ShellModule::Instance().Desktop(), ApplicationWindow(), path);
}

TShIDList TKeshShID::FromPathHere(const std::string& path) {
    ComPtr<IShellFolder> desktop;
    if (FAILED(::SHGetDesktopFolder(desktop.put()))) return TShIDList();
    return ParseThrough(desktop.get(), nullptr, path);
}

TShIDList TKeshShID::ParseThrough(IShellFolder* desktop, HWND owner, const std::string& path) {
    if (path.empty() || !desktop) return TShIDList();
    std::wstring wide = Widen(path);
    LPITEMIDLIST list = nullptr;
    ULONG eaten = 0;
    if (FAILED(desktop->ParseDisplayName(owner, nullptr, wide.data(), &eaten, &list, nullptr))) return TShIDList();
    TShIDList parsed = TShIDList::Adopt(list);
    // The shell may parse a path that names nothing; such a path stands for no item.
    const std::string parsedPath = ToPath(parsed.get());
    if (!parsedPath.empty() && ::GetFileAttributesA(parsedPath.c_str()) == INVALID_FILE_ATTRIBUTES) return TShIDList();
    return parsed;
}

std::string TKeshShID::ToPath(LPCITEMIDLIST list) {
    if (!list) return std::string();
    wchar_t buffer[MAX_PATH] = {};
    if (!::SHGetPathFromIDListW(list, buffer)) return std::string();
    bool lossy = false;
    std::string path = Narrow(buffer, &lossy);
    return lossy ? std::string() : path;
}

TShIDList TKeshShID::SpecialFolder(TShSpecialFolderID id) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(ApplicationWindow(), id, &list))) return TShIDList();
    return TShIDList::Adopt(list);
}

std::string TKeshShID::DisplayName(IShellFolder* folder, LPCITEMIDLIST relative, DWORD flags) {
    if (!folder || !relative) return std::string();
    STRRET name{};
    if (FAILED(folder->GetDisplayNameOf(relative, flags, &name))) return std::string();
    return ReadStrRet(name, relative);
}

std::wstring TKeshShID::ToWide(const std::string& text) { return Widen(text); }

std::string TKeshShID::ReadStrRet(STRRET& text, LPCITEMIDLIST item) {
    switch (text.uType) {
        case STRRET_WSTR: {
            std::string result = Narrow(text.pOleStr);
            ::CoTaskMemFree(text.pOleStr);
            return result;
        }
        case STRRET_OFFSET:
            return item ? std::string(reinterpret_cast<const char*>(item) + text.uOffset) : std::string();
        case STRRET_CSTR:
            return std::string(text.cStr);
        default:
            return std::string();
    }
}

int TKeshShID::IconIndex(LPCITEMIDLIST absolute, bool small, bool open) {
    if (!absolute) return -1;
    SHFILEINFOA info{};
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_PIDL;
    if (small) flags |= SHGFI_SMALLICON;
    if (open) flags |= SHGFI_OPENICON;
    if (!::SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute), 0, &info, sizeof info, flags)) return -1;
    return info.iIcon;
}

int TKeshShID::IconIndexIn(IShellFolder* folder, LPCITEMIDLIST relative) {
    if (!folder || !relative) return -1;
    int index = -1;
    ComPtr<IShellIcon> icons;
    if (SUCCEEDED(folder->QueryInterface(IID_IShellIcon, reinterpret_cast<void**>(icons.put()))) && icons &&
        icons->GetIconOf(relative, 0, &index) == S_OK)
        return index;
    // Not imported: Microsoft says the function may be missing from a later system, and a
    // system without an imported name does not start the program at all. Where it is
    // missing the caller asks by the item's absolute list.
    using MapToIndex = int(WINAPI*)(IShellFolder*, LPCITEMIDLIST, int*);
    static const auto map = reinterpret_cast<MapToIndex>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("shell32.dll"), "SHMapPIDLToSystemImageListIndex")));
    return map ? map(folder, relative, nullptr) : -1;
}

ComPtr<IShellFolder> TKeshShID::Desktop() { return ComPtr<IShellFolder>::Share(ShellModule::Instance().Desktop()); }

ComPtr<IShellFolder> TKeshShID::BindToFolder(LPCITEMIDLIST absolute) { return BindThrough(Desktop(), absolute); }

ComPtr<IShellFolder> TKeshShID::BindToFolderHere(LPCITEMIDLIST absolute) {
    ComPtr<IShellFolder> desktop;
    if (FAILED(::SHGetDesktopFolder(desktop.put()))) return ComPtr<IShellFolder>();
    return BindThrough(std::move(desktop), absolute);
}

ComPtr<IShellFolder> TKeshShID::BindThrough(ComPtr<IShellFolder> desktop, LPCITEMIDLIST absolute) {
    if (!desktop || !absolute) return ComPtr<IShellFolder>();
    if (Count(absolute) == 0) return desktop;
    ComPtr<IShellFolder> folder;
    if (FAILED(desktop->BindToObject(absolute, nullptr, IID_IShellFolder, reinterpret_cast<void**>(folder.put()))))
        return ComPtr<IShellFolder>();
    return folder;
}

bool TKeshShID::HasAttributes(IShellFolder* folder, LPCITEMIDLIST relative, ULONG mask) {
    if (!folder || !relative) return false;
    ULONG attributes = mask;
    if (FAILED(folder->GetAttributesOf(1, &relative, &attributes))) return false;
    return (attributes & mask) == mask;
}
