#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "folderbrowser/NameOrder.h"
#include "folderbrowser/ShellEnumeration.h"
#include "folderbrowser/TShContentsReader.h"
#include "folderbrowser/TShReadAhead.h"
#include "tests/support/TestEnvironment.h"

namespace {
using Names = std::vector<std::string>;

Names RowNames(const TKeshShFileList& list) {
    Names names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Row(i)->DisplayName());
    return names;
}

const TKeshShFileData* Named(const TKeshShFileList& list, const std::string& name) {
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Row(i)->DisplayName() == name) return list.Row(i);
    }
    return nullptr;
}

// A folder with a subfolder, two files and a hidden file.
struct FourItems {
    TempFolder folder;
    TShIDList id;
    FourItems() {
        ::CreateDirectoryA((folder / "sub").c_str(), nullptr);
        for (const char* name : {"b.txt", "a.txt", "h.txt"}) WriteFileBytes(folder / name, name);
        ::SetFileAttributesA((folder / "h.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        id = TKeshShID::FromPath(folder.Path());
    }
};
}  // namespace

// What the list is asked to show decides its rows, sorted by the folder's own order: folders
// first, then files, by name; its filter may still refuse each one. What cannot be read as
// a folder gives no contents at all.
TEST(ContentsReader, ReadsWhatTheListIsAskedToShowSortedAsTheFolderSorts) {
    FourItems folder;
    const struct {
        const char* what;
        TShContentsSet contents;
        const char* refused;
        Names rows;
    } cases[] = {
        {"everything", scFolders | scFiles | scHidden, nullptr, {"sub", "a.txt", "b.txt", "h.txt"}},
        {"files that are not hidden", scFiles, nullptr, {"a.txt", "b.txt"}},
        {"folders", scFolders, nullptr, {"sub"}},
        {"one refused by the filter", scFolders | scFiles | scHidden, "b.txt", {"sub", "a.txt", "h.txt"}},
    };
    for (const auto& c : cases) {
        TShContentsReader reader;
        reader.contents = c.contents;
        if (c.refused) reader.accept = [&](TKeshShData& row) { return row.DisplayName() != c.refused; };
        std::unique_ptr<TKeshShFileList> list = reader.Read(folder.id.get(), nullptr, nullptr);
        ASSERT_NE(list, nullptr) << c.what;
        TShContentsReader::Sort(*list);
        EXPECT_EQ(RowNames(*list), c.rows) << c.what;
    }
    TShIDList file = TKeshShID::FromPath(folder.folder / "a.txt");
    EXPECT_EQ(TShContentsReader().Read(file.get(), nullptr, nullptr), nullptr) << "a file is no folder";
}

// The shown folder read again keeps its sort and the rows that are still there keep their
// selection and focus, however the rows moved.
TEST(ContentsReader, ContentsReadAgainKeepTheSortSelectionAndFocus) {
    FourItems folder;
    TShContentsReader reader;
    reader.contents = scFiles;
    std::unique_ptr<TKeshShFileList> old = reader.Read(folder.id.get(), nullptr, nullptr);
    ASSERT_NE(old, nullptr);
    old->SortDirections[0] = -1;
    TShContentsReader::Sort(*old);
    ASSERT_EQ(RowNames(*old), (Names{"b.txt", "a.txt"}));
    old->Row(1)->SetSelected(true);  // a.txt
    old->Focused = old->Row(0);      // b.txt, not selected

    WriteFileBytes(folder.folder / "c.txt", "c");
    ::DeleteFileA((folder.folder / "b.txt").c_str());
    WriteFileBytes(folder.folder / "0.txt", "0");
    std::unique_ptr<TKeshShFileList> fresh = reader.Read(folder.id.get(), nullptr, nullptr);
    ASSERT_NE(fresh, nullptr);
    TShContentsReader::TakeOver(*old, *fresh);
    EXPECT_EQ(RowNames(*fresh), (Names{"c.txt", "a.txt", "0.txt"})) << "still sorted by name, descending";
    EXPECT_EQ(fresh->SortDirections[0], -1);
    EXPECT_TRUE(Named(*fresh, "a.txt")->Selected());
    EXPECT_FALSE(Named(*fresh, "c.txt")->Selected());
    EXPECT_EQ(fresh->Focused, nullptr) << "the focused row went";

    // Focus on a row that stays, selection on none.
    fresh->Row(1)->SetSelected(false);
    fresh->Focused = fresh->Row(2);  // 0.txt
    std::unique_ptr<TKeshShFileList> again = reader.Read(folder.id.get(), nullptr, nullptr);
    TShContentsReader::TakeOver(*fresh, *again);
    ASSERT_NE(again->Focused, nullptr);
    EXPECT_EQ(again->Focused->DisplayName(), "0.txt");
    EXPECT_FALSE(again->Focused->Selected());
}

// A big folder is sorted in two halves side by side and merged: the rows come out as one
// sort by the folder's own order gives them, ties (equal sizes) in the order they were read.
TEST(ContentsReader, ABigFolderSortsAsOneSortWouldInEveryColumnAndDirection) {
    TempFolder folder;
    for (int i = 0; i < 2600; ++i) {
        const std::string name = (i % 3 ? "Shot" : "shot") + std::to_string((i * 7919) % 2600) + ".jpg";
        WriteFileBytes(folder / name, std::string(static_cast<size_t>(i % 4), 'x'));
    }
    for (const char* name : {"sub", "Album"}) ::CreateDirectoryA((folder / name).c_str(), nullptr);
    const TShIDList id = TKeshShID::FromPath(folder.Path());
    TShContentsReader reader;
    reader.contents = scFolders | scFiles;
    for (const int column : {0, 1}) {
        for (const int direction : {1, -1}) {
            std::unique_ptr<TKeshShFileList> list = reader.Read(id.get(), nullptr, nullptr);
            ASSERT_NE(list, nullptr);
            std::vector<const TKeshShFileData*> expected;
            for (int i = 0; i < list->Count(); ++i) expected.push_back(list->Row(i));
            IShellFolder* shell = list->Folder();
            std::stable_sort(expected.begin(), expected.end(), [&](const auto* a, const auto* b) {
                const HRESULT hr = shell->CompareIDs(column, a->RelativeID(), b->RelativeID());
                return SUCCEEDED(hr) && static_cast<short>(HRESULT_CODE(hr)) * direction < 0;
            });
            list->SortDirections[column] = direction;
            list->Sort(column);
            std::vector<const TKeshShFileData*> sorted;
            for (int i = 0; i < list->Count(); ++i) sorted.push_back(list->Row(i));
            EXPECT_TRUE(sorted == expected) << "column " << column << ", direction " << direction;
        }
    }
}

// Read ahead on a thread, a folder comes in the order one sort gives, for the folder and the
// flags it was read for, once; a change after its reading makes the list read it again. Its
// parsed path is handed out for that folder alone.
TEST(ContentsReader, AFolderReadAheadIsTakenOnceInOrderAndNeverWhenItChangedSince) {
    TempFolder folder;
    for (int i = 0; i < 60; ++i) WriteFileBytes(folder / ((i % 2 ? "Shot" : "shot") + std::to_string(i * 37 % 60)), "");
    ::CreateDirectoryA((folder / "sub").c_str(), nullptr);
    const TShIDList id = TKeshShID::FromPath(folder.Path());
    TShContentsReader reader;
    std::unique_ptr<TKeshShFileList> plain = reader.Read(id.get(), nullptr, nullptr);
    ASSERT_NE(plain, nullptr);
    TShContentsReader::Sort(*plain);

    std::vector<TShIDList> children;
    {
        TShReadAhead ahead(folder.Path(), reader.Flags());
        const TShIDList parsed = ahead.Parsed(folder.Path());
        ASSERT_TRUE(parsed);
        EXPECT_EQ(TKeshShID::Compare(parsed.get(), id.get()), TKeshShID::crEqual);
        EXPECT_FALSE(ahead.Parsed(folder / "sub")) << "another folder";
        EXPECT_FALSE(ahead.Take(folder.Path(), SHCONTF_FOLDERS, children)) << "other flags";
        EXPECT_FALSE(ahead.Take(folder / "sub", reader.Flags(), children)) << "another folder";
        std::unique_ptr<TKeshShFileList> list = reader.Read(id.get(), nullptr, nullptr, &ahead);
        EXPECT_FALSE(ahead.Take(folder.Path(), reader.Flags(), children)) << "taken already";
        ASSERT_NE(list, nullptr);
        TShContentsReader::Sort(*list);
        EXPECT_EQ(RowNames(*list), RowNames(*plain));
    }

    TShReadAhead ahead(folder.Path(), reader.Flags());
    ahead.WaitForReading();
    WriteFileBytes(folder / "late", "");
    std::unique_ptr<TKeshShFileList> list = reader.Read(id.get(), nullptr, nullptr, &ahead);
    ASSERT_NE(list, nullptr);
    EXPECT_NE(Named(*list, "late"), nullptr);
    EXPECT_EQ(list->Count(), plain->Count() + 1);
}

// Names whose keys might order otherwise than the shell: case, marks the system's text
// comparison weighs apart, lengths, a Japanese name, folders among files. Sorted by their
// keys they stand as the shell's comparison alone puts them; against an order the keys do
// not give, nothing moves and the caller is told to sort.
TEST(ContentsReader, NameKeysGiveTheShellsOrderOrLeaveTheItemsAsTheyWere) {
    TempFolder folder;
    for (const char* name :
         {"b", "B-2", "a_1", "a-1", "a 1", "a1", "a10", "a2", "A", "it's", "its", "~x", "Z.jpg", "テスト.txt"})
        WriteFileBytes(folder / name, "");
    for (const char* name : {"sub", "Alpha", "zeta"}) ::CreateDirectoryA((folder / name).c_str(), nullptr);
    const TShIDList id = TKeshShID::FromPath(folder.Path());
    const ComPtr<IShellFolder> shell = TKeshShID::BindToFolder(id.get());
    ASSERT_TRUE(shell);
    std::vector<TShIDList> items;
    ASSERT_TRUE(EnumerateChildren(shell.get(), nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS,
                                  [&](TShIDList child) { items.push_back(std::move(child)); }));
    const auto precedes = [&](LPCITEMIDLIST a, LPCITEMIDLIST b) { return ShellPrecedes(shell.get(), 0, 1, a, b); };
    std::vector<LPCITEMIDLIST> asRead;
    for (const TShIDList& item : items) asRead.push_back(item.get());
    std::vector<LPCITEMIDLIST> shellSorted = asRead, keySorted = asRead;
    std::stable_sort(shellSorted.begin(), shellSorted.end(), precedes);
    const auto self = [](LPCITEMIDLIST child) { return child; };
    ASSERT_TRUE(SortByNameKeys(shell.get(), keySorted, self, precedes));
    EXPECT_EQ(keySorted, shellSorted);

    std::vector<LPCITEMIDLIST> untouched = asRead;
    EXPECT_FALSE(
        SortByNameKeys(shell.get(), untouched, self, [&](LPCITEMIDLIST a, LPCITEMIDLIST b) { return precedes(b, a); }));
    EXPECT_EQ(untouched, asRead);
}
