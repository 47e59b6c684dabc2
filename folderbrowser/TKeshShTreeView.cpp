#include "folderbrowser/TKeshShTreeView.h"

#include <shellapi.h>

#include <utility>

#include "folderbrowser/DrawingOff.h"
#include "folderbrowser/ShellOpen.h"
#include "folderbrowser/SystemImageLists.h"
#include "folderbrowser/TKeshShPopupMenu.h"
#include "toolkit/FilePath.h"
#include "toolkit/StartupSteps.h"

namespace {
const SystemImageLists::Slot kImages{TVM_GETIMAGELIST, TVM_SETIMAGELIST, TVSIL_NORMAL, true};
}  // namespace

TKeshShTreeView::TKeshShTreeView(TComponent* owner)
    : TWinControl(owner),
      TShFolderLink::Tree(static_cast<TComponent&>(*this)),
      watching_(
          WatchFilter(), true,
          [this](TShNotifyThread&, const std::string& folder, const std::vector<std::string>&) {
              FolderChanged(folder);
          },
          TShDriveNotices::WatchRoots) {
    SetTabStop(true);
    SetColor(clWindow);
    // Expanding the node just selected, the folder the linked list has just read for it.
    children_.known = [this](TKeshShFolderData& parent, SHCONTF flags, std::vector<TShIDList>& relatives,
                             ComPtr<IShellFolder>& folder) {
        return LinkedList() && LinkedList()->TakeReading(parent.AbsoluteID(), flags, relatives, folder);
    };
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
                                        if (pending && nodes_.Alive(pending) && pending == Selected()) Change(*pending);
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
    expandedFolders_.ForgetVanished();
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
    TreeView_SetIndent(window, indent_);
    drives_.Hook();
    RegisterDropTarget(window);
    StartupSteps::Reached("tree window made");
    Fill();
    StartupSteps::Reached("tree filled");
    // Items ask for their icons only when drawn: the system's lists, which may still be
    // loading on another thread at start, are needed no sooner than this; left for later,
    // no sooner than the nodes in view are read before drawing, or drawn.
    SystemImageLists::AttachTo(window, {kImages});
}

void TKeshShTreeView::AttachImagesLeftForLater() {
    if (HandleAllocated()) SystemImageLists::AttachLeftForLater(Handle(), {kImages});
}

void TKeshShTreeView::ReadVisibleItems() {
    AttachImagesLeftForLater();
    nodes_.ReadVisible();
}

// ---- nodes

void TKeshShTreeView::DeleteNode(TKeshShTreeNode* node) {
    const std::unique_ptr<TKeshShTreeNode> gone = nodes_.Release(node);
    if (!gone) return;
    if (pressedNode_ == node) pressedNode_ = nullptr;
    shell_.Forget(node);
    hover_.Forget(node);
    if (delay_ && delay_->PendingNode() == node) delay_->Schedule(nullptr, delay_->DelayTime(), false);
}

// ---- reading and merging children

void TKeshShTreeView::RefreshNodes() {
    if (!HandleAllocated() || Loading()) return;
    nodes_.RefreshVisible();
}

// ---- filling and finding

void TKeshShTreeView::Fill() {
    if (!HandleAllocated()) return;
    // A change in what is read next is seen only once the drives are watched.
    watching_.WaitForFirstFolders();
    TShIDList rootID = root_.RootID();
    HWND window = Handle();
    DrawingOff drawingOff(window);
    TreeView_DeleteAllItems(window);
    if (rootID) {
        auto data = std::make_unique<TKeshShFolderData>(std::move(rootID));
        if (TKeshShTreeNode* root = nodes_.Insert(TVI_ROOT, TVI_LAST, std::move(data))) {
            Expand(root);
            if (root->ShData()->Level() == 0) {
                for (TKeshShTreeNode* child : Children(root)) {
                    if (child->ShData()->ItemKind() == itMyComputer) Expand(child);
                }
            }
            Select(root);
            for (const TShIDList& id : expandedFolders_.Copy()) {
                if (TKeshShTreeNode* node = FindNode(id.get())) Expand(node);
            }
        }
    }
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
    if (!root || !absolute || !nodes_.UnderRoot(absolute)) return;
    if (TKeshShTreeNode* selected = Selected();
        selected && TKeshShID::Equal(selected->ShData()->AbsoluteID(), absolute))
        return;
    TKeshShTreeNode* node = FindNode(absolute);
    Select(node ? node : root);
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
    history_.Record(data.AbsoluteID());
}

