#include "folderbrowser/TShTreeNodes.h"

#include <algorithm>

#include "folderbrowser/DrawingOff.h"
#include "folderbrowser/TShIconsAhead.h"
#include "toolkit/CallbackErrors.h"
#include "toolkit/FilePath.h"
#include "toolkit/TWinControl.h"

namespace {
int CALLBACK CompareSiblings(LPARAM first, LPARAM second, LPARAM folder) {
    return Guarded(0, [&] {
        const auto* a = reinterpret_cast<TKeshShTreeNode*>(first);
        const auto* b = reinterpret_cast<TKeshShTreeNode*>(second);
        switch (TKeshShID::CompareIn(reinterpret_cast<IShellFolder*>(folder), a->ShData()->RelativeID(),
                                     b->ShData()->RelativeID())) {
            case TKeshShID::crLess:
                return -1;
            case TKeshShID::crGreater:
                return 1;
            default:
                return 0;
        }
    });
}
}  // namespace

// A node's child nodes, as the merge of its children sees them.
class TShTreeNodes::ChildNodes : public TShNodeChildren::Holder {
public:
    ChildNodes(TShTreeNodes& nodes, TKeshShTreeNode& parent) : nodes_(nodes), parent_(parent) {}

    std::vector<TKeshShFolderData*> Current() override {
        std::vector<TKeshShFolderData*> children;
        for (TKeshShTreeNode* child : nodes_.Children(&parent_)) children.push_back(child->ShData());
        return children;
    }
    void Insert(TKeshShFolderData* next, std::unique_ptr<TKeshShFolderData> child) override {
        HTREEITEM after = TVI_LAST;
        if (next) {
            HTREEITEM previous = TreeView_GetPrevSibling(nodes_.Window(), next->Node()->Item());
            after = previous ? previous : TVI_FIRST;
        }
        nodes_.Insert(parent_.Item(), after, std::move(child));
    }
    void Remove(TKeshShFolderData* child) override { TreeView_DeleteItem(nodes_.Window(), child->Node()->Item()); }

private:
    TShTreeNodes& nodes_;
    TKeshShTreeNode& parent_;
};

TShTreeNodes::TShTreeNodes(TWinControl& control, const TShNodeChildren& reading)
    : control_(control), reading_(reading) {}

// The nodes go with the control, before its window: the view's items no longer reach them.
TShTreeNodes::~TShTreeNodes() = default;

HWND TShTreeNodes::Window() const { return control_.Handle(); }

// ---- finding nodes

TKeshShTreeNode* TShTreeNodes::NodeOf(HTREEITEM item) {
    if (!item || !control_.HandleAllocated()) return nullptr;
    TVITEMA tv{};
    tv.mask = TVIF_PARAM | TVIF_HANDLE;
    tv.hItem = item;
    if (!TreeView_GetItem(Window(), &tv)) return nullptr;
    return reinterpret_cast<TKeshShTreeNode*>(tv.lParam);
}

TKeshShTreeNode* TShTreeNodes::Selected() {
    return control_.HandleAllocated() ? NodeOf(TreeView_GetSelection(Window())) : nullptr;
}

TKeshShTreeNode* TShTreeNodes::Root() {
    return control_.HandleAllocated() ? NodeOf(TreeView_GetRoot(Window())) : nullptr;
}

TKeshShTreeNode* TShTreeNodes::ParentOf(TKeshShTreeNode* node) {
    return node ? NodeOf(TreeView_GetParent(Window(), node->Item())) : nullptr;
}

std::vector<TKeshShTreeNode*> TShTreeNodes::Children(TKeshShTreeNode* node) {
    std::vector<TKeshShTreeNode*> children;
    if (!node) return children;
    HWND window = Window();
    for (HTREEITEM item = TreeView_GetChild(window, node->Item()); item; item = TreeView_GetNextSibling(window, item))
        children.push_back(NodeOf(item));
    return children;
}

