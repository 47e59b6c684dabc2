#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "folderbrowser/TKeshShListView.h"
#include "tests/folderbrowser/BrowserFixture.h"
#include "toolkit/FilePath.h"
#include "toolkit/PumpMessages.h"

namespace {
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

std::string Numbered(const char* stem, int i) {
    std::string name(stem);
    name += std::to_string(i);
    return name;
}

// A folder of three files and a subfolder: a.txt empty, b.txt of 5000 bytes, c.txt.
struct FilesFolder {
    DesktopFolder top{"一覧テスト"};
    FilesFolder() {
        WriteFileBytes(top / "a.txt", "");
        WriteFileBytes(top / "b.txt", std::string(5000, 'b'));
        WriteFileBytes(top / "c.txt", "c");
        top.MakeFolder("d_folder");
    }
};
}  // namespace

TEST(ListView, ShowsTheFolderWithDetailsAndSortsByHeaderClicks) {
    FilesFolder files;
    BrowserWindow window;
    TKeshShListView& list = *window.list;
    list.SetViewStyle(vsReport);
    window.tree->SelectPath(files.top.Path());
    ASSERT_EQ(list.FolderPath(), files.top.Path());
    // Folders first, then files, each by name, as the shell orders them.
    ASSERT_EQ(window.RowNames(), (std::vector<std::string>{"d_folder", "a.txt", "b.txt", "c.txt"}));
    ASSERT_GE(list.ShFileList()->ColumnNames().size(), 4u);
    EXPECT_FALSE(window.RowText(2, 1).empty()) << "b.txt has a size";
    EXPECT_FALSE(window.RowText(2, 3).empty()) << "b.txt has a time";
    EXPECT_EQ(window.RowText(0, 1), "") << "a folder has no size";

    // A header click sorts by that column descending first (its direction starts ascending
    // and is reversed before the sort), the next click ascending again; the selection and
    // the focus stay with their rows.
    list.SelectRow(2, true);
    window.ClickHeader(0);
    EXPECT_EQ(window.RowNames(), (std::vector<std::string>{"c.txt", "b.txt", "a.txt", "d_folder"}));
    EXPECT_EQ(list.SelectedIndexes(), std::vector<int>{1});
    EXPECT_EQ(list.FocusedIndex(), 1);
    EXPECT_EQ(list.ShFileList()->SortColumn, 0);
    window.ClickHeader(0);
    EXPECT_EQ(window.RowNames(), (std::vector<std::string>{"d_folder", "a.txt", "b.txt", "c.txt"}));
    window.ClickHeader(1);
    EXPECT_EQ(list.ShFileList()->SortColumn, 0) << "a click does not change the sort column";
    EXPECT_EQ(list.ShFileList()->SortDirections[1], -1);
}

TEST(ListView, ViewStyleSwitchesKeepRowsSelectionAndFocus) {
    FilesFolder files;
    BrowserWindow window;
    TKeshShListView& list = *window.list;
    window.tree->SelectPath(files.top.Path());
    list.SelectRow(0, false);
    list.SelectRow(2, true);
    for (TViewStyle style : {vsList, vsReport, vsSmallIcon, vsList, vsIcon}) {
        list.SetViewStyle(style);
        EXPECT_EQ(ListView_GetItemCount(list.Handle()), 4) << style;
        EXPECT_EQ(list.SelectedIndexes(), (std::vector<int>{0, 2})) << style;
        EXPECT_EQ(list.FocusedIndex(), 2) << style;
        EXPECT_EQ(::GetWindowLongA(list.Handle(), GWL_STYLE) & LVS_TYPEMASK,
                  static_cast<LONG>(std::vector<DWORD>{LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT}[style]));
    }
}

