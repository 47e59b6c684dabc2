#include "folderbrowser/TKeshShListView.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

#include "folderbrowser/EShNotifyError.h"
#include "folderbrowser/HourGlass.h"
#include "folderbrowser/ShellOpen.h"
#include "folderbrowser/SuspendedWatching.h"
#include "folderbrowser/TKeshShFolderData.h"
#include "folderbrowser/TKeshShPopupMenu.h"
#include "toolkit/FilePath.h"

namespace {

constexpr DWORD kStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};

bool SameFolder(const std::string& a, const std::string& b) {
    return !a.empty() &&
           ::lstrcmpiA(IncludeTrailingPathDelimiter(a).c_str(), IncludeTrailingPathDelimiter(b).c_str()) == 0;
}

// Redrawing is switched off while the rows change, and on again however the change ends.
class ItemsUpdate {
public:
    explicit ItemsUpdate(HWND window) : window_(window) { ::SendMessageA(window_, WM_SETREDRAW, FALSE, 0); }
    ~ItemsUpdate() {
        ::SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(window_, nullptr, TRUE);
    }
    ItemsUpdate(const ItemsUpdate&) = delete;
    ItemsUpdate& operator=(const ItemsUpdate&) = delete;

private:
    HWND window_;
};

// An icon view gives every row its place when the rows or the style change. With drawing
// on, the system invalidates each row on the way, which for 10,000 rows takes far longer
// than showing them; called while drawing is off, the places are known when it comes back.
void PlaceIcons(HWND window, TViewStyle style) {
    if (style == vsIcon || style == vsSmallIcon) ListView_Arrange(window, LVA_DEFAULT);
}
}  // namespace

TKeshShListView::TKeshShListView(TComponent* owner)
    : TWinControl(owner),
      TShFolderLink::List(static_cast<TComponent&>(*this)),
      watching_(
          WatchFilter(), false,
          [this](TShNotifyThread&, const std::string& folder, const std::vector<std::string>&) {
              FolderChanged(folder);
          },
          [this](TShNotifyThread& watcher, const std::vector<std::string>& saved) {
              RestoreWatching(watcher, saved);
          }) {
    SetTabStop(true);
    SetColor(clWindow);
    reader_.accept = [this](TKeshShData& row) {
        bool accept = true;
        Raise(OnShFilter, *this, row, accept);
        return accept;
    };
}

TKeshShListView::~TKeshShListView() {
    // The window may be gone already (with its form): then it has left the chain and is
    // no drop target any more, and it must not be made again for that here.
    if (HandleAllocated()) WindowGoes();
    TShFolderLink::Link(nullptr, this, true);
    watching_.Stop();
    // The window (and with it every request for a row) goes before the rows do.
    if (HandleAllocated()) ListView_SetItemCountEx(Handle(), 0, 0);
    shown_ = nullptr;
    cache_.Clear();
}

// ---- properties

BYTE TKeshShListView::WatchFilter() const {
    BYTE filter = 0;
    if (reader_.contents & scFiles) filter |= TShNotifyThread::kFileName;
    if (reader_.contents & scFolders) filter |= TShNotifyThread::kDirectoryName;
    return filter;
}

void TKeshShListView::SetShContents(TShContentsSet value) {
    if (value == reader_.contents) return;
    reader_.contents = value;
    watching_.SetFilter(WatchFilter());
    if (LinkedTree()) LinkedTree()->SetIncludeHidden(ShowsHidden());
    if (shown_) Reread();
}

void TKeshShListView::SetShTreeView(TShFolderLink::Tree* tree) {
    if (tree == LinkedTree()) return;
    TShFolderLink::Link(tree, this, true);
}

void TKeshShListView::SetShPopupMenu(TKeshShPopupMenu* menu) { ReferTo(popupMenu_, menu); }

void TKeshShListView::Notification(TComponent& component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    LinkRemoved(component);
    if (&component == popupMenu_) popupMenu_ = nullptr;
}

void TKeshShListView::SetViewStyle(TViewStyle style) {
    if (style == viewStyle_) return;
    const bool throughList = style == vsList || viewStyle_ == vsList;
    viewStyle_ = style;
    if (!HandleAllocated()) return;
    HWND window = Handle();
    // The list style lays its rows out in columns of its own: the rows are taken away while
    // the style changes and shown again afterwards, with their selection.
    if (throughList) {
        CaptureSelection();
        ListView_SetItemCountEx(window, 0, 0);
        Repaint();
    }
    {
        ItemsUpdate update(window);
        const LONG old = ::GetWindowLongA(window, GWL_STYLE);
        ::SetWindowLongA(window, GWL_STYLE, static_cast<LONG>((old & ~LVS_TYPEMASK) | kStyles[style]));
        PlaceIcons(window, style);
    }
    if (throughList) {
        Display();
        Repaint();
    }
}

