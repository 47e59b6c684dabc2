#pragma once
// Operations on the shell's item identifier lists: a chain of identifiers, each starting
// with its size in bytes (16 bits, the size field included), ended by a zero size. An
// absolute list starts at the Desktop; the empty list is the Desktop itself.
//
// Every list is taken from and given back to the task allocator, and every list the
// program holds has an owner (TShIDList): nothing frees a list by hand.
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <utility>

#include "folderbrowser/CsidlFolders.h"
#include "toolkit/ComPtr.h"

// Owner of one identifier list from the task allocator.
class TShIDList {
public:
    TShIDList() = default;
    // Takes a list the shell handed over (it came from the task allocator).
    static TShIDList Adopt(LPITEMIDLIST list);
    TShIDList(const TShIDList&) = delete;
    TShIDList& operator=(const TShIDList&) = delete;
    TShIDList(TShIDList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
    TShIDList& operator=(TShIDList&& other) noexcept;
    ~TShIDList() { reset(); }

    LPITEMIDLIST get() const { return list_; }
    explicit operator bool() const { return list_ != nullptr; }
    void reset();

private:
    LPITEMIDLIST list_ = nullptr;
};

class TKeshShID {
public:
    virtual ~TKeshShID() = default;

    // Bytes of all identifiers plus 2 for the terminator; 0 for no list.
    static UINT Size(LPCITEMIDLIST list);
    // Number of identifiers; -1 for no list.
    static int Count(LPCITEMIDLIST list);
    // The identifier after this one, or null when this one is the last.
    static LPCITEMIDLIST Next(LPCITEMIDLIST id);
    static LPCITEMIDLIST Last(LPCITEMIDLIST list);

    static TShIDList Allocate(UINT size);
    static TShIDList Copy(LPCITEMIDLIST list);
    // The first identifier alone, terminated.
    static TShIDList CopyOne(LPCITEMIDLIST list);
    // Without the last identifier.
    static TShIDList Parent(LPCITEMIDLIST list);
    static TShIDList LastCopy(LPCITEMIDLIST list);
    // The first `count` identifiers (all of them when there are fewer).
    static TShIDList CopyFirst(LPCITEMIDLIST list, int count);
    static TShIDList Concat(LPCITEMIDLIST parent, LPCITEMIDLIST child);
    // Both present and byte-identical over the first list's size.
    static bool Equal(LPCITEMIDLIST a, LPCITEMIDLIST b);
    // Byte-identical, or equal as the Desktop compares absolute lists.
    static bool SameItem(LPCITEMIDLIST a, LPCITEMIDLIST b);
    // `ancestor` equals `list` cut to the ancestor's count (the list being longer).
    static bool IsAncestor(LPCITEMIDLIST ancestor, LPCITEMIDLIST list);
    // The identifiers of a list that follow an ancestor's (just the terminator when the list
    // is the ancestor itself); null when the list does not lie at or below the ancestor.
    static LPCITEMIDLIST Below(LPCITEMIDLIST ancestor, LPCITEMIDLIST list);

    enum TCompareResult { crEqual = 0, crGreater = 1, crLess = 2, crFailed = 3 };
    // Two absolute lists, through the Desktop folder.
    static TCompareResult Compare(LPCITEMIDLIST a, LPCITEMIDLIST b);
    // Two relative identifiers within one folder, by one of its columns.
    static TCompareResult CompareIn(IShellFolder* folder, LPCITEMIDLIST a, LPCITEMIDLIST b, int column = 0);

    // Empty when the path is empty or cannot be parsed.
    static TShIDList FromPath(const std::string& path);
    // The same, through a Desktop asked for on the calling thread (for a worker thread).
    static TShIDList FromPathHere(const std::string& path);
    // The file-system path, or empty: also when the path holds characters that the ANSI
    // code page cannot carry, since the replaced text would name another file.
    static std::string ToPath(LPCITEMIDLIST list);
    static TShIDList SpecialFolder(TShSpecialFolderID id);
    // A name of a relative identifier as its folder gives it (SHGDN_ flags), in the ANSI
    // code page; characters it cannot carry come out as the system's replacement.
    static std::string DisplayName(IShellFolder* folder, LPCITEMIDLIST relative, DWORD flags);
    // Text of the ANSI code page as the shell's wide strings take it.
    static std::wstring ToWide(const std::string& text);
    // The text of a name the shell returned (freeing it when it was allocated); `item` is the
    // identifier that an offset points into.
    static std::string ReadStrRet(STRRET& text, LPCITEMIDLIST item);
    // Index in the system image list, or -1.
    static int IconIndex(LPCITEMIDLIST absolute, bool small, bool open);
    // The (closed) icon's index asked of the folder that holds the item, which the caller
    // has bound already; -1 when the folder cannot say. The small and the large system image
    // lists share their indices.
    static int IconIndexIn(IShellFolder* folder, LPCITEMIDLIST relative);

    static ComPtr<IShellFolder> Desktop();
    // The folder of an absolute list (the Desktop for the empty list); empty on failure.
    static ComPtr<IShellFolder> BindToFolder(LPCITEMIDLIST absolute);
    // The same, through a Desktop asked for on the calling thread: for a worker thread,
    // which may not use the user-interface thread's shell objects.
    static ComPtr<IShellFolder> BindToFolderHere(LPCITEMIDLIST absolute);
    // True only when every bit of the mask comes back set.
    static bool HasAttributes(IShellFolder* folder, LPCITEMIDLIST relative, ULONG mask);

    // Starts OLE and takes the task allocator for the run, when that has not happened yet
    // (anything above does it on first use; OLE drag and drop needs it before).
    static void Initialize();

    // Lists held by owners right now (for tests that look for leaks).
    static long LiveLists();

    static void* TaskAlloc(UINT size);
    static void TaskFree(void* block);

private:
    static ComPtr<IShellFolder> BindThrough(ComPtr<IShellFolder> desktop, LPCITEMIDLIST absolute);
    static TShIDList ParseThrough(IShellFolder* desktop, HWND owner, const std::string& path);
};
