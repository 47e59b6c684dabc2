#include <gtest/gtest.h>
#include <shobjidl.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "folderbrowser/DetailText.h"
#include "folderbrowser/ShellEnumeration.h"
#include "folderbrowser/ShellModule.h"
#include "folderbrowser/SystemImageLists.h"
#include "folderbrowser/TKeshShFolderData.h"
#include "folderbrowser/TShContentsReader.h"
#include "folderbrowser/TShIconsAhead.h"
#include "folderbrowser/TShNodeChildren.h"
#include "tests/folderbrowser/BrowserFixture.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/EOSError.h"
#include "toolkit/FilePath.h"

namespace {
// The kinds of the Desktop's children and of My Computer's, by name.
std::vector<std::pair<std::string, TShVirtuaItem>> ChildKinds(LPCITEMIDLIST folderID) {
    std::vector<std::pair<std::string, TShVirtuaItem>> kinds;
    TKeshShFolderData folder(TKeshShID::Copy(folderID));
    EnumerateChildren(folder.Folder(), nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, [&](TShIDList relative) {
        TKeshShFolderData child(TKeshShID::Concat(folderID, relative.get()));
        kinds.emplace_back(child.Path().empty() ? child.DisplayName() : child.Path(), child.ItemKind());
    });
    return kinds;
}

// Stand-ins for the shell's entry points that fail, or succeed without an object.
HRESULT WINAPI MallocOutOfMemory(DWORD, IMalloc** malloc) {
    *malloc = nullptr;
    return E_OUTOFMEMORY;
}
HRESULT WINAPI MallocMissing(DWORD, IMalloc** malloc) {
    *malloc = nullptr;
    return S_OK;
}
HRESULT WINAPI DesktopDenied(IShellFolder** folder) {
    *folder = nullptr;
    return E_ACCESSDENIED;
}
HRESULT WINAPI DesktopUnexpected(IShellFolder** folder) {
    *folder = nullptr;
    return E_UNEXPECTED;
}

// The icons the shell gives for an item by its absolute list: small, large, small open.
struct Icons {
    int small, large, open;
    bool operator==(const Icons&) const = default;
};

Icons ShellIcons(LPCITEMIDLIST absolute) {
    return {TKeshShID::IconIndex(absolute, true, false), TKeshShID::IconIndex(absolute, false, false),
            TKeshShID::IconIndex(absolute, true, true)};
}

// What an item shows: its icon in both image lists (they share indices) and its open icon.
Icons ItemIcons(TKeshShData& item) { return {item.IconIndex(), item.IconIndex(), item.OpenIconIndex()}; }

std::ostream& operator<<(std::ostream& out, const Icons& icons) {
    return out << icons.small << "/" << icons.large << "/" << icons.open;
}

void MakeShortcut(const std::string& path, const std::string& target) {
    ComPtr<IShellLinkA> link;
    ASSERT_HRESULT_SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                                reinterpret_cast<void**>(link.put())));
    ASSERT_HRESULT_SUCCEEDED(link->SetPath(target.c_str()));
    ComPtr<IPersistFile> file;
    ASSERT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put())));
    ASSERT_HRESULT_SUCCEEDED(file->Save(TKeshShID::ToWide(path).c_str(), TRUE));
}

bool Has(const std::vector<std::pair<std::string, TShVirtuaItem>>& kinds, const std::string& name, TShVirtuaItem kind) {
    for (const auto& [n, k] : kinds) {
        if (::lstrcmpiA(n.c_str(), name.c_str()) == 0) return k == kind;
    }
    return false;
}
}  // namespace

