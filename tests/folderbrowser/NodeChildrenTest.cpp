#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "folderbrowser/MergeSorted.h"
#include "folderbrowser/TShNodeChildren.h"
#include "tests/support/TestEnvironment.h"

namespace {
using Names = std::vector<std::string>;

// Children held in order, as a node's child nodes are held in the tree; each step of a
// merge is written down.
class Held : public TShNodeChildren::Holder {
public:
    std::vector<TKeshShFolderData*> Current() override {
        std::vector<TKeshShFolderData*> current;
        for (const auto& child : children) current.push_back(child.get());
        return current;
    }
    void Insert(TKeshShFolderData* next, std::unique_ptr<TKeshShFolderData> child) override {
        steps.push_back("insert " + child->DisplayName() + (next ? " before " + next->DisplayName() : ""));
        children.insert(next ? Find(next) : children.end(), std::move(child));
    }
    void Remove(TKeshShFolderData* child) override {
        steps.push_back("remove " + child->DisplayName());
        children.erase(Find(child));
    }
    Names Shown() const {
        Names names;
        for (const auto& child : children) names.push_back(child->DisplayName());
        return names;
    }
    TKeshShFolderData* Named(const std::string& name) const {
        for (const auto& child : children) {
            if (child->DisplayName() == name) return child.get();
        }
        return nullptr;
    }

    std::vector<std::unique_ptr<TKeshShFolderData>> children;
    Names steps;

private:
    std::vector<std::unique_ptr<TKeshShFolderData>>::iterator Find(TKeshShFolderData* child) {
        return std::find_if(children.begin(), children.end(), [&](const auto& held) { return held.get() == child; });
    }
};

void MakeFolder(const std::string& path) { ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr)) << path; }
}  // namespace