TKeshShTreeNode* TShTreeNodes::At(POINT client) {
    if (!control_.HandleAllocated()) return nullptr;
    TVHITTESTINFO hit{};
    hit.pt = client;
    TreeView_HitTest(Window(), &hit);
    if (!(hit.flags & TVHT_ONITEM)) return nullptr;
    TKeshShTreeNode* node = NodeOf(hit.hItem);
    return Alive(node) ? node : nullptr;
}

std::vector<TKeshShTreeNode*> TShTreeNodes::All() const {
    std::vector<TKeshShTreeNode*> all;
    for (const auto& [key, node] : nodes_) all.push_back(node.get());
    return all;
}

bool TShTreeNodes::Expanded(TKeshShTreeNode* node) {
    return node && (TreeView_GetItemState(Window(), node->Item(), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TShTreeNodes::Expand(TKeshShTreeNode* node) {
    if (node) TreeView_Expand(Window(), node->Item(), TVE_EXPAND);
}

void TShTreeNodes::Select(TKeshShTreeNode* node) {
    if (!node) return;
    TreeView_SelectItem(Window(), node->Item());
    TreeView_EnsureVisible(Window(), node->Item());
}

void TShTreeNodes::SetText(TKeshShTreeNode& node, char* text) {
    TVITEMA tv{};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = node.Item();
    tv.pszText = text;
    TreeView_SetItem(Window(), &tv);
}

// ---- making and letting go

TKeshShTreeNode* TShTreeNodes::Insert(HTREEITEM parent, HTREEITEM after, std::unique_ptr<TKeshShFolderData> data) {
    auto node = std::make_unique<TKeshShTreeNode>(control_, std::move(data));
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = LPSTR_TEXTCALLBACKA;
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.cChildren = I_CHILDRENCALLBACK;
    insert.item.lParam = reinterpret_cast<LPARAM>(node.get());
    // Known before the item exists: the view may ask about it while it inserts it.
    TKeshShTreeNode* made = node.get();
    nodes_.emplace(made, std::move(node));
    HTREEITEM item = TreeView_InsertItem(Window(), &insert);
    if (!item) {
        nodes_.erase(made);
        return nullptr;
    }
    made->SetItem(item);
    return made;
}

std::unique_ptr<TKeshShTreeNode> TShTreeNodes::Release(TKeshShTreeNode* node) {
    auto found = nodes_.find(node);
    if (found == nodes_.end()) return nullptr;
    std::unique_ptr<TKeshShTreeNode> released = std::move(found->second);
    nodes_.erase(found);
    return released;
}

// ---- reading children

void TShTreeNodes::ReadChildren(TKeshShTreeNode& node) {
    if (node.ChildrenRead() || !DriveReady(node)) return;
    Merge(node);
}

void TShTreeNodes::Merge(TKeshShTreeNode& node) {
    ChildNodes children(*this, node);
    reading_.Merge(*node.ShData(), Window(), children);
    node.SetChildrenRead(true);
    TVITEMA tv{};
    tv.mask = TVIF_CHILDREN | TVIF_HANDLE;
    tv.hItem = node.Item();
    tv.cChildren = TreeView_GetChild(Window(), node.Item()) ? 1 : 0;
    TreeView_SetItem(Window(), &tv);
}

bool TShTreeNodes::DriveReady(TKeshShTreeNode& node) {
    TKeshShFolderData& data = *node.ShData();
    if (data.ItemKind() != itRootDrive) return true;
    TKeshShTreeNode* parent = ParentOf(&node);
    if (!parent || parent->ShData()->ItemKind() != itMyComputer) return true;
    const std::string root = IncludeTrailingPathDelimiter(data.Path());
    const UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    const BOOL ready = ::GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0);
    ::SetErrorMode(previous);
    return ready != FALSE;
}

void TShTreeNodes::RefreshVisible() {
    HWND window = Window();
    std::vector<TKeshShTreeNode*> visible;
    for (HTREEITEM item = TreeView_GetFirstVisible(window); item; item = TreeView_GetNextVisible(window, item))
        visible.push_back(NodeOf(item));
    DrawingOff drawingOff(window);
    for (TKeshShTreeNode* node : visible) {
        // An earlier merge may have deleted it with its parent.
        if (!Alive(node)) continue;
        if (Expanded(node) || TreeView_GetChild(window, node->Item())) {
            Merge(*node);
        } else {
            node->SetChildrenRead(false);
            node->ShData()->ForgetName();
            AskChildrenAgain(*node);
        }
    }
}

void TShTreeNodes::AskChildrenAgain(TKeshShTreeNode& node) {
    // Its overlay is looked up again with it.
    node.ForgetLook();
    TVITEMA tv{};
    tv.mask = TVIF_CHILDREN | TVIF_HANDLE;
    tv.hItem = node.Item();
    tv.cChildren = I_CHILDRENCALLBACK;
    TreeView_SetItem(Window(), &tv);
}

void TShTreeNodes::SortChildren(TKeshShTreeNode& parent) {
    TVSORTCB sort{};
    sort.hParent = parent.Item();
    sort.lpfnCompare = CompareSiblings;
    sort.lParam = reinterpret_cast<LPARAM>(parent.ShData()->Folder());
    TreeView_SortChildrenCB(Window(), &sort, FALSE);
}

// ---- finding by identifier list

bool TShTreeNodes::UnderRoot(LPCITEMIDLIST absolute) {
    TKeshShTreeNode* root = Root();
    if (!root) return false;
    LPCITEMIDLIST rootID = root->ShData()->AbsoluteID();
    return TKeshShID::Count(rootID) == 0 || TKeshShID::Below(rootID, absolute) != nullptr;
}

TKeshShTreeNode* TShTreeNodes::Find(LPCITEMIDLIST absolute) {
    TKeshShTreeNode* root = Root();
    if (!root || !absolute || !UnderRoot(absolute)) return nullptr;
    const int rootLevel = root->ShData()->Level();
    LPCITEMIDLIST id = absolute;
    for (int i = 0; i < rootLevel && id; ++i) id = TKeshShID::Next(id);
    if (TKeshShID::Count(absolute) == rootLevel) id = nullptr;
    TKeshShTreeNode* node = root;
    for (; id; id = TKeshShID::Next(id)) {
        TShIDList one = TKeshShID::CopyOne(id);
        if (!node->ChildrenRead()) ReadChildren(*node);
        IShellFolder* folder = node->ShData()->Folder();
        // A child that is missing, or that sorts after the one sought, may be new: the
        // children are read again once before the search gives up.
        bool reread = false;
        TKeshShTreeNode* match = nullptr;
        std::vector<TKeshShTreeNode*> children = Children(node);
        size_t at = 0;
        for (;;) {
            if (at == children.size()) {
                if (reread) break;
                reread = true;
                Merge(*node);
                children = Children(node);
                at = 0;
                continue;
            }
            const TKeshShID::TCompareResult order =
                TKeshShID::CompareIn(folder, children[at]->ShData()->RelativeID(), one.get());
            if (order == TKeshShID::crEqual) {
                match = children[at];
                break;
            }
            if (order == TKeshShID::crLess) {
                ++at;
                continue;
            }
            if (order == TKeshShID::crGreater && !reread) {
                reread = true;
                Merge(*node);
                children = Children(node);
                at = 0;
                continue;
            }
            break;
        }
        if (!match) return nullptr;
        Expand(node);
        node = match;
    }
    return node;
}

TKeshShTreeNode* TShTreeNodes::Existing(LPCITEMIDLIST absolute) {
    TKeshShTreeNode* node = Root();
    if (!node || !absolute || !UnderRoot(absolute)) return nullptr;
    const int depth = TKeshShID::Count(absolute);
    for (int level = node->ShData()->Level() + 1; node && level <= depth; ++level) {
        TShIDList wanted = TKeshShID::CopyFirst(absolute, level);
        std::vector<TKeshShTreeNode*> children = Children(node);
        auto found = std::find_if(children.begin(), children.end(), [&](TKeshShTreeNode* child) {
            return TKeshShID::SameItem(child->ShData()->AbsoluteID(), wanted.get());
        });
        node = found == children.end() ? nullptr : *found;
    }
    return node;
}

// ---- what a node shows

void TShTreeNodes::DisplayInfo(NMTVDISPINFOA& info) {
    auto* node = reinterpret_cast<TKeshShTreeNode*>(info.item.lParam);
    if (!node || !Alive(node)) return;
    TKeshShFolderData& data = *node->ShData();
    if (info.item.mask & TVIF_TEXT) {
        const std::string name = data.DisplayName();
        lstrcpynA(info.item.pszText, name.c_str(), info.item.cchTextMax);
    }
    if (info.item.mask & TVIF_IMAGE) info.item.iImage = data.IconIndex();
    // The open icon shows on the selected node alone, and the view asks again whenever a
    // node's selection changes: the others answer with the icon they show anyway, so the
    // open icon is looked up only for nodes that are selected.
    if (info.item.mask & TVIF_SELECTEDIMAGE) {
        info.item.iSelectedImage =
            TreeView_GetSelection(Window()) == node->Item() ? data.OpenIconIndex() : data.IconIndex();
    }
    if (info.item.mask & TVIF_CHILDREN) {
        if (node->HasChildrenMark() < 0) node->SetHasChildrenMark(data.HasAttributes(SFGAO_HASSUBFOLDER) ? 1 : 0);
        info.item.cChildren = node->HasChildrenMark();
    }
    // The overlay is a state, not something the view asks for: it is looked up for nodes
    // that are drawn, and set once the drawing is over.
    if (!node->OverlayKnown()) {
        node->SetOverlayKnown();
        if (data.Overlay() > 0) ::PostMessageA(Window(), kShowOverlay, 0, reinterpret_cast<LPARAM>(node));
    }
}

void TShTreeNodes::ForEachVisible(const std::function<void(TKeshShTreeNode& node)>& each) {
    HWND tree = Window();
    // The count is of whole rows; one more may show in part.
    const UINT rows = TreeView_GetVisibleCount(tree) + 1;
    HTREEITEM item = TreeView_GetFirstVisible(tree);
    for (UINT row = 0; item && row < rows; ++row, item = TreeView_GetNextVisible(tree, item)) {
        if (TKeshShTreeNode* node = NodeOf(item)) each(*node);
    }
}

void TShTreeNodes::ReadVisible() {
    ForEachVisible([this](TKeshShTreeNode& node) {
        char text[MAX_PATH];
        NMTVDISPINFOA info{};
        info.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
        info.item.hItem = node.Item();
        info.item.lParam = reinterpret_cast<LPARAM>(&node);
        info.item.pszText = text;
        info.item.cchTextMax = sizeof text;
        DisplayInfo(info);
    });
}

void TShTreeNodes::AskIconsAhead(TShIconsAhead& ahead) {
    const HTREEITEM selected = TreeView_GetSelection(Window());
    ForEachVisible([&](TKeshShTreeNode& node) { ahead.Add(*node.ShData(), node.Item() == selected); });
}

void TShTreeNodes::ShowOverlay(TKeshShTreeNode* node) {
    if (!Alive(node)) return;
    TVITEMA tv{};
    tv.mask = TVIF_STATE | TVIF_HANDLE;
    tv.hItem = node->Item();
    tv.stateMask = TVIS_OVERLAYMASK;
    tv.state = INDEXTOOVERLAYMASK(node->ShData()->Overlay());
    TreeView_SetItem(Window(), &tv);
}
