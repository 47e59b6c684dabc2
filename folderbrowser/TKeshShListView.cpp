#include "folderbrowser/TKeshShListView.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <utility>

#include "folderbrowser/DrawingOff.h"
#include "folderbrowser/ShellOpen.h"
#include "folderbrowser/SuspendedWatching.h"
#include "folderbrowser/SystemImageLists.h"
#include "folderbrowser/TKeshShFolderData.h"
#include "folderbrowser/TKeshShPopupMenu.h"
#include "toolkit/FilePath.h"
#include "toolkit/StartupSteps.h"

namespace {

constexpr DWORD kStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
const SystemImageLists::Slot kSmallImages{LVM_GETIMAGELIST, LVM_SETIMAGELIST, LVSIL_SMALL, true};
const SystemImageLists::Slot kLargeImages{LVM_GETIMAGELIST, LVM_SETIMAGELIST, LVSIL_NORMAL, false};
}  // namespace

TKeshShListView::TKeshShListView(TComponent* owner)
    : TWinControl(owner),
      TShFolderLink::List(static_cast<TComponent&>(*this)),
      contents_(WatchFilter(), [this](TShNotifyThread&, const std::string& folder, const std::vector<std::string>&) {
          FolderChanged(folder);
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
    contents_.Watching().Stop();
    // The window (and with it every request for a row) goes before the rows do.
    if (HandleAllocated()) ListView_SetItemCountEx(Handle(), 0, 0);
    contents_.Clear();
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
    contents_.Watching().SetFilter(WatchFilter());
    if (LinkedTree()) LinkedTree()->SetIncludeHidden(ShowsHidden());
    if (Shown()) Reread();
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
    const TViewStyle old = std::exchange(viewStyle_, style);
    if (HandleAllocated()) TShListRows::ChangeStyle(Handle(), Shown(), kStyles[old], kStyles[style]);
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
    StartupSteps::Reached("list window made");
    HWND window = Handle();
    ListView_SetUnicodeFormat(window, FALSE);
    // Left for later at start-up, the system's lists are given before the rows in view are
    // read before drawing, or drawn; blank ones of their sizes lay the rows out meanwhile.
    SystemImageLists::AttachTo(window, {kSmallImages, kLargeImages});
    ListView_SetCallbackMask(window, LVIS_OVERLAYMASK | LVIS_CUT);
    clipboard_.Join(window);
    RegisterDropTarget(window);
    if (Shown()) {
        TShListColumns::Build(window, *Shown());
        Display();
    } else if (desktopAtStart_) {
        OpenDesktop();
    }
}

void TKeshShListView::OpenDesktop() {
    TShIDList desktop = TKeshShID::Allocate(2);
    OpenFolder(desktop.get());
}

void TKeshShListView::OpenDesktopIfNoneShown() {
    if (!Shown()) OpenDesktop();
}

void TKeshShListView::AttachImagesLeftForLater() {
    if (HandleAllocated()) SystemImageLists::AttachLeftForLater(Handle(), {kSmallImages, kLargeImages});
}

void TKeshShListView::WindowGoes() {
    RevokeDropTarget(Handle());
    clipboard_.Leave(Handle());
}

// ---- opening folders

bool TKeshShListView::TakeReading(LPCITEMIDLIST folderID, SHCONTF flags, std::vector<TShIDList>& relatives,
                                  ComPtr<IShellFolder>& folder) {
    return handOver_.Take(Shown(), reader_.contents, static_cast<bool>(OnShFilter), folderID, flags, relatives, folder);
}

std::string TKeshShListView::FolderPath() { return Shown() ? Shown()->Path() : std::string(); }

LPCITEMIDLIST TKeshShListView::ShownFolderID() const { return Shown() ? Shown()->FolderID() : nullptr; }

bool TKeshShListView::OpenFolder(LPCITEMIDLIST folderID) {
    if (!HandleAllocated() || !folderID) return false;
    if (Shown() && TKeshShID::Equal(Shown()->FolderID(), folderID)) return true;
    handOver_.End();
    DrawingOff drawingOff(Handle());
    if (Shown()) columns_.Save(Handle(), *Shown());
    CaptureSelection();
    TKeshShFileList* list = contents_.Kept(folderID);
    if (list) {
        Raise(OnShListChange, *this, *list);
    } else {
        std::unique_ptr<TKeshShFileList> fresh = reader_.Read(folderID, this, Handle(), offeredReading_);
        if (!fresh) {
            if (Shown()) FollowLinked(Shown()->FolderID());
            return false;
        }
        columns_.Restore(*fresh);
        TShContentsReader::Sort(*fresh);
        StartupSteps::Reached("list read");
        list = contents_.Keep(std::move(fresh));
        Raise(OnShListChange, *this, *list);
        handOver_.Begin(Handle());
    }
    contents_.Show(list);
    ListView_SetItemCountEx(Handle(), 0, 0);
    TShListColumns::Build(Handle(), *Shown());
    Display();
    columns_.Apply(Handle(), *Shown());
    contents_.WatchShown();
    StartupSteps::Reached("list shown");
    FollowLinked(list->FolderID());
    return true;
}

void TKeshShListView::FollowLinked(LPCITEMIDLIST folderID) {
    if (LinkedTree()) LinkedTree()->SelectID(folderID);
}

void TKeshShListView::Display() {
    if (HandleAllocated()) TShListRows::Show(Handle(), Shown(), kStyles[viewStyle_]);
}

void TKeshShListView::CaptureSelection() {
    if (Shown() && HandleAllocated()) TShListRows::Capture(Handle(), *Shown());
}

std::vector<int> TKeshShListView::SelectedIndexes() {
    return HandleAllocated() ? TShListRows::Selected(Handle()) : std::vector<int>();
}

int TKeshShListView::FocusedIndex() { return HandleAllocated() ? TShListRows::Focused(Handle()) : -1; }

void TKeshShListView::SelectRow(int index, bool focus) { TShListRows::Select(Handle(), index, focus); }

int TKeshShListView::RowAt(POINT client, bool retryHigher) {
    return Shown() && HandleAllocated() ? TShListRows::At(Handle(), *Shown(), client, retryHigher) : -1;
}

// ---- columns

void TKeshShListView::ColumnClick(int column) {
    if (Shown() && column >= 0) TShListRows::SortBy(Handle(), *Shown(), column);
}

// ---- rows

void TKeshShListView::ReadVisibleItems() {
    AttachImagesLeftForLater();
    if (Shown()) TShListRows::ReadVisible(Handle(), *Shown(), viewStyle_ == vsReport);
}

void TKeshShListView::AskIconsAhead(TShIconsAhead& ahead) {
    if (Shown()) TShListRows::AskIconsAhead(Handle(), *Shown(), ahead);
}

void TKeshShListView::Activate(int index) {
    if (!Shown() || index < 0 || index >= Shown()->Count()) return;
    TKeshShFileData& row = *Shown()->Row(index);
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
            TShListRows::DisplayInfo(reinterpret_cast<NMLVDISPINFOA&>(header), Shown());
            return true;
        case LVN_COLUMNCLICK:
            ColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
            return true;
        case LVN_ITEMACTIVATE:
            Activate(reinterpret_cast<NMITEMACTIVATE&>(header).iItem);
            return true;
        case LVN_ITEMCHANGED:
            if (Shown()) Raise(OnShSelectionChange, *this, *Shown());
            return true;
        case LVN_BEGINLABELEDITA:
        case LVN_ENDLABELEDITA:
            result =
                shell_.LabelEdit(header.code, reinterpret_cast<NMLVDISPINFOA&>(header).item, Shown(), FocusedIndex());
            return true;
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
    if (handOver_.Message(message)) return 0;
    const auto handle = [&] { return TWinControl::WndProc(message, wParam, lParam); };
    if (shell_.RenameMessage(message, lParam, handle, result)) return result;
    if (mouse_.Message(Handle(), message, wParam, lParam, handle, result)) return result;
    if (clipboard_.Message(message, wParam, lParam, [this](bool contented) { Raise(OnShClipboard, *this, contented); }))
        return 0;
    switch (message) {
        case WM_DESTROY:
            WindowGoes();
            return TWinControl::WndProc(message, wParam, lParam);
        case WM_PAINT:
            AttachImagesLeftForLater();
            return TWinControl::WndProc(message, wParam, lParam);
        case WM_KEYDOWN:
            if (wParam != VK_F2) return TWinControl::WndProc(message, wParam, lParam);
            shell_.EditFocusedLabel(false);
            return 0;
        default:
            return TWinControl::WndProc(message, wParam, lParam);
    }
}

// ---- new folders and changes

bool TKeshShListView::CreateFolder(const std::string& name) {
    if (!Shown()) return false;
    TKeshShFolderData folder(TKeshShID::Copy(Shown()->FolderID()));
    if (!folder.HasAttributes(SFGAO_FILESYSTEM) || FolderPath().empty()) return false;
    const std::string path = IncludeTrailingPathDelimiter(FolderPath()) + name;
    if (DirectoryExists(path)) return false;
    SuspendedWatching<TKeshShListView> suspended(*this);
    if (!::CreateDirectoryA(path.c_str(), nullptr)) return false;
    TShIDList created = TKeshShID::FromPath(path);
    if (!created) return true;
    Reread();
    TShListRows::SelectOnly(Handle(), *Shown(), TKeshShID::LastCopy(created.get()).get());
    return true;
}

void TKeshShListView::Reread() {
    if (!Shown() || !HandleAllocated()) return;
    std::unique_ptr<TKeshShFileList> fresh = reader_.Read(Shown()->FolderID(), this, Handle());
    if (!fresh) return;
    CaptureSelection();
    TShContentsReader::TakeOver(*Shown(), *fresh);
    DrawingOff drawingOff(Handle());
    ListView_SetItemCountEx(Handle(), 0, 0);
    contents_.Replace(std::move(fresh));
    Raise(OnShListChange, *this, *Shown());
    TShListColumns::Build(Handle(), *Shown());
    Display();
}

void TKeshShListView::RemoveSelectedRows() {
    if (!Shown() || !HandleAllocated()) return;
    DrawingOff drawingOff(Handle());
    CaptureSelection();
    ListView_SetItemCountEx(Handle(), 0, 0);
    Shown()->RemoveSelected();
    Display();
}

void TKeshShListView::ContentsChanged(LPCITEMIDLIST folderID) {
    handOver_.End();
    if (!Shown()) return;
    contents_.KeepOnlyShown();
    if (TKeshShID::SameItem(Shown()->FolderID(), folderID)) Reread();
}

void TKeshShListView::FolderChanged(const std::string& folder) {
    if (MouseDownState != 0 || !HandleAllocated() || !Shown()) return;
    TShIDList ancestor;
    switch (contents_.Changed(folder, ancestor)) {
        case TShListContents::chReread:
            ::SHChangeNotify(0, SHCNF_FLUSH, nullptr, nullptr);
            Reread();
            return;
        case TShListContents::chOpenAncestor: {
            const TKeshShFileList* gone = Shown();
            if (OpenFolder(ancestor.get()) && Shown() != gone) contents_.KeepOnlyShown();
            return;
        }
        default:
            return;
    }
}

void TKeshShListView::SuspendWatching(bool linked) {
    contents_.Watching().Suspend();
    if (linked && LinkedTree()) LinkedTree()->SuspendWatching(false);
}

void TKeshShListView::ResumeWatching(bool linked) {
    contents_.Watching().Resume();
    if (linked && LinkedTree()) LinkedTree()->ResumeWatching(false);
}

// ---- the shell

void TKeshShListView::ContextMenu(POINT screen) {
    shell_.ContextMenu(popupMenu_, Shown(), screen, {[this] { Reread(); }, [this] { RemoveSelectedRows(); }});
}

void TKeshShListView::StartDrag(POINT client) {
    shell_.StartDrag(Shown(), pressedRow_, client, [&](TKeshShFileData& row, POINT screen) {
        bool canDrag = true;
        Raise(OnShBeginDrag, *this, row, screen, static_cast<int>(client.x), static_cast<int>(client.y), canDrag);
        return canDrag;
    });
}

TShItemDropTarget TKeshShListView::DropTargetAt(TKeshShDragObject& drag, POINT client) {
    return shell_.DropTargetAt(drag, Shown(), client, viewStyle_ == vsIcon);
}