// ---- messages

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
            nodes_.DisplayInfo(reinterpret_cast<NMTVDISPINFOA&>(header));
            return true;
        case TVN_ITEMEXPANDINGA: {
            auto& tv = reinterpret_cast<NMTREEVIEWA&>(header);
            auto* node = reinterpret_cast<TKeshShTreeNode*>(tv.itemNew.lParam);
            if (node && nodes_.Alive(node) && (tv.action & TVE_EXPAND)) nodes_.ReadChildren(*node);
            result = FALSE;
            return true;
        }
        case TVN_ITEMEXPANDEDA: {
            auto& tv = reinterpret_cast<NMTREEVIEWA&>(header);
            auto* node = reinterpret_cast<TKeshShTreeNode*>(tv.itemNew.lParam);
            if (node && nodes_.Alive(node))
                expandedFolders_.Remember(node->ShData()->AbsoluteID(), (tv.action & TVE_EXPAND) != 0);
            return true;
        }
        case TVN_SELCHANGEDA: {
            auto& tv = reinterpret_cast<NMTREEVIEWA&>(header);
            auto* node = reinterpret_cast<TKeshShTreeNode*>(tv.itemNew.lParam);
            SelectionChanged(node && nodes_.Alive(node) ? node : nullptr);
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
            result = shell_.CanRename(node, MouseDownState != msNone || DragObject()) ? FALSE : TRUE;
            return true;
        }
        case TVN_ENDLABELEDITA: {
            auto& info = reinterpret_cast<NMTVDISPINFOA&>(header);
            shell_.Rename(reinterpret_cast<TKeshShTreeNode*>(info.item.lParam), info.item.pszText);
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
    const auto handle = [&] { return TWinControl::WndProc(message, wParam, lParam); };
    if (shell_.RenameMessage(message, lParam, handle, result)) return result;
    if (mouse_.Message(Handle(), message, wParam, lParam, handle, result)) return result;
    switch (message) {
        case WM_DESTROY:
            RevokeDropTarget(Handle());
            break;
        case WM_PAINT:
            AttachImagesLeftForLater();
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
        case TShTreeNodes::kShowOverlay:
            nodes_.ShowOverlay(reinterpret_cast<TKeshShTreeNode*>(lParam));
            return 0;
        default:
            break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

// ---- removable volumes

void TKeshShTreeView::DeviceChange(WPARAM event, LPARAM data) {
    for (auto [drive, text] : TShDriveNotices::Texts(event, data)) {
        for (TKeshShTreeNode* node : nodes_.All()) {
            if (node->ShData()->ItemKind() != itRootDrive) continue;
            if (ExcludeTrailingPathDelimiter(node->ShData()->Path()) != drive) continue;
            nodes_.SetText(*node, text.data());
        }
    }
}

// ---- the shell

void TKeshShTreeView::ItemRenamed(LPCITEMIDLIST oldAbsolute, LPCITEMIDLIST newRelative) {
    shell_.Renamed(oldAbsolute, newRelative);
}

void TKeshShTreeView::ContextMenu(POINT screen) { shell_.ContextMenu(popupMenu_, pressedNode_, screen); }

void TKeshShTreeView::StartDrag(POINT client) {
    TKeshShTreeNode* node = pressedNode_;
    shell_.StartDrag(node, client, [&](POINT screen) {
        bool canDrag = true;
        Raise(OnShBeginDrag, *this, *node, screen, static_cast<int>(client.x), static_cast<int>(client.y), canDrag);
        return canDrag;
    });
}

TShItemDropTarget TKeshShTreeView::DropTargetAt(TKeshShDragObject& drag, POINT client) {
    return shell_.DropTargetAt(drag, client);
}

void TKeshShTreeView::DragHover(POINT client) { hover_.Over(client); }

void TKeshShTreeView::DragFinished() { hover_.Finished(); }