TEST(ListView, CreateFolderMakesAndSelectsOnlyANewFileSystemFolder) {
    FilesFolder files;
    BrowserWindow window;
    TKeshShListView& list = *window.list;

    TShIDList computer = TKeshShID::SpecialFolder(sfidDrives);
    ASSERT_TRUE(list.OpenFolder(computer.get()));
    EXPECT_EQ(list.FolderPath(), "");
    EXPECT_FALSE(list.CreateFolder("新しいフォルダ"));

    window.tree->SelectPath(files.top.Path());
    EXPECT_FALSE(list.CreateFolder("d_folder")) << "exists already";
    EXPECT_TRUE(list.CreateFolder("新しいフォルダ"));
    EXPECT_TRUE(DirectoryExists(files.top / "新しいフォルダ"));
    const std::vector<int> selected = list.SelectedIndexes();
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(window.RowText(selected[0]), "新しいフォルダ");
    EXPECT_EQ(list.FocusedIndex(), selected[0]);

    // The Desktop is a file-system folder too: its directory takes the new folder.
    window.tree->Select(window.tree->RootNode());
    ASSERT_EQ(list.FolderPath(), DesktopDirectory());
    const std::string onDesktop = DesktopDirectory() + "\\デスクトップの新フォルダ";
    struct Remove {
        std::string path;
        ~Remove() { ::RemoveDirectoryA(path.c_str()); }
    } remove{onDesktop};
    EXPECT_TRUE(list.CreateFolder("デスクトップの新フォルダ"));
    EXPECT_TRUE(DirectoryExists(onDesktop));
    const std::vector<int> selectedOnDesktop = list.SelectedIndexes();
    ASSERT_EQ(selectedOnDesktop.size(), 1u);
    EXPECT_EQ(window.RowText(selectedOnDesktop[0]), "デスクトップの新フォルダ");
}

TEST(ListView, ReadingAheadReadsTheRowsInViewAndNoOthers) {
    DesktopFolder top("先読みテスト");
    for (const char* folder : {"icons", "details"}) {
        top.MakeFolder(folder);
        for (int i = 0; i < 300; ++i)
            WriteFileBytes(top / (std::string(folder) + "\\" + Numbered("f", 1000 + i) + ".txt"), "");
    }
    BrowserWindow window;
    TKeshShListView& list = *window.list;
    // Nothing is painted: what is read, was read ahead.
    window.form.Hide();
    for (auto [style, folder] : {std::pair{vsIcon, "icons"}, std::pair{vsReport, "details"}}) {
        list.SetViewStyle(style);
        TShIDList id = TKeshShID::FromPath(top / folder);
        ASSERT_TRUE(list.OpenFolder(id.get()));
        list.ReadVisibleItems();
        const TKeshShFileList& rows = *list.ShFileList();
        int read = 0;
        for (int i = 0; i < rows.Count(); ++i) read += rows.Row(i)->NameRead();
        ASSERT_GT(read, 4) << folder;
        EXPECT_LT(read, 100) << folder << ": rows out of view are left for when they show";
        EXPECT_TRUE(rows.Row(read - 1)->NameRead()) << folder << ": the rows read are the first ones";
    }
}

TEST(ListView, BurstOfNewFilesGivesOneRefreshAQuietPeriodAfterTheLast) {
    DesktopFolder top("監視テスト");
    BrowserWindow window;
    window.tree->SelectPath(top.Path());
    ASSERT_EQ(window.list->FolderPath(), top.Path());
    int files = 0;
    for (int attempt = 1;; ++attempt) {
        const int changes = window.listChanges;
        Clock::time_point last;
        Clock::duration longestGap{};
        for (int i = 0; i < 10; ++i) {
            WriteFileBytes(top / (Numbered("new", files++) + ".txt"), "x");
            const auto written = Clock::now();
            if (i > 0) longestGap = std::max(longestGap, written - last);
            last = written;
            PumpFor(milliseconds(90));
        }
        ASSERT_TRUE(PumpUntil([&] { return window.listChanges > changes; }, milliseconds(10000)));
        const auto refreshed = Clock::now();
        PumpFor(milliseconds(2500));
        // A machine that held the test back between two writes for most of the quiet period
        // made two bursts of one: the burst is written again.
        if (longestGap >= milliseconds(1000) && attempt < 3) continue;
        EXPECT_EQ(window.listChanges, changes + 1);
        EXPECT_GE(refreshed - last, milliseconds(1400));
        EXPECT_EQ(ListView_GetItemCount(window.list->Handle()), files);
        break;
    }
}

