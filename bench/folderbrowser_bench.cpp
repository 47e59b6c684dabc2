// The folder browser beside the bare shell work it cannot avoid, measured in the same run:
//  - a folder of 10,000 files shown in the list (report view, the rows on screen painted)
//    beside EnumObjects, the sort by CompareIDs and the names, icons and details of the
//    rows on screen;
//  - how many rows have had their names read after the first page and after scrolling;
//  - a folder of 1,000 subfolders expanded in the tree beside its bare enumeration, sort
//    and insertion of the same nodes into a plain tree view, painted the same way (names,
//    icons and has-children marks of the nodes on screen).
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"
#include "folderbrowser/ShellEnumeration.h"
#include "folderbrowser/TKeshShListView.h"
#include "folderbrowser/TKeshShTreeView.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/FilePath.h"
#include "toolkit/TApplication.h"
#include "toolkit/TForm.h"

namespace {
constexpr int kFiles = 10000;
constexpr int kFolders = 1000;
constexpr int kRuns = 5;

std::string Numbered(const char* stem, int i) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%05d", stem, i);
    return name;
}

// Relative identifiers of a folder's children, sorted by the folder's CompareIDs.
std::vector<TShIDList> EnumerateAndSort(IShellFolder* folder, SHCONTF flags) {
    std::vector<TShIDList> children;
    EnumerateChildren(folder, nullptr, flags, [&](TShIDList child) { children.push_back(std::move(child)); });
    std::stable_sort(children.begin(), children.end(), [&](const TShIDList& a, const TShIDList& b) {
        return TKeshShID::CompareIn(folder, a.get(), b.get()) == TKeshShID::crLess;
    });
    return children;
}

// The rows' texts and icons, as the list reads them for the rows on screen.
void ReadRows(IShellFolder* folder, LPCITEMIDLIST folderID, const std::vector<TShIDList>& rows, int count) {
    ComPtr<IShellFolder2> details;
    folder->QueryInterface(IID_IShellFolder2, reinterpret_cast<void**>(details.put()));
    for (int i = 0; i < count && i < static_cast<int>(rows.size()); ++i) {
        LPCITEMIDLIST row = rows[static_cast<size_t>(i)].get();
        TKeshShID::DisplayName(folder, row, SHGDN_INFOLDER | SHGDN_FORADDRESSBAR);
        TShIDList absolute = TKeshShID::Concat(folderID, row);
        TKeshShID::IconIndex(absolute.get(), true, false);
        for (UINT column = 1; details && column < 5; ++column) {
            SHELLDETAILS detail{};
            if (SUCCEEDED(details->GetDetailsOf(row, column, &detail))) TKeshShID::ReadStrRet(detail.str, row);
        }
    }
}

int RowsPerPage(TKeshShListView& list) { return ListView_GetCountPerPage(list.Handle()); }

int NamesRead(TKeshShListView& list) {
    int read = 0;
    TKeshShFileList* shown = list.ShFileList();
    for (int i = 0; shown && i < shown->Count(); ++i) read += shown->Row(i)->NameRead() ? 1 : 0;
    return read;
}

// A plain tree view whose texts and icons come on request, as the folder tree's do.
class FloorTree : public TForm {
public:
    explicit FloorTree(IShellFolder* folder) : TForm(nullptr), folder_(folder) {
        SetBounds(0, 0, 300, 560);
        tree_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                                  WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 4, 4, 280,
                                  520, Handle(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
        SHFILEINFOA info{};
        auto images = reinterpret_cast<HIMAGELIST>(
            ::SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
        TreeView_SetImageList(tree_, images, TVSIL_NORMAL);
        Show();
    }
    HWND Tree() const { return tree_; }
    void Insert(const std::vector<TShIDList>& children, LPCITEMIDLIST folderID) {
        absolute_.clear();
        TVINSERTSTRUCTA parent{};
        parent.hParent = TVI_ROOT;
        parent.hInsertAfter = TVI_LAST;
        parent.item.mask = TVIF_TEXT | TVIF_CHILDREN;
        parent.item.pszText = const_cast<char*>("parent");
        parent.item.cChildren = 1;
        HTREEITEM root = TreeView_InsertItem(tree_, &parent);
        for (const TShIDList& child : children) {
            absolute_.push_back(TKeshShID::Concat(folderID, child.get()));
            TVINSERTSTRUCTA insert{};
            insert.hParent = root;
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
            insert.item.pszText = LPSTR_TEXTCALLBACKA;
            insert.item.iImage = insert.item.iSelectedImage = I_IMAGECALLBACK;
            insert.item.cChildren = I_CHILDRENCALLBACK;
            insert.item.lParam = static_cast<LPARAM>(absolute_.size() - 1);
            TreeView_InsertItem(tree_, &insert);
        }
        TreeView_Expand(tree_, root, TVE_EXPAND);
    }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TVN_GETDISPINFOA) {
            auto* info = reinterpret_cast<NMTVDISPINFOA*>(lParam);
            // What every node shows: its name, its icons and whether it has children.
            LPCITEMIDLIST absolute = absolute_[static_cast<size_t>(info->item.lParam)].get();
            LPCITEMIDLIST child = TKeshShID::Last(absolute);
            if (info->item.mask & TVIF_TEXT) {
                const std::string name = TKeshShID::DisplayName(folder_, child, SHGDN_INFOLDER | SHGDN_FORADDRESSBAR);
                lstrcpynA(info->item.pszText, name.c_str(), info->item.cchTextMax);
            }
            if (info->item.mask & TVIF_IMAGE) info->item.iImage = TKeshShID::IconIndex(absolute, true, false);
            if (info->item.mask & TVIF_SELECTEDIMAGE)
                info->item.iSelectedImage = TKeshShID::IconIndex(absolute, true, true);
            if (info->item.mask & TVIF_CHILDREN)
                info->item.cChildren = TKeshShID::HasAttributes(folder_, child, SFGAO_HASSUBFOLDER) ? 1 : 0;
            return 0;
        }
        return TForm::WndProc(message, wParam, lParam);
    }

private:
    IShellFolder* folder_;
    HWND tree_ = nullptr;
    std::vector<TShIDList> absolute_;
};

