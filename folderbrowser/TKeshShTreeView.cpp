#include "folderbrowser/TKeshShTreeView.h"

#include <dbt.h>
#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "folderbrowser/EShNotifyError.h"
#include "folderbrowser/ShellOpen.h"
#include "folderbrowser/TKeshShPopupMenu.h"
#include "toolkit/CallbackErrors.h"
#include "toolkit/FilePath.h"
#include "toolkit/TApplication.h"

namespace {
constexpr int kBackListLimit = 9;
constexpr UINT kSetOverlay = WM_APP + 20;

// The roots of the fixed and CD-ROM drives, which the tree watches whole.
std::vector<std::string> DriveRoots() {
    char buffer[81] = {};
    const DWORD length = ::GetLogicalDriveStringsA(sizeof buffer, buffer);
    std::vector<std::string> roots;
    if (length == 0 || length > sizeof buffer) return roots;
    for (const char* root = buffer; *root; root += std::strlen(root) + 1) {
        const UINT type = ::GetDriveTypeA(root);
        if (type == DRIVE_FIXED || type == DRIVE_CDROM) roots.emplace_back(root);
    }
    return roots;
}

void WatchDriveRoots(TShNotifyThread& watcher, const std::vector<std::string>& /*watchedBefore*/) {
    const std::vector<std::string> roots = DriveRoots();
    try {
        watcher.SetFolders(&roots);
    } catch (const EShNotifyError&) {
        // More drives than one thread can watch (letters give at most 26): the tree works
        // on without watching.
    }
}
}  // namespace

// A node's child nodes, as the merge of its children sees them.
class TKeshShTreeView::ChildNodes : public TShNodeChildren::Holder {
public:
    ChildNodes(TKeshShTreeView& tree, TKeshShTreeNode& parent) : tree_(tree), parent_(parent) {}

    std::vector<TKeshShFolderData*> Current() override {
        std::vector<TKeshShFolderData*> children;
        for (TKeshShTreeNode* child : tree_.Children(&parent_)) children.push_back(child->ShData());
        return children;
    }
    void Insert(TKeshShFolderData* next, std::unique_ptr<TKeshShFolderData> child) override {
        HTREEITEM after = TVI_LAST;
        if (next) {
            HTREEITEM previous = TreeView_GetPrevSibling(tree_.Handle(), next->Node()->Item());
            after = previous ? previous : TVI_FIRST;
        }
        tree_.InsertNode(parent_.Item(), after, std::move(child));
    }
    void Remove(TKeshShFolderData* child) override { TreeView_DeleteItem(tree_.Handle(), child->Node()->Item()); }

private:
    TKeshShTreeView& tree_;
    TKeshShTreeNode& parent_;
};

TKeshShTreeView::TKeshShTreeView(TComponent* owner)
    : TWinControl(owner),
      TShFolderLink::Tree(static_cast<TComponent&>(*this)),
      watching_(
          WatchFilter(), true,
          [this](TShNotifyThread&, const std::string& folder, const std::vector<std::string>&) {
              FolderChanged(folder);
          },
          WatchDriveRoots) {
    SetTabStop(true);
    SetColor(clWindow);
    children_.accept = [this](TKeshShFolderData& child) {
        bool accept = true;
        Raise(OnShAddData, *this, child, accept);
        if (accept && OnShFilter && child.ItemKind() == itFile) Raise(OnShFilter, *this, child, accept);
        return accept;
    };
    root_.OnChange = [this](TObject&) { Fill(); };
    delay_ = new TKeshShChangeDelay([this](TObject&) { delay_ = nullptr; },
                                    [this](TKeshShChangeDelay&, TKeshShTreeNode*& node) {
                                        TKeshShTreeNode* pending = std::exchange(node, nullptr);
                                        if (pending && Alive(pending) && pending == Selected()) Change(*pending);
                                    });
}

TKeshShTreeView::~TKeshShTreeView() {
    if (HandleAllocated()) RevokeDropTarget(Handle());
    TShFolderLink::Link(this, nullptr, false);
    watching_.Stop();
    if (delay_) {
        delay_->OnTerminate = nullptr;
        delay_->Stop();
        delete std::exchange(delay_, nullptr);
    }
    if (hooked_ && TApplication::Exists())
        ::RemoveWindowSubclass(TApplication::Instance().Handle(), ApplicationHook, reinterpret_cast<UINT_PTR>(this));
    // The window goes in the base destructor; its items no longer reach this object then.
    for (TKeshShTreeNode* node : nodes_) delete node;
    nodes_.clear();
}