// ---- window

void TKeshShListView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = WC_LISTVIEWA;
    params.style |= LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE | LVS_EDITLABELS |
                    kStyles[viewStyle_];
    params.exStyle |= WS_EX_CLIENTEDGE;
}

void TKeshShListView::CreateWnd() {
    HWND window = Handle();
    ListView_SetUnicodeFormat(window, FALSE);
    ListView_SetImageList(window, TKeshShID::SystemImageList(true), LVSIL_SMALL);
    ListView_SetImageList(window, TKeshShID::SystemImageList(false), LVSIL_NORMAL);
    ListView_SetCallbackMask(window, LVIS_OVERLAYMASK | LVIS_CUT);
    clipboard_.Join(window);
    RegisterDropTarget(window);
    if (shown_) {
        TShListColumns::Build(window, *shown_);
        Display();
    } else {
        TShIDList desktop = TKeshShID::Allocate(2);
        OpenFolder(desktop.get());
    }
}

void TKeshShListView::WindowGoes() {
    RevokeDropTarget(Handle());
    clipboard_.Leave(Handle());
}

// ---- opening folders

std::string TKeshShListView::FolderPath() { return shown_ ? shown_->Path() : std::string(); }

LPCITEMIDLIST TKeshShListView::ShownFolderID() const { return shown_ ? shown_->FolderID() : nullptr; }

bool TKeshShListView::OpenFolder(LPCITEMIDLIST folderID) {
    if (!HandleAllocated() || !folderID) return false;
    if (shown_ && TKeshShID::Equal(shown_->FolderID(), folderID)) return true;
    ItemsUpdate update(Handle());
    if (shown_) columns_.Save(Handle(), *shown_);
    CaptureSelection();
    TKeshShFileList* list = cache_.Use(folderID);
    if (list) {
        Raise(OnShListChange, *this, *list);
    } else {
        std::unique_ptr<TKeshShFileList> fresh = reader_.Read(folderID, this, Handle());
        if (!fresh) {
            if (shown_) FollowLinked(shown_->FolderID());
            return false;
        }
        columns_.Restore(*fresh);
        TShContentsReader::Sort(*fresh);
        list = cache_.Add(std::move(fresh));
        while (cache_.Count() > TKeshShFileLists::HistoryLimit + 1) {
            std::unique_ptr<TKeshShFileList> dropped = cache_.DropLast();
            watching_.Unwatch(dropped->Path());
        }
        Raise(OnShListChange, *this, *list);
    }
    shown_ = list;
    ListView_SetItemCountEx(Handle(), 0, 0);
    TShListColumns::Build(Handle(), *shown_);
    Display();
    columns_.Apply(Handle(), *shown_);
    watching_.Watch(list->Path());
    FollowLinked(list->FolderID());
    return true;
}

void TKeshShListView::FollowLinked(LPCITEMIDLIST folderID) {
    if (LinkedTree()) LinkedTree()->SelectID(folderID);
}

void TKeshShListView::Display() {
    if (!HandleAllocated()) return;
    HWND window = Handle();
    ItemsUpdate update(window);
    ListView_SetItemCountEx(window, shown_ ? shown_->Count() : 0, LVSICF_NOSCROLL);
    PlaceIcons(window, viewStyle_);
    RestoreSelection();
}

void TKeshShListView::CaptureSelection() {
    if (shown_ && HandleAllocated()) TShListRows::Capture(Handle(), *shown_);
}

void TKeshShListView::RestoreSelection() {
    if (shown_ && HandleAllocated()) TShListRows::Restore(Handle(), *shown_);
}

std::vector<int> TKeshShListView::SelectedIndexes() {
    return HandleAllocated() ? TShListRows::Selected(Handle()) : std::vector<int>();
}

int TKeshShListView::FocusedIndex() { return HandleAllocated() ? TShListRows::Focused(Handle()) : -1; }

void TKeshShListView::SelectRow(int index, bool focus) { TShListRows::Select(Handle(), index, focus); }

int TKeshShListView::RowAt(POINT client, bool retryHigher) {
    return shown_ && HandleAllocated() ? TShListRows::At(Handle(), *shown_, client, retryHigher) : -1;
}

// ---- columns

void TKeshShListView::ColumnClick(int column) {
    if (!shown_ || column < 0) return;
    // Columns past the remembered directions sort ascending only.
    if (column < TKeshShFileList::kDirections) shown_->SortDirections[column] = -shown_->SortDirections[column];
    HourGlass hourGlass;
    ItemsUpdate update(Handle());
    CaptureSelection();
    shown_->Sort(column);
    RestoreSelection();
}