// What a node's children are read with decides which of them it gets, in the folder's own
// order (folders before files, by name); the tree's events may still refuse each one.
TEST(NodeChildren, AreReadAsTheTreeIsAskedToShowThemInTheFoldersOrder) {
    TempFolder folder;
    for (const char* name : {"b", "a", "c", "h"}) MakeFolder(folder / name);
    ::SetFileAttributesA((folder / "h").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteFileBytes(folder / "f.txt", "f");
    TKeshShFolderData parent(TKeshShID::FromPath(folder.Path()));
    const struct {
        const char* what;
        bool files;
        bool hidden;
        const char* refused;
        Names shown;
    } cases[] = {
        {"folders, hidden ones too", false, true, nullptr, {"a", "b", "c", "h"}},
        {"files too", true, true, nullptr, {"a", "b", "c", "h", "f.txt"}},
        {"no hidden ones", false, false, nullptr, {"a", "b", "c"}},
        {"one refused by the tree", true, false, "b", {"a", "c", "f.txt"}},
    };
    for (const auto& c : cases) {
        TShNodeChildren children;
        children.includeFiles = c.files;
        children.includeHidden = c.hidden;
        if (c.refused) children.accept = [&](TKeshShFolderData& child) { return child.DisplayName() != c.refused; };
        Held held;
        children.Merge(parent, nullptr, held);
        EXPECT_EQ(held.Shown(), c.shown) << c.what;
    }

    // A reading made elsewhere just now is taken as it is, with the folder bound there: the
    // node keeps that folder and binds its own no more.
    {
        TKeshShFolderData node(TKeshShID::FromPath(folder.Path()));
        const ComPtr<IShellFolder> boundThere = TKeshShID::BindToFolder(node.AbsoluteID());
        TShNodeChildren children;
        children.known = [&](TKeshShFolderData&, SHCONTF, std::vector<TShIDList>& relatives,
                             ComPtr<IShellFolder>& bound) {
            for (const char* name : {"c", "a"})
                relatives.push_back(TKeshShID::LastCopy(TKeshShID::FromPath(folder / name).get()));
            bound = boundThere;
            return true;
        };
        Names read;
        for (const auto& child : children.Read(node, nullptr)) read.push_back(child->DisplayName());
        EXPECT_EQ(read, Names({"a", "c"}));
        EXPECT_EQ(node.Folder(), boundThere.get());
    }

    // Of the Desktop's virtual items only the kinds asked for.
    TKeshShFolderData desktop(TKeshShID::Allocate(2));
    for (const TShVirtuaItems shown : {TShVirtuaItems{0}, ShItem(itBitBucket)}) {
        TShNodeChildren children;
        children.shown = shown;
        const auto read = children.Read(desktop, nullptr);
        const bool bin =
            std::any_of(read.begin(), read.end(), [](const auto& child) { return child->ItemKind() == itBitBucket; });
        EXPECT_EQ(bin, shown != 0);
    }
}

// A merge keeps the children that are still there (and so what hangs below them), puts new
// ones in their places and takes away those that went; a folder that can no longer be read
// has no children left.
TEST(NodeChildren, MergeKeepsWhatStaysAndPutsWhatCameInItsPlace) {
    TempFolder folder;
    for (const char* name : {"a", "b", "c"}) MakeFolder(folder / name);
    TKeshShFolderData parent(TKeshShID::FromPath(folder.Path()));
    TShNodeChildren children;
    Held held;
    children.Merge(parent, nullptr, held);
    ASSERT_EQ(held.Shown(), (Names{"a", "b", "c"}));
    TKeshShFolderData* b = held.Named("b");
    TKeshShFolderData* c = held.Named("c");

    ::RemoveDirectoryA((folder / "a").c_str());
    MakeFolder(folder / "bb");
    MakeFolder(folder / "d");
    held.steps.clear();
    children.Merge(parent, nullptr, held);
    EXPECT_EQ(held.Shown(), (Names{"b", "bb", "c", "d"}));
    EXPECT_EQ(held.steps, (Names{"remove a", "insert bb before c", "insert d"}));
    EXPECT_EQ(held.Named("b"), b) << "kept, not made again";
    EXPECT_EQ(held.Named("c"), c);

    held.steps.clear();
    children.Merge(parent, nullptr, held);
    EXPECT_EQ(held.steps, Names{}) << "nothing changed";

    // The folder itself goes: so do its children.
    TKeshShFolderData gone(TKeshShID::FromPath(folder / "d"));
    Held below;
    MakeFolder(folder / "d\\inner");
    children.Merge(gone, nullptr, below);
    ASSERT_EQ(below.Shown(), Names{"inner"});
    DeleteTree(folder / "d");
    children.Merge(gone, nullptr, below);
    EXPECT_EQ(below.Shown(), Names{});
}

namespace {
// Merges lists of letters as the children are merged, writing down each step.
struct LetterMerge {
    std::vector<std::string> steps;
    TKeshShID::TCompareResult Compare(char existing, char fresh) {
        if (existing == '!') return TKeshShID::crFailed;
        return existing == fresh ? TKeshShID::crEqual : existing > fresh ? TKeshShID::crGreater : TKeshShID::crLess;
    }
    void Keep(char existing, char) { Note("keep ", existing); }
    void InsertBefore(char existing, char fresh) { Note("insert ", fresh, " before ", existing); }
    void Append(char fresh) { Note("append ", fresh); }
    void Remove(char existing) { Note("remove ", existing); }
    // Appended piece by piece: GCC 12 at -O3 misreads a chain of string temporaries (-Warray-bounds).
    template <typename... Pieces>
    void Note(const Pieces&... pieces) {
        std::string step;
        (step += ... += pieces);
        steps.push_back(step);
    }
};
}  // namespace

TEST(MergeSorted, KeepsWhatStaysInsertsWhatCameAndRemovesWhatWent) {
    const struct {
        std::string existing, fresh;
        Names steps;
    } cases[] = {
        {"", "ab", {"append a", "append b"}},
        {"ab", "", {"remove a", "remove b"}},
        {"bd", "abcd", {"insert a before b", "keep b", "insert c before d", "keep d"}},
        {"abcd", "bd", {"remove a", "keep b", "remove c", "keep d"}},
        {"ace", "bcf", {"remove a", "insert b before c", "keep c", "remove e", "append f"}},
        // A child that cannot be compared goes; the fresh one is then compared with the next.
        {"!b", "b", {"remove !", "keep b"}},
    };
    for (const auto& c : cases) {
        LetterMerge merge;
        MergeSorted(c.existing.begin(), c.existing.end(), c.fresh.begin(), c.fresh.end(), merge);
        EXPECT_EQ(merge.steps, c.steps) << c.existing << " <- " << c.fresh;
    }
}