// Without the task allocator or the Desktop folder no identifier list can be made or read:
// the module fails at once with the system's text instead of leaving a null pointer behind.
TEST(ShellModule, FailsAtOnceWithTheSystemsTextWhenTheShellCannotBeHad) {
    const struct {
        ShellModule::Sources sources;
        HRESULT result;
        DWORD textOf;  // the system error whose text the failure carries
    } cases[] = {
        {{MallocOutOfMemory, ::SHGetDesktopFolder}, E_OUTOFMEMORY, ERROR_OUTOFMEMORY},
        {{MallocMissing, ::SHGetDesktopFolder}, E_POINTER, static_cast<DWORD>(E_POINTER)},
        {{::CoGetMalloc, DesktopDenied}, E_ACCESSDENIED, ERROR_ACCESS_DENIED},
        {{::CoGetMalloc, DesktopUnexpected}, E_UNEXPECTED, static_cast<DWORD>(E_UNEXPECTED)},
    };
    for (const auto& c : cases) {
        try {
            ShellModule module(c.sources);
            ADD_FAILURE() << std::hex << c.result << ": made without "
                          << (module.Malloc() ? "the Desktop" : "an allocator");
        } catch (const EOSError& error) {
            EXPECT_EQ(error.Code(), static_cast<DWORD>(c.result)) << std::hex << c.result;
            EXPECT_EQ(error.Message(), EOSError::SystemText(c.textOf)) << std::hex << c.result;
            EXPECT_FALSE(error.Message().empty());
        }
    }
    ShellModule module;
    EXPECT_NE(module.Malloc(), nullptr);
    EXPECT_NE(module.Desktop(), nullptr);
}

TEST(KeshShID, ListOperationsAgreeWithTheShell) {
    TempFolder folder;
    const std::string deep = folder / "親\\子";
    ::CreateDirectoryA((folder / "親").c_str(), nullptr);
    ::CreateDirectoryA(deep.c_str(), nullptr);
    const long before = TKeshShID::LiveLists();
    {
        TShIDList list = TKeshShID::FromPath(deep);
        ASSERT_TRUE(list);
        EXPECT_EQ(TKeshShID::ToPath(list.get()), deep);
        const int count = TKeshShID::Count(list.get());
        ASSERT_GE(count, 3);

        TShIDList parent = TKeshShID::Parent(list.get());
        EXPECT_EQ(TKeshShID::ToPath(parent.get()), folder / "親");
        EXPECT_EQ(TKeshShID::Count(parent.get()), count - 1);
        EXPECT_TRUE(TKeshShID::IsAncestor(parent.get(), list.get()));
        EXPECT_FALSE(TKeshShID::IsAncestor(list.get(), parent.get()));
        EXPECT_FALSE(TKeshShID::IsAncestor(list.get(), list.get()));
        EXPECT_EQ(TKeshShID::Below(parent.get(), list.get()), TKeshShID::Last(list.get()));
        EXPECT_EQ(TKeshShID::Count(TKeshShID::Below(list.get(), list.get())), 0) << "the list itself: nothing below";
        EXPECT_EQ(TKeshShID::Below(list.get(), parent.get()), nullptr);

        TShIDList last = TKeshShID::LastCopy(list.get());
        EXPECT_EQ(TKeshShID::Count(last.get()), 1);
        TShIDList joined = TKeshShID::Concat(parent.get(), last.get());
        EXPECT_TRUE(TKeshShID::Equal(joined.get(), list.get()));
        EXPECT_EQ(TKeshShID::Size(joined.get()), TKeshShID::Size(list.get()));
        EXPECT_EQ(TKeshShID::Compare(joined.get(), list.get()), TKeshShID::crEqual);
        EXPECT_EQ(TKeshShID::Compare(parent.get(), list.get()), TKeshShID::crLess);

        // Walking by the size fields reaches the last identifier after count - 1 steps.
        LPCITEMIDLIST id = list.get();
        for (int i = 1; i < count; ++i) id = TKeshShID::Next(id);
        EXPECT_EQ(id, TKeshShID::Last(list.get()));
        EXPECT_EQ(TKeshShID::Next(id), nullptr);

        TShIDList first = TKeshShID::CopyOne(list.get());
        EXPECT_EQ(TKeshShID::Count(first.get()), 1);
        EXPECT_TRUE(TKeshShID::IsAncestor(first.get(), list.get()));

        TShIDList desktop = TKeshShID::Allocate(2);
        EXPECT_EQ(TKeshShID::Count(desktop.get()), 0);
        EXPECT_EQ(TKeshShID::Size(desktop.get()), 2u);
        EXPECT_TRUE(TKeshShID::IsAncestor(desktop.get(), list.get()));
        EXPECT_EQ(TKeshShID::Count(nullptr), -1);
        EXPECT_EQ(TKeshShID::Size(nullptr), 0u);
        EXPECT_FALSE(TKeshShID::Equal(nullptr, list.get()));

        EXPECT_FALSE(TKeshShID::FromPath(""));
        EXPECT_FALSE(TKeshShID::FromPath(folder / "ない"));
        EXPECT_FALSE(TKeshShID::FromPath("::{bad}"));
    }
    EXPECT_EQ(TKeshShID::LiveLists(), before) << "every list went back to the task allocator";
}