TEST(ListView, DeletingTheShownFolderOpensItsNearestExistingAncestor) {
    DesktopFolder top("削除テスト");
    const std::string shown = top.MakeFolder("残る\\消える");
    WriteFileBytes(shown + "\\メモ.txt", "x");
    BrowserWindow window;
    window.tree->SelectPath(shown);
    ASSERT_EQ(window.list->FolderPath(), shown);
    // As the shell deletes a folder: its content first, then the folder, all of it gone by
    // the time the watcher looks (it waits for its lock). (Under Wine a watched folder's
    // parent cannot be removed while the watch is open, so one level is what can go.)
    window.list->Watcher()->Lock();
    DeleteTree(shown);
    window.list->Watcher()->Unlock();
    ASSERT_TRUE(PumpUntil([&] { return window.list->FolderPath() == top / "残る"; }, milliseconds(10000)))
        << Utf8(window.list->FolderPath());
    EXPECT_EQ(window.tree->SelectedPath(), top / "残る") << "the tree follows the list";
}

// The list hands the reading it made on opening a folder to the tree that expands that
// folder next: its folders (files too when asked), hidden ones only when both show them;
// once, and only until the list takes its messages. Nothing is handed that the tree's own
// rules might choose otherwise: the Desktop's first level, rows the program filtered.
TEST(ListView, AFreshReadingIsHandedOverOnceAndOnlyWhileItIsFresh) {
    DesktopFolder top("受け渡しテスト");
    for (const char* name : {"b", "A", "隠し"}) top.MakeFolder(std::string("親\\") + name);
    ::SetFileAttributesA((top / "親\\隠し").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteFileBytes(top / "親\\x.txt", "x");
    const TShIDList parent = TKeshShID::FromPath(top / "親"), other = TKeshShID::FromPath(top.Path());
    TForm form(nullptr);
    auto* list = new TKeshShListView(&form);
    list->SetParent(&form);
    list->Handle();
    const auto handed = [&](LPCITEMIDLIST folder, SHCONTF flags) {
        std::vector<TShIDList> relatives;
        ComPtr<IShellFolder> bound;
        if (!list->TakeReading(folder, flags, relatives, bound)) return -1;
        EXPECT_EQ(bound.get(), list->ShFileList()->Folder()) << "handed as the list bound it";
        return static_cast<int>(relatives.size());
    };
    const auto open = [&](LPCITEMIDLIST folder) {
        ASSERT_TRUE(list->OpenFolder(other.get()));
        list->ContentsChanged(other.get());  // no other contents kept: a fresh reading next
        ASSERT_TRUE(list->OpenFolder(folder));
    };
    list->SetShContents(scFolders | scFiles);
    open(parent.get());
    EXPECT_EQ(handed(parent.get(), SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN), -1) << "the list shows no hidden";
    open(parent.get());
    EXPECT_EQ(handed(other.get(), SHCONTF_FOLDERS), -1) << "another folder";
    EXPECT_EQ(handed(parent.get(), SHCONTF_FOLDERS), -1) << "asked once, gone";
    open(parent.get());
    EXPECT_EQ(handed(parent.get(), SHCONTF_FOLDERS), 2);
    EXPECT_EQ(handed(parent.get(), SHCONTF_FOLDERS), -1) << "once";

    list->SetShContents(scFolders | scFiles | scHidden);
    open(parent.get());
    EXPECT_EQ(handed(parent.get(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN), 4);
    open(parent.get());
    EXPECT_EQ(handed(parent.get(), SHCONTF_FOLDERS), 2) << "the list's hidden folder left out";
    open(parent.get());
    PumpMessages();
    EXPECT_EQ(handed(parent.get(), SHCONTF_FOLDERS), -1) << "the list took its messages";

    list->OnShFilter = [](TObject&, TKeshShData&, bool&) {};
    open(parent.get());
    EXPECT_EQ(handed(parent.get(), SHCONTF_FOLDERS), -1) << "filtered by the program";
    list->OnShFilter = nullptr;
    const TShIDList computer = TKeshShID::SpecialFolder(sfidDrives);
    open(computer.get());
    EXPECT_EQ(handed(computer.get(), SHCONTF_FOLDERS), -1) << "the Desktop's first level";
}