// ---- rows

void TKeshShListView::ReadVisibleItems() {
    if (shown_) TShListRows::ReadVisible(Handle(), *shown_, viewStyle_ == vsReport);
}

void TKeshShListView::Activate(int index) {
    if (!shown_ || index < 0 || index >= shown_->Count()) return;
    TKeshShFileData& row = *shown_->Row(index);
    if (row.HasAttributes(SFGAO_FOLDER) && row.ItemKind() != itInterNet) {
        bool open = true;
        Raise(OnShListOpen, *this, row, open);
        if (open) {
            TShIDList folder = TKeshShID::Copy(row.AbsoluteID());
            OpenFolder(folder.get());
        }
        return;
    }
    if (row.HasAttributes(SFGAO_LINK)) {
        if (TShIDList target = ResolveLink(row, Handle())) {
            OpenFolder(target.get());
            return;
        }
    }
    bool execute = true;
    Raise(OnShExecute, *this, row, execute);
    if (execute) ExecuteItem(row, Handle());
}

bool TKeshShListView::NotifyNotification(NMHDR& header, LRESULT& result) {
    switch (header.code) {
        case LVN_GETDISPINFOA:
            TShListRows::DisplayInfo(reinterpret_cast<NMLVDISPINFOA&>(header), shown_);
            return true;
        case LVN_COLUMNCLICK:
            ColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
            return true;
        case LVN_ITEMACTIVATE:
            Activate(reinterpret_cast<NMITEMACTIVATE&>(header).iItem);
            return true;
        case LVN_ITEMCHANGED:
            if (shown_) Raise(OnShSelectionChange, *this, *shown_);
            return true;
        case LVN_BEGINLABELEDITA:
            result = shell_.CanRename(shown_, reinterpret_cast<NMLVDISPINFOA&>(header).item.iItem, FocusedIndex())
                         ? FALSE
                         : TRUE;
            return true;
        case LVN_ENDLABELEDITA: {
            const LVITEMA& item = reinterpret_cast<NMLVDISPINFOA&>(header).item;
            shell_.Rename(shown_, item.iItem, item.pszText);
            result = FALSE;
            return true;
        }
        case LVN_BEGINDRAG: {
            // The control's own drag detection: the drag starts now or at a later move.
            mouse_.DragNoticed(Handle());
            return true;
        }
        case LVN_ODCACHEHINT:
        case LVN_ODFINDITEMA:
            result = -1;
            return header.code == LVN_ODFINDITEMA;
        default:
            return false;
    }
}

LRESULT TKeshShListView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (mouse_.Message(
            Handle(), message, wParam, lParam, [&] { return TWinControl::WndProc(message, wParam, lParam); }, result))
        return result;
    if (clipboard_.Message(message, wParam, lParam, [this](bool contented) { Raise(OnShClipboard, *this, contented); }))
        return 0;
    switch (message) {
        case WM_DESTROY:
            WindowGoes();
            return TWinControl::WndProc(message, wParam, lParam);
        case WM_KEYDOWN:
            if (wParam == VK_F2) {
                // Renaming from the keyboard: the edit's beginning applies the rules, as for
                // the shell menu's command.
                if (const int focused = FocusedIndex(); focused >= 0) ListView_EditLabel(Handle(), focused);
                return 0;
            }
            return TWinControl::WndProc(message, wParam, lParam);
        default:
            return TWinControl::WndProc(message, wParam, lParam);
    }
}

// ---- new folders and changes

bool TKeshShListView::CreateFolder(const std::string& name) {
    if (!shown_) return false;
    TKeshShFolderData folder(TKeshShID::Copy(shown_->FolderID()));
    if (!folder.HasAttributes(SFGAO_FILESYSTEM) || FolderPath().empty()) return false;
    const std::string path = IncludeTrailingPathDelimiter(FolderPath()) + name;
    if (DirectoryExists(path)) return false;
    SuspendedWatching<TKeshShListView> suspended(*this);
    if (!::CreateDirectoryA(path.c_str(), nullptr)) return false;
    TShIDList created = TKeshShID::FromPath(path);
    if (!created) return true;
    Reread();
    TShIDList last = TKeshShID::LastCopy(created.get());
    for (int i = 0; i < shown_->Count(); ++i) {
        if (TKeshShID::CompareIn(shown_->Folder(), shown_->Row(i)->RelativeID(), last.get()) == TKeshShID::crEqual) {
            ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
            SelectRow(i, true);
            break;
        }
    }
    return true;
}