TEST(KeshShID, NameTheCodePageCannotCarryGivesNoPath) {
    TempFolder folder;
    // "é" has no place in code page 932: the name shows the system's replacement, and the
    // path (of the folder and of what lies below it) is empty rather than one that names
    // another folder.
    const std::wstring wideFolder(folder.Path().begin(), folder.Path().end());
    // The folder's own removal works in ANSI names, which cannot reach these.
    struct RemoveWide {
        std::wstring base;
        ~RemoveWide() {
            ::RemoveDirectoryW((base + L"\\caf\u00e9\\inner").c_str());
            ::RemoveDirectoryW((base + L"\\caf\u00e9").c_str());
        }
    } removeWide{wideFolder};
    ASSERT_TRUE(::CreateDirectoryW((wideFolder + L"\\caf\u00e9").c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW((wideFolder + L"\\caf\u00e9\\inner").c_str(), nullptr));
    TShIDList parent = TKeshShID::FromPath(folder.Path());
    TKeshShFolderData parentData(TKeshShID::Copy(parent.get()));
    std::vector<std::string> names, paths;
    EnumerateChildren(parentData.Folder(), nullptr, SHCONTF_FOLDERS, [&](TShIDList relative) {
        TKeshShFolderData child(TKeshShID::Concat(parent.get(), relative.get()));
        names.push_back(child.DisplayName());
        paths.push_back(child.Path());
        EnumerateChildren(child.Folder(), nullptr, SHCONTF_FOLDERS, [&](TShIDList innerRelative) {
            TKeshShFolderData inner(TKeshShID::Concat(child.AbsoluteID(), innerRelative.get()));
            names.push_back(inner.DisplayName());
            paths.push_back(inner.Path());
        });
    });
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[1], "inner");
    EXPECT_EQ(paths, (std::vector<std::string>{"", ""}));
    char shown[16] = {};
    ::WideCharToMultiByte(CP_ACP, 0, L"caf\u00e9", -1, shown, sizeof shown, nullptr, nullptr);
    EXPECT_EQ(names[0], shown);
}

TEST(KeshShData, ItemsAreClassifiedAsTheFileManagerShowsThem) {
    const std::string desktop = DesktopDirectory();
    const std::string folder = desktop + "\\分類フォルダ";
    const std::string file = desktop + "\\分類ファイル.txt";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileBytes(file, "");
    TShIDList desktopID = TKeshShID::Allocate(2);
    TKeshShFolderData root(TKeshShID::Copy(desktopID.get()));
    EXPECT_EQ(root.ItemKind(), itDeskTop);
    EXPECT_EQ(root.Path(), desktop) << "the Desktop root stands for the desktop directory";

    auto kinds = ChildKinds(desktopID.get());
    TShIDList drives = TKeshShID::SpecialFolder(sfidDrives);
    TShIDList bin = TKeshShID::SpecialFolder(sfidBitBucket);
    bool sawComputer = false, sawBin = false;
    for (const auto& [name, kind] : kinds) {
        sawComputer = sawComputer || kind == itMyComputer;
        sawBin = sawBin || kind == itBitBucket;
    }
    EXPECT_TRUE(sawComputer);
    EXPECT_TRUE(sawBin);
    EXPECT_TRUE(Has(kinds, folder, itFolder));
    EXPECT_TRUE(Has(kinds, file, itFile));

    auto computer = ChildKinds(drives.get());
    EXPECT_TRUE(Has(computer, "C:\\", itRootDrive));
    TKeshShFolderData myComputer(TKeshShID::Copy(drives.get()));
    EXPECT_EQ(myComputer.Path(), "") << "My Computer has no path";

    TKeshShFolderData deeper(TKeshShID::FromPath(folder));
    TKeshShFolderData windows(TKeshShID::FromPath("C:\\windows"));
    EXPECT_EQ(windows.ItemKind(), itFolder);
    DeleteTree(folder);
    ::DeleteFileA(file.c_str());
}