// ---- watching

BYTE TKeshShTreeView::WatchFilter() const {
    return TShNotifyThread::kDirectoryName | (children_.includeFiles ? TShNotifyThread::kFileName : 0);
}

void TKeshShTreeView::SuspendWatching(bool linked) {
    watching_.Suspend();
    if (linked && LinkedList()) LinkedList()->SuspendWatching(false);
}

void TKeshShTreeView::ResumeWatching(bool linked) {
    watching_.Resume();
    if (linked && LinkedList()) LinkedList()->ResumeWatching(false);
}

void TKeshShTreeView::FolderChanged(const std::string& /*folder*/) {
    if (MouseDownState == 0) RefreshNodes();
    expandedFolders_.erase(std::remove_if(expandedFolders_.begin(), expandedFolders_.end(),
                                          [](const TShIDList& id) {
                                              const std::string path = TKeshShID::ToPath(id.get());
                                              return !path.empty() && !DirectoryExists(path);
                                          }),
                           expandedFolders_.end());
}

// ---- properties

void TKeshShTreeView::SetIncludeFiles(bool value) {
    if (value == children_.includeFiles) return;
    children_.includeFiles = value;
    watching_.SetFilter(WatchFilter());
    RefreshNodes();
}

void TKeshShTreeView::SetIncludeHidden(bool value) {
    if (value == children_.includeHidden) return;
    children_.includeHidden = value;
    RefreshNodes();
}

void TKeshShTreeView::SetShVirtuaItems(TShVirtuaItems value) {
    if (value == children_.shown) return;
    children_.shown = value;
    RefreshNodes();
}

void TKeshShTreeView::SetIndent(int value) {
    if (value == indent_) return;
    indent_ = value;
    if (HandleAllocated()) TreeView_SetIndent(Handle(), value);
}

void TKeshShTreeView::SetShListView(TShFolderLink::List* list) {
    if (list == LinkedList()) return;
    TShFolderLink::Link(this, list, false);
}

void TKeshShTreeView::SetShPopupMenu(TKeshShPopupMenu* menu) { ReferTo(popupMenu_, menu); }

void TKeshShTreeView::Notification(TComponent& component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    LinkRemoved(component);
    if (&component == popupMenu_) popupMenu_ = nullptr;
}

// ---- window