void TKeshShListView::Reread() {
    if (!shown_ || !HandleAllocated()) return;
    std::unique_ptr<TKeshShFileList> fresh = reader_.Read(shown_->FolderID(), this, Handle());
    if (!fresh) return;
    CaptureSelection();
    TShContentsReader::TakeOver(*shown_, *fresh);
    ItemsUpdate update(Handle());
    ListView_SetItemCountEx(Handle(), 0, 0);
    shown_ = cache_.Replace(shown_, std::move(fresh));
    Raise(OnShListChange, *this, *shown_);
    TShListColumns::Build(Handle(), *shown_);
    Display();
}

void TKeshShListView::RemoveSelectedRows() {
    if (!shown_ || !HandleAllocated()) return;
    ItemsUpdate update(Handle());
    CaptureSelection();
    ListView_SetItemCountEx(Handle(), 0, 0);
    shown_->RemoveSelected();
    Display();
}

void TKeshShListView::ContentsChanged(LPCITEMIDLIST folderID) {
    if (!shown_) return;
    cache_.KeepOnly(shown_);
    if (TKeshShID::SameItem(shown_->FolderID(), folderID)) Reread();
}

void TKeshShListView::FolderChanged(const std::string& folder) {
    if (MouseDownState != 0 || !HandleAllocated() || !shown_) return;
    cache_.KeepOnly(shown_);
    const std::string shownPath = shown_->Path();
    watching_.WatchOnly(shownPath);
    if (!SameFolder(folder, shownPath)) return;
    if (DirectoryExists(shownPath)) {
        ::SHChangeNotify(0, SHCNF_FLUSH, nullptr, nullptr);
        Reread();
        return;
    }
    // The shown folder is gone: its nearest ancestor that still exists is shown instead.
    TShIDList ancestor = TKeshShID::Parent(shown_->FolderID());
    while (TKeshShID::Count(ancestor.get()) > 0) {
        const std::string path = TKeshShID::ToPath(ancestor.get());
        if (!path.empty() && DirectoryExists(path)) break;
        ancestor = TKeshShID::Parent(ancestor.get());
    }
    const TKeshShFileList* gone = shown_;
    if (OpenFolder(ancestor.get()) && shown_ != gone) cache_.KeepOnly(shown_);
}

void TKeshShListView::SuspendWatching(bool linked) {
    watching_.Suspend();
    if (linked && LinkedTree()) LinkedTree()->SuspendWatching(false);
}

void TKeshShListView::ResumeWatching(bool linked) {
    watching_.Resume();
    if (linked && LinkedTree()) LinkedTree()->ResumeWatching(false);
}

void TKeshShListView::RestoreWatching(TShNotifyThread& watcher, const std::vector<std::string>& saved) {
    try {
        watcher.SetFolders(&saved);
    } catch (const EShNotifyError&) {
        // The watcher takes a 62nd folder one by one but not in a list, and folders of
        // contents the cache has let go of stay watched until a change is reported: they
        // can add up to that. The shown folder stays watched, and only its contents are
        // kept, so nothing kept can change unseen.
        cache_.KeepOnly(shown_);
        std::vector<std::string> shown;
        if (shown_ && !shown_->Path().empty()) shown.push_back(shown_->Path());
        watcher.SetFolders(&shown);
    }
}

// ---- the shell

void TKeshShListView::ContextMenu(POINT screen) {
    shell_.ContextMenu(popupMenu_, shown_, screen,
                       [this](int result, bool firstGone) { MenuCommandDone(result, firstGone); });
}

void TKeshShListView::MenuCommandDone(int result, bool firstGone) {
    switch (result) {
        case TKeshShPopupMenu::kShellCreateShortcut:
            if (FolderPath().empty()) return;
            Reread();
            if (LinkedTree()) LinkedTree()->RefreshNodes();
            return;
        case TKeshShPopupMenu::kShellDelete:
            if (!firstGone) return;
            RemoveSelectedRows();
            if (LinkedTree()) LinkedTree()->RefreshNodes();
            return;
        case TKeshShPopupMenu::kShellRename:
            if (const int focused = FocusedIndex(); focused >= 0) {
                SetFocus();
                ListView_EditLabel(Handle(), focused);
            }
            return;
        default:
            return;
    }
}

void TKeshShListView::StartDrag(POINT client) {
    shell_.StartDrag(shown_, pressedRow_, client, [&](TKeshShFileData& row, POINT screen) {
        bool canDrag = true;
        Raise(OnShBeginDrag, *this, row, screen, static_cast<int>(client.x), static_cast<int>(client.y), canDrag);
        return canDrag;
    });
}

TShItemDropTarget TKeshShListView::DropTargetAt(TKeshShDragObject& drag, POINT client) {
    return shell_.DropTargetAt(drag, shown_, client, viewStyle_ == vsIcon);
}
