#include "folderbrowser/TShNodeChildren.h"

#include <algorithm>

#include "folderbrowser/HourGlass.h"
#include "folderbrowser/MergeSorted.h"
#include "folderbrowser/ShellEnumeration.h"

// The steps of one merge, carried out on the holder.
class TShNodeChildren::Steps {
public:
    Steps(const TShNodeChildren& rules, IShellFolder* folder, Holder& holder)
        : rules_(rules), folder_(folder), holder_(holder) {}

    TKeshShID::TCompareResult Compare(TKeshShFolderData* held, std::unique_ptr<TKeshShFolderData>& fresh) {
        return TKeshShID::CompareIn(folder_, held->RelativeID(), fresh->RelativeID());
    }
    void Keep(TKeshShFolderData* /*held*/, std::unique_ptr<TKeshShFolderData>& /*fresh*/) {}
    void InsertBefore(TKeshShFolderData* held, std::unique_ptr<TKeshShFolderData>& fresh) { Insert(held, fresh); }
    void Append(std::unique_ptr<TKeshShFolderData>& fresh) { Insert(nullptr, fresh); }
    void Remove(TKeshShFolderData* held) { holder_.Remove(held); }

private:
    void Insert(TKeshShFolderData* next, std::unique_ptr<TKeshShFolderData>& fresh) {
        if (!rules_.accept || rules_.accept(*fresh)) holder_.Insert(next, std::move(fresh));
    }

    const TShNodeChildren& rules_;
    IShellFolder* folder_;
    Holder& holder_;
};

std::vector<std::unique_ptr<TKeshShFolderData>> TShNodeChildren::Read(TKeshShFolderData& parent, HWND owner) const {
    std::vector<std::unique_ptr<TKeshShFolderData>> children;
    SHCONTF flags = SHCONTF_FOLDERS;
    if (includeFiles) flags |= SHCONTF_NONFOLDERS;
    if (includeHidden) flags |= SHCONTF_INCLUDEHIDDEN;
    std::vector<TShIDList> relatives;
    ComPtr<IShellFolder> boundThere;
    const bool readThere = known && known(parent, flags, relatives, boundThere);
    if (readThere) parent.TakeFolder(std::move(boundThere));
    IShellFolder* folder = parent.Folder();
    if (!folder) return children;
    const ComPtr<IShellFolder> held = ComPtr<IShellFolder>::Share(folder);
    const TShVirtuaItem parentKind = parent.ItemKind();
    const bool filtered = FiltersVirtualChildren(parentKind);
    const auto add = [&](TShIDList relative) {
        auto child = std::make_unique<TKeshShFolderData>(TKeshShID::Concat(parent.AbsoluteID(), relative.get()), held);
        if (filtered && !KeepsVirtualChild(parentKind, *child, shown)) return;
        children.push_back(std::move(child));
    };
    if (readThere) {
        for (TShIDList& relative : relatives) add(std::move(relative));
    } else {
        EnumerateChildren(folder, owner, flags, add);
    }
    std::stable_sort(children.begin(), children.end(), [&](const auto& a, const auto& b) {
        return TKeshShID::CompareIn(folder, a->RelativeID(), b->RelativeID()) == TKeshShID::crLess;
    });
    return children;
}

void TShNodeChildren::Merge(TKeshShFolderData& parent, HWND owner, Holder& holder) const {
    HourGlass hourGlass;
    std::vector<std::unique_ptr<TKeshShFolderData>> fresh = Read(parent, owner);
    std::vector<TKeshShFolderData*> held = holder.Current();
    Steps steps(*this, parent.Folder(), holder);
    MergeSorted(held.begin(), held.end(), fresh.begin(), fresh.end(), steps);
}