void TKeshShTreeView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = WC_TREEVIEWA;
    params.style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_EDITLABELS;
    if (autoExpand_) params.style |= TVS_SINGLEEXPAND;
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TKeshShTreeView::CreateWnd() {
    HWND window = Handle();
    TreeView_SetUnicodeFormat(window, FALSE);
    TreeView_SetImageList(window, TKeshShID::SystemImageList(true), TVSIL_NORMAL);
    TreeView_SetIndent(window, indent_);
    if (!hooked_ && TApplication::Exists()) {
        hooked_ = ::SetWindowSubclass(TApplication::Instance().Handle(), ApplicationHook,
                                      reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    }
    RegisterDropTarget(window);
    Fill();
}

// ---- nodes

TKeshShTreeNode* TKeshShTreeView::NodeOf(HTREEITEM item) {
    if (!item || !HandleAllocated()) return nullptr;
    TVITEMA tv{};
    tv.mask = TVIF_PARAM | TVIF_HANDLE;
    tv.hItem = item;
    if (!TreeView_GetItem(Handle(), &tv)) return nullptr;
    return reinterpret_cast<TKeshShTreeNode*>(tv.lParam);
}

TKeshShTreeNode* TKeshShTreeView::Selected() {
    return HandleAllocated() ? NodeOf(TreeView_GetSelection(Handle())) : nullptr;
}

TKeshShTreeNode* TKeshShTreeView::RootNode() {
    return HandleAllocated() ? NodeOf(TreeView_GetRoot(Handle())) : nullptr;
}

TKeshShTreeNode* TKeshShTreeView::ParentOf(TKeshShTreeNode* node) {
    return node ? NodeOf(TreeView_GetParent(Handle(), node->Item())) : nullptr;
}

std::vector<TKeshShTreeNode*> TKeshShTreeView::Children(TKeshShTreeNode* node) {
    std::vector<TKeshShTreeNode*> children;
    if (!node) return children;
    HWND window = Handle();
    for (HTREEITEM item = TreeView_GetChild(window, node->Item()); item; item = TreeView_GetNextSibling(window, item))
        children.push_back(NodeOf(item));
    return children;
}

bool TKeshShTreeView::Expanded(TKeshShTreeNode* node) {
    return node && (TreeView_GetItemState(Handle(), node->Item(), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TKeshShTreeView::Expand(TKeshShTreeNode* node) {
    if (node) TreeView_Expand(Handle(), node->Item(), TVE_EXPAND);
}

void TKeshShTreeView::Select(TKeshShTreeNode* node) {
    if (!node) return;
    TreeView_SelectItem(Handle(), node->Item());
    TreeView_EnsureVisible(Handle(), node->Item());
}

HTREEITEM TKeshShTreeView::InsertNode(HTREEITEM parent, HTREEITEM after, std::unique_ptr<TKeshShFolderData> data) {
    auto* node = new TKeshShTreeNode(*this, std::move(data));
    nodes_.insert(node);
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
    insert.item.pszText = LPSTR_TEXTCALLBACKA;
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.cChildren = I_CHILDRENCALLBACK;
    insert.item.lParam = reinterpret_cast<LPARAM>(node);
    HTREEITEM item = TreeView_InsertItem(Handle(), &insert);
    if (!item) {
        nodes_.erase(node);
        delete node;
        return nullptr;
    }
    node->SetItem(item);
    return item;
}

void TKeshShTreeView::DeleteNode(TKeshShTreeNode* node) {
    if (!nodes_.erase(node)) return;
    for (TKeshShTreeNode** held : {&pressedNode_, &cutNode_, &hoverNode_}) {
        if (*held == node) *held = nullptr;
    }
    if (delay_ && delay_->PendingNode() == node) delay_->Schedule(nullptr, delay_->DelayTime(), false);
    delete node;
}

// ---- reading and merging children

void TKeshShTreeView::MergeChildren(TKeshShTreeNode& node) {
    ChildNodes nodes(*this, node);
    children_.Merge(*node.ShData(), Handle(), nodes);
    node.SetChildrenRead(true);
    TVITEMA tv{};
    tv.mask = TVIF_CHILDREN | TVIF_HANDLE;
    tv.hItem = node.Item();
    tv.cChildren = TreeView_GetChild(Handle(), node.Item()) ? 1 : 0;
    TreeView_SetItem(Handle(), &tv);
}

bool TKeshShTreeView::DriveReady(TKeshShTreeNode& node) {
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

void TKeshShTreeView::ItemExpanding(TKeshShTreeNode& node) {
    if (node.ChildrenRead() || !DriveReady(node)) return;
    MergeChildren(node);
}

void TKeshShTreeView::RefreshNodes() {
    if (!HandleAllocated() || Loading()) return;
    HWND window = Handle();
    std::vector<TKeshShTreeNode*> visible;
    for (HTREEITEM item = TreeView_GetFirstVisible(window); item; item = TreeView_GetNextVisible(window, item))
        visible.push_back(NodeOf(item));
    ::SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    for (TKeshShTreeNode* node : visible) {
        // An earlier merge may have deleted it with its parent.
        if (!Alive(node)) continue;
        if (Expanded(node) || TreeView_GetChild(window, node->Item())) {
            MergeChildren(*node);
        } else {
            // Its has-children mark and overlay are asked again when it is next drawn.
            node->SetChildrenRead(false);
            node->ForgetLook();
            node->ShData()->ForgetName();
            TVITEMA tv{};
            tv.mask = TVIF_CHILDREN | TVIF_HANDLE;
            tv.hItem = node->Item();
            tv.cChildren = I_CHILDRENCALLBACK;
            TreeView_SetItem(window, &tv);
        }
    }
    ::SendMessageA(window, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(window, nullptr, TRUE);
}

// ---- filling and finding

void TKeshShTreeView::Fill() {
    if (!HandleAllocated()) return;
    TShIDList rootID = root_.RootID();
    HWND window = Handle();
    ::SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(window);
    if (rootID) {
        auto data = std::make_unique<TKeshShFolderData>(std::move(rootID));
        HTREEITEM rootItem = InsertNode(TVI_ROOT, TVI_LAST, std::move(data));
        if (TKeshShTreeNode* root = NodeOf(rootItem)) {
            Expand(root);
            if (root->ShData()->Level() == 0) {
                for (TKeshShTreeNode* child : Children(root)) {
                    if (child->ShData()->ItemKind() == itMyComputer) Expand(child);
                }
            }
            Select(root);
            std::vector<TShIDList> remembered;
            for (const TShIDList& id : expandedFolders_) remembered.push_back(TKeshShID::Copy(id.get()));
            for (const TShIDList& id : remembered) {
                if (TKeshShTreeNode* node = FindNode(id.get())) Expand(node);
            }
        }
    }
    ::SendMessageA(window, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(window, nullptr, TRUE);
}

std::string TKeshShTreeView::SelectedPath() {
    TKeshShTreeNode* node = Selected();
    return node && node->ShData() ? node->ShData()->Path() : std::string();
}

void TKeshShTreeView::SelectPath(const std::string& path) {
    TShIDList id = TKeshShID::FromPath(path);
    if (id) SelectID(id.get());
}

void TKeshShTreeView::SelectID(LPCITEMIDLIST absolute) {
    TKeshShTreeNode* root = RootNode();
    if (!root || !absolute || !UnderRoot(absolute)) return;
    if (TKeshShTreeNode* selected = Selected();
        selected && TKeshShID::Equal(selected->ShData()->AbsoluteID(), absolute))
        return;
    TKeshShTreeNode* node = FindNode(absolute);
    Select(node ? node : root);
}

bool TKeshShTreeView::UnderRoot(LPCITEMIDLIST absolute) {
    TKeshShTreeNode* root = RootNode();
    if (!root) return false;
    LPCITEMIDLIST rootID = root->ShData()->AbsoluteID();
    return TKeshShID::Count(rootID) == 0 || TKeshShID::Equal(rootID, absolute) ||
           TKeshShID::IsAncestor(rootID, absolute);
}

TKeshShTreeNode* TKeshShTreeView::FindNode(LPCITEMIDLIST absolute) {
    TKeshShTreeNode* root = RootNode();
    if (!root || !absolute || !UnderRoot(absolute)) return nullptr;
    const int rootLevel = root->ShData()->Level();
    LPCITEMIDLIST id = absolute;
    for (int i = 0; i < rootLevel && id; ++i) id = TKeshShID::Next(id);
    if (TKeshShID::Count(absolute) == rootLevel) id = nullptr;
    TKeshShTreeNode* node = root;
    for (; id; id = TKeshShID::Next(id)) {
        TShIDList one = TKeshShID::CopyOne(id);
        if (!node->ChildrenRead()) ItemExpanding(*node);
        IShellFolder* folder = node->ShData()->Folder();
        bool reread = false;
        TKeshShTreeNode* match = nullptr;
        std::vector<TKeshShTreeNode*> children = Children(node);
        size_t at = 0;
        for (;;) {
            if (at == children.size()) {
                if (reread) break;
                reread = true;
                MergeChildren(*node);
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
                MergeChildren(*node);
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

// ---- selection

void TKeshShTreeView::SelectionChanged(TKeshShTreeNode* node) {
    if (!node || !node->ShData()) return;
    if (arrowKeyNavigation_ && delay_) {
        delay_->Schedule(node, 500, false);
        return;
    }
    Change(*node);
}

void TKeshShTreeView::Change(TKeshShTreeNode& node) {
    Raise(OnChange, *this);
    TKeshShFolderData& data = *node.ShData();
    if (LinkedList() && data.HasAttributes(SFGAO_FOLDER)) LinkedList()->OpenFolder(data.AbsoluteID());
    backList_.push_back(TKeshShID::Copy(data.AbsoluteID()));
    while (static_cast<int>(backList_.size()) > kBackListLimit) backList_.pop_front();
    forwardList_.clear();
}

void TKeshShTreeView::RememberExpanded(TKeshShTreeNode& node, bool expanded) {
    LPCITEMIDLIST id = node.ShData()->AbsoluteID();
    auto found = std::find_if(expandedFolders_.begin(), expandedFolders_.end(),
                              [&](const TShIDList& known) { return TKeshShID::Equal(known.get(), id); });
    if (expanded && found == expandedFolders_.end()) expandedFolders_.push_back(TKeshShID::Copy(id));
    if (!expanded && found != expandedFolders_.end()) expandedFolders_.erase(found);
}

// ---- messages

void TKeshShTreeView::GetDisplayInfo(NMTVDISPINFOA& info) {
    auto* node = reinterpret_cast<TKeshShTreeNode*>(info.item.lParam);
    if (!node || !Alive(node)) return;
    TKeshShFolderData& data = *node->ShData();
    if (info.item.mask & TVIF_TEXT) {
        const std::string name = data.DisplayName();
        lstrcpynA(info.item.pszText, name.c_str(), info.item.cchTextMax);
    }
    if (info.item.mask & TVIF_IMAGE) info.item.iImage = data.IconIndex();
    if (info.item.mask & TVIF_SELECTEDIMAGE) info.item.iSelectedImage = data.OpenIconIndex();
    if (info.item.mask & TVIF_CHILDREN) {
        if (node->HasChildrenMark() < 0) node->SetHasChildrenMark(data.HasAttributes(SFGAO_HASSUBFOLDER) ? 1 : 0);
        info.item.cChildren = node->HasChildrenMark();
    }
    // The overlay is a state, not something the view asks for: it is looked up for nodes
    // that are drawn, and set once the drawing is over.
    if (!node->OverlayKnown()) {
        node->SetOverlayKnown();
        if (data.Overlay() > 0) ::PostMessageA(Handle(), kSetOverlay, 0, reinterpret_cast<LPARAM>(node));
    }
}

void TKeshShTreeView::ReadVisibleItems() {
    HWND tree = Handle();
    // The count is of whole rows; one more may show in part.
    const UINT rows = TreeView_GetVisibleCount(tree) + 1;
    HTREEITEM item = TreeView_GetFirstVisible(tree);
    for (UINT row = 0; item && row < rows; ++row, item = TreeView_GetNextVisible(tree, item)) {
        char text[MAX_PATH];
        NMTVDISPINFOA info{};
        info.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
        info.item.hItem = item;
        info.item.lParam = reinterpret_cast<LPARAM>(NodeOf(item));
        info.item.pszText = text;
        info.item.cchTextMax = sizeof text;
        GetDisplayInfo(info);
    }
}

void TKeshShTreeView::DoubleClick() {
    TVHITTESTINFO hit{};
    ::GetCursorPos(&hit.pt);
    ::ScreenToClient(Handle(), &hit.pt);
    TreeView_HitTest(Handle(), &hit);
    TKeshShTreeNode* node = NodeOf(hit.hItem);
    if (!node || !(hit.flags & TVHT_ONITEMLABEL)) return;
    TKeshShFolderData& data = *node->ShData();
    if (data.HasAttributes(SFGAO_LINK)) {
        bool open = true;
        Raise(OnShLinkOpen, *this, *node, open);
        if (open) {
            TShIDList target = ResolveLink(data, Handle());
            if (target && LinkedList()) LinkedList()->OpenFolder(target.get());
        }
    } else if (!data.HasAttributes(SFGAO_FOLDER)) {
        bool execute = true;
        Raise(OnShExecute, *this, *node, execute);
        if (execute) ExecuteItem(data, Handle());
    }
}

bool TKeshShTreeView::NotifyNotification(NMHDR& header, LRESULT& result) {
    switch (header.code) {
        case TVN_GETDISPINFOA:
            GetDisplayInfo(reinterpret_cast<NMTVDISPINFOA&>(header));
            return true;
        case TVN_ITEMEXPANDINGA: {
            auto& tv = reinterpret_cast<NMTREEVIEWA&>(header);
            auto* node = reinterpret_cast<TKeshShTreeNode*>(tv.itemNew.lParam);
            if (node && Alive(node) && (tv.action & TVE_EXPAND)) ItemExpanding(*node);
            result = FALSE;
            return true;
        }
        case TVN_ITEMEXPANDEDA: {
            auto& tv = reinterpret_cast<NMTREEVIEWA&>(header);
            auto* node = reinterpret_cast<TKeshShTreeNode*>(tv.itemNew.lParam);
            if (node && Alive(node)) RememberExpanded(*node, (tv.action & TVE_EXPAND) != 0);
            return true;
        }
        case TVN_SELCHANGEDA: {
            auto& tv = reinterpret_cast<NMTREEVIEWA&>(header);
            auto* node = reinterpret_cast<TKeshShTreeNode*>(tv.itemNew.lParam);
            SelectionChanged(node && Alive(node) ? node : nullptr);
            return true;
        }
        case TVN_DELETEITEMA:
            DeleteNode(reinterpret_cast<TKeshShTreeNode*>(reinterpret_cast<NMTREEVIEWA&>(header).itemOld.lParam));
            return true;
        case NM_DBLCLK:
            DoubleClick();
            return false;
        case NM_RCLICK:
            // The tree's own context-menu request (Wine's tree sends no WM_CONTEXTMENU after
            // it); answered, the tree sends none either.
            if (MouseDownState != msRightPress) return false;
            ::SendMessageA(Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()),
                           static_cast<LPARAM>(::GetMessagePos()));
            result = TRUE;
            return true;
        case TVN_BEGINLABELEDITA: {
            auto* node = reinterpret_cast<TKeshShTreeNode*>(reinterpret_cast<NMTVDISPINFOA&>(header).item.lParam);
            result = BeginLabelEdit(node) ? FALSE : TRUE;
            return true;
        }
        case TVN_ENDLABELEDITA: {
            auto& info = reinterpret_cast<NMTVDISPINFOA&>(header);
            EndLabelEdit(reinterpret_cast<TKeshShTreeNode*>(info.item.lParam), info.item.pszText);
            result = FALSE;
            return true;
        }
        case TVN_BEGINDRAGA: {
            // The control's own drag detection: the drag starts now or at a later move.
            mouse_.DragNoticed(Handle());
            return true;
        }
        default:
            return false;
    }
}

LRESULT TKeshShTreeView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (mouse_.Message(
            Handle(), message, wParam, lParam, [&] { return TWinControl::WndProc(message, wParam, lParam); }, result))
        return result;
    switch (message) {
        case WM_DESTROY:
            RevokeDropTarget(Handle());
            break;
        case WM_KEYDOWN:
            if (wParam == VK_F2) {
                // Renaming from the keyboard: the edit's beginning applies the rules, as for
                // the shell menu's command.
                if (TKeshShTreeNode* node = Selected()) TreeView_EditLabel(Handle(), node->Item());
                return 0;
            }
            if (wParam >= VK_LEFT && wParam <= VK_DOWN && changeDelay_) arrowKeyNavigation_ = true;
            break;
        case WM_KEYUP:
            arrowKeyNavigation_ = false;
            break;
        case kSetOverlay: {
            auto* node = reinterpret_cast<TKeshShTreeNode*>(lParam);
            if (Alive(node)) {
                TVITEMA tv{};
                tv.mask = TVIF_STATE | TVIF_HANDLE;
                tv.hItem = node->Item();
                tv.stateMask = TVIS_OVERLAYMASK;
                tv.state = INDEXTOOVERLAYMASK(node->ShData()->Overlay());
                TreeView_SetItem(Handle(), &tv);
            }
            return 0;
        }
        default:
            break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

// ---- removable volumes

LRESULT CALLBACK TKeshShTreeView::ApplicationHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                  DWORD_PTR self) {
    if (message == WM_DEVICECHANGE) {
        // The notice is answered whatever happens here (it is broadcast, and its sender
        // waits); an error is shown once this thread handles its messages again.
        try {
            reinterpret_cast<TKeshShTreeView*>(self)->DeviceChange(wParam, lParam);
        } catch (...) {
            ReportError(std::current_exception());
        }
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

void TKeshShTreeView::DeviceChange(WPARAM event, LPARAM data) {
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) return;
    auto* header = reinterpret_cast<DEV_BROADCAST_HDR*>(data);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_VOLUME) return;
    auto* volume = reinterpret_cast<DEV_BROADCAST_VOLUME*>(header);
    if (!(volume->dbcv_flags & DBTF_MEDIA)) return;
    for (int drive = 0; drive < 26; ++drive) {
        if (!(volume->dbcv_unitmask & (1u << drive))) continue;
        const std::string letter = std::string(1, static_cast<char>('A' + drive)) + ":";
        std::string text = " (" + letter + ")";
        if (event == DBT_DEVICEARRIVAL) {
            char label[MAX_PATH] = {};
            const UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS);
            ::GetVolumeInformationA((letter + "\\").c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr,
                                    0);
            ::SetErrorMode(previous);
            std::string name = label;
            ::CharLowerBuffA(name.data(), static_cast<DWORD>(name.size()));
            if (!name.empty() && !::IsDBCSLeadByte(static_cast<BYTE>(name[0])))
                name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
            text = name + text;
        }
        for (TKeshShTreeNode* node : nodes_) {
            if (node->ShData()->ItemKind() != itRootDrive) continue;
            if (ExcludeTrailingPathDelimiter(node->ShData()->Path()) != letter) continue;
            TVITEMA tv{};
            tv.mask = TVIF_TEXT | TVIF_HANDLE;
            tv.hItem = node->Item();
            tv.pszText = text.data();
            TreeView_SetItem(Handle(), &tv);
        }
    }
}