// A control of the folder browser alone in a shown window.
template <typename Control>
struct ControlWindow {
    TForm form{nullptr};
    Control* control;
    explicit ControlWindow(int width) {
        form.SetBounds(0, 0, width + 20, 560);
        control = new Control(&form);
        control->SetBounds(4, 4, width, 520);
        control->SetParent(&form);
        form.Show();
        PumpFor(std::chrono::milliseconds(20));
    }
};
}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    TApplication application;
    TempFolder files;
    for (int i = 0; i < kFiles; ++i) WriteFileBytes(files / (Numbered("file", i) + ".txt"), "");
    TempFolder folders;
    for (int i = 0; i < kFolders; ++i) ::CreateDirectoryA((folders / Numbered("folder", i)).c_str(), nullptr);
    TShIDList filesID = TKeshShID::FromPath(files.Path());
    TShIDList foldersID = TKeshShID::FromPath(folders.Path());

    // ---- the list
    std::vector<double> bare, shown, scrolled;
    int perPage = 0, namesFirstPage = 0, namesAfterScroll = 0;
    for (int run = 0; run < kRuns; ++run) {
        {
            const double start = Now();
            ComPtr<IShellFolder> folder = TKeshShID::BindToFolder(filesID.get());
            std::vector<TShIDList> rows = EnumerateAndSort(folder.get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
            ReadRows(folder.get(), filesID.get(), rows, perPage ? perPage : 40);
            bare.push_back(Now() - start);
        }
        {
            ControlWindow<TKeshShListView> window(600);
            window.control->SetViewStyle(vsReport);
            const double start = Now();
            window.control->OpenFolder(filesID.get());
            window.control->Update();
            shown.push_back(Now() - start);
            perPage = RowsPerPage(*window.control);
            namesFirstPage = NamesRead(*window.control);
            const double scrollStart = Now();
            for (int page = 0; page < 10; ++page) {
                ListView_Scroll(window.control->Handle(), 0, perPage * 16);
                window.control->Update();
            }
            scrolled.push_back(Now() - scrollStart);
            namesAfterScroll = NamesRead(*window.control);
        }
    }
    std::printf("list: folder of %d files, report view, %d rows on screen\n", kFiles, perPage);
    std::printf("  bare floor (enumerate + sort + %d rows' names, icons, details): %8.1f ms\n", perPage, Median(bare));
    std::printf("  shown in the list (opened and painted):                      %8.1f ms  (%.2fx the floor)\n",
                Median(shown), Median(shown) / Median(bare));
    std::printf("  names read after the first page: %d of %d; after ten pages scrolled: %d (%.1f ms)\n", namesFirstPage,
                kFiles, namesAfterScroll, Median(scrolled));

    // ---- the tree
    std::vector<double> bareTree, expanded;
    for (int run = 0; run < kRuns; ++run) {
        {
            ComPtr<IShellFolder> folder = TKeshShID::BindToFolder(foldersID.get());
            FloorTree floor(folder.get());
            const double start = Now();
            ComPtr<IShellFolder> bound = TKeshShID::BindToFolder(foldersID.get());
            std::vector<TShIDList> children = EnumerateAndSort(bound.get(), SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN);
            floor.Insert(children, foldersID.get());
            ::UpdateWindow(floor.Tree());
            bareTree.push_back(Now() - start);
        }
        {
            ControlWindow<TKeshShTreeView> window(280);
            TKeshShTreeView& tree = *window.control;
            tree.ShRoot().SetUsesID(false);
            tree.SuspendWatching();
            // The root is the folder's parent; its node is then expanded as a user does.
            tree.ShRoot().SetRootPath(ExtractFilePath(folders.Path()));
            TKeshShTreeNode* node = tree.FindNode(foldersID.get());
            const double start = Now();
            tree.Expand(node);
            tree.Update();
            expanded.push_back(Now() - start);
            tree.ResumeWatching();
        }
    }
    std::printf("tree: folder of %d subfolders expanded\n", kFolders);
    std::printf("  bare floor (enumerate + sort + insert, painted): %8.1f ms\n", Median(bareTree));
    std::printf("  expanded in the tree (read, merged, painted):    %8.1f ms  (%.2fx the floor)\n", Median(expanded),
                Median(expanded) / Median(bareTree));
    return 0;
}