// The list's rows and the tree's nodes ask their icons of the folder they already hold; each
// must still be the icon the shell gives for that item, whatever its kind: folders with and
// without subfolders, files whose type brings an icon, a program with its own, a shortcut,
// hidden items, and the Desktop's own children.
TEST(KeshShData, IconsAreTheShellsOwnForEveryKindOfItem) {
    ShellModule::Instance();
    TempFolder folder;
    ::CreateDirectoryA((folder / "sub").c_str(), nullptr);
    ::CreateDirectoryA((folder / "sub\\inner").c_str(), nullptr);
    ::CreateDirectoryA((folder / "empty").c_str(), nullptr);
    ::CreateDirectoryA((folder / "hidden").c_str(), nullptr);
    ::SetFileAttributesA((folder / "hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    for (const char* name : {"a.txt", "b.bmp", "c.ini", "h.txt"}) WriteFileBytes(folder / name, "x");
    ::SetFileAttributesA((folder / "h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    char system[MAX_PATH];
    ::GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_TRUE(::CopyFileA((std::string(system) + "\\notepad.exe").c_str(), (folder / "app.exe").c_str(), FALSE));
    MakeShortcut(folder / "to sub.lnk", folder / "sub");
    MakeShortcut(folder / "to app.lnk", folder / "app.exe");
    const TShIDList id = TKeshShID::FromPath(folder.Path());
    ASSERT_TRUE(id);

    TShContentsReader reader;
    reader.contents = scFolders | scFiles | scHidden;
    std::unique_ptr<TKeshShFileList> rows = reader.Read(id.get(), nullptr, nullptr);
    ASSERT_NE(rows, nullptr);
    ASSERT_EQ(rows->Count(), 10);
    std::vector<int> seen;
    for (int i = 0; i < rows->Count(); ++i) {
        TKeshShFileData& row = *rows->Row(i);
        const Icons shell = ShellIcons(row.AbsoluteID());
        EXPECT_EQ(ItemIcons(row), shell) << "list row " << row.DisplayName();
        seen.push_back(shell.small);
        seen.push_back(shell.open);
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_GE(std::unique(seen.begin(), seen.end()) - seen.begin(), 3) << "the items should not all look alike";

    TShNodeChildren children;
    children.includeFiles = true;
    TKeshShFolderData parent(TKeshShID::Copy(id.get()));
    const auto nodes = children.Read(parent, nullptr);
    ASSERT_EQ(nodes.size(), 10u);
    for (const auto& node : nodes) EXPECT_EQ(ItemIcons(*node), ShellIcons(node->AbsoluteID())) << node->DisplayName();

    TShIDList desktopID = TKeshShID::Allocate(2);
    TKeshShFolderData desktop(TKeshShID::Copy(desktopID.get()));
    EXPECT_EQ(ItemIcons(desktop), ShellIcons(desktopID.get())) << "the Desktop root";
    for (const auto& node : TShNodeChildren().Read(desktop, nullptr))
        EXPECT_EQ(ItemIcons(*node), ShellIcons(node->AbsoluteID())) << node->DisplayName();

    // The same icons when looked up ahead, on a thread with folders of its own.
    std::unique_ptr<TKeshShFileList> ahead = reader.Read(id.get(), nullptr, nullptr);
    ASSERT_NE(ahead, nullptr);
    const auto desktopChildren = TShNodeChildren().Read(desktop, nullptr);
    TShIconsAhead icons;
    for (int i = 0; i < ahead->Count(); ++i) icons.Add(*ahead->Row(i), true);
    for (const auto& node : desktopChildren) icons.Add(*node, true);
    icons.Start();
    icons.Finish();
    for (int i = 0; i < ahead->Count(); ++i) {
        TKeshShFileData& row = *ahead->Row(i);
        EXPECT_EQ(ItemIcons(row), ShellIcons(row.AbsoluteID())) << "ahead: " << row.DisplayName();
    }
    for (const auto& node : desktopChildren)
        EXPECT_EQ(ItemIcons(*node), ShellIcons(node->AbsoluteID())) << "ahead: " << node->DisplayName();
}

// Controls made while the lists are left for later have them by the time they are drawn.
// Loaded on a thread of their own, the lists are still the system's own, small and large
// each in its place, however often the load is asked for; the icons the thread goes on
// loading are looked up here meanwhile.
TEST(SystemImageLists, LeftForLaterOrLoadedOnAThreadTheyAreTheSystemsOwn) {
    SystemImageLists::PrepareLater();
    ASSERT_FALSE(SystemImageLists::AttachAtOnce());
    const BrowserWindow browser;
    const HIMAGELIST treeImages = TreeView_GetImageList(browser.tree->Handle(), TVSIL_NORMAL);
    const HIMAGELIST listSmall = ListView_GetImageList(browser.list->Handle(), LVSIL_SMALL);
    const HIMAGELIST listLarge = ListView_GetImageList(browser.list->Handle(), LVSIL_NORMAL);
    SystemImageLists::Prepare();
    SystemImageLists::Prepare();
    EXPECT_TRUE(SystemImageLists::AttachAtOnce());
    TShIDList computer = TKeshShID::SpecialFolder(sfidDrives);
    const int computerIcon = TKeshShID::IconIndex(computer.get(), true, false);
    const int openFolder = TKeshShID::IconIndex(TKeshShID::FromPath("C:\\windows").get(), true, true);
    EXPECT_GE(computerIcon, 0);
    EXPECT_GE(openFolder, 0);
    EXPECT_NE(computerIcon, openFolder);
    const HIMAGELIST small = SystemImageLists::Get(true), large = SystemImageLists::Get(false);
    SHFILEINFOA info{};
    EXPECT_EQ(small, reinterpret_cast<HIMAGELIST>(
                         ::SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)));
    EXPECT_EQ(large, reinterpret_cast<HIMAGELIST>(::SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX)));
    EXPECT_EQ(treeImages, small);
    EXPECT_EQ(listSmall, small);
    EXPECT_EQ(listLarge, large);
    int width = 0, height = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(small, &width, &height));
    EXPECT_EQ(width, ::GetSystemMetrics(SM_CXSMICON));
    ASSERT_TRUE(::ImageList_GetIconSize(large, &width, &height));
    EXPECT_EQ(width, ::GetSystemMetrics(SM_CXICON));
    EXPECT_GT(::ImageList_GetImageCount(small), 0);
}

TEST(KeshShData, FileSystemDetailsGiveSizeTypeAndTime) {
    TempFolder folder;
    WriteFileBytes(folder / "empty.txt", "");
    WriteFileBytes(folder / "two.txt", std::string(1025, 'x'));
    ::CreateDirectoryA((folder / "sub").c_str(), nullptr);
    TShIDList parent = TKeshShID::FromPath(folder.Path());
    auto details = [&](const std::string& name) {
        TKeshShFolderData item(TKeshShID::FromPath(folder / name));
        return FileSystemDetails(item);
    };
    const auto empty = details("empty.txt");
    ASSERT_EQ(empty.size(), 3u);
    EXPECT_EQ(empty[0], "1KB") << "a 0-byte file shows 1KB";
    EXPECT_FALSE(empty[1].empty());
    EXPECT_FALSE(empty[2].empty());
    EXPECT_EQ(details("two.txt")[0], "2KB");
    EXPECT_EQ(details("sub")[0], "") << "a folder has no size";
    EXPECT_EQ(SizeText(1024ull * 1234567), "1,234,567KB");
    EXPECT_EQ(WithoutDirectionMarks("?2024/?01/?02"), "2024/01/02");
    EXPECT_EQ(WithoutDirectionMarks("?abc?"), "?abc?");
}
