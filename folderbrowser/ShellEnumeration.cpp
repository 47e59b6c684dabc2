#include "folderbrowser/ShellEnumeration.h"

#include "toolkit/ComPtr.h"

bool EnumerateChildren(IShellFolder* folder, HWND owner, SHCONTF flags, const std::function<void(TShIDList)>& child) {
    if (!folder) return false;
    ComPtr<IEnumIDList> items;
    if (FAILED(folder->EnumObjects(owner, flags, items.put()))) return false;
    // S_FALSE may come without an enumerator: nothing to enumerate.
    if (!items) return true;
    for (;;) {
        LPITEMIDLIST next = nullptr;
        ULONG fetched = 0;
        if (items->Next(1, &next, &fetched) != S_OK || fetched != 1) {
            const TShIDList stray = TShIDList::Adopt(next);
            break;
        }
        child(TShIDList::Adopt(next));
    }
    return true;
}

bool FiltersVirtualChildren(TShVirtuaItem parentKind) {
    return parentKind == itDeskTop || parentKind == itMyComputer || parentKind == itNetWork;
}

bool KeepsVirtualChild(TShVirtuaItem parentKind, TKeshShData& child, TShVirtuaItems shown) {
    switch (parentKind) {
        case itDeskTop: {
            const TShVirtuaItem kind = child.ItemKind();
            if (kind == itBitBucket || kind == itNetWork || kind == itVirtual || kind == itInterNet)
                return Contains(shown, kind);
            return true;
        }
        case itMyComputer: {
            const TShVirtuaItem kind = child.ItemKind();
            if (kind == itVirtual || kind == itControls) return Contains(shown, kind);
            return true;
        }
        case itNetWork:
            return Contains(shown, itNetWork);
        default:
            return true;
    }
}
