#include <gtest/gtest.h>

#include <memory>

#include "folderbrowser/TShFolderLink.h"
#include "toolkit/TComponent.h"

namespace {
// Ends that only keep what the link hands them.
class Tree : public TComponent, public TShFolderLink::Tree {
public:
    Tree() : TComponent(nullptr), TShFolderLink::Tree(static_cast<TComponent&>(*this)) {}
    void SelectID(LPCITEMIDLIST) override {}
    void SetIncludeHidden(bool value) override { hidden = value; }
    TShVirtuaItems ShVirtuaItems() const override { return items; }
    void SetShVirtuaItems(TShVirtuaItems value) override { items = value; }
    void RefreshNodes() override {}
    void ItemRenamed(LPCITEMIDLIST, LPCITEMIDLIST) override {}
    void SuspendWatching(bool) override {}
    void ResumeWatching(bool) override {}
    void Notification(TComponent& component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove) LinkRemoved(component);
    }
    bool hidden = true;
    TShVirtuaItems items = 0;
};

class List : public TComponent, public TShFolderLink::List {
public:
    explicit List(bool showsHidden, TShVirtuaItems shown)
        : TComponent(nullptr),
          TShFolderLink::List(static_cast<TComponent&>(*this)),
          hidden(showsHidden),
          items(shown) {}
    bool OpenFolder(LPCITEMIDLIST) override { return true; }
    void ContentsChanged(LPCITEMIDLIST) override {}
    LPCITEMIDLIST ShownFolderID() const override { return nullptr; }
    bool ShowsHidden() const override { return hidden; }
    bool TakeReading(LPCITEMIDLIST, SHCONTF, std::vector<TShIDList>&, ComPtr<IShellFolder>&) override { return false; }
    TShVirtuaItems ShVirtuaItems() const override { return items; }
    void SetShVirtuaItems(TShVirtuaItems value) override { items = value; }
    void SuspendWatching(bool) override {}
    void ResumeWatching(bool) override {}
    void Notification(TComponent& component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove) LinkRemoved(component);
    }
    bool hidden;
    TShVirtuaItems items;
};

constexpr TShVirtuaItems kBin = ShItem(itBitBucket);
constexpr TShVirtuaItems kNet = ShItem(itNetWork);
}  // namespace

// Linking from either side links both; the hidden setting always comes from the list and
// the virtual items from the side that was set; a side linked anew lets go of what it was
// linked to; and whichever side goes first, the other forgets it.
TEST(FolderLink, LinksBothWaysCopiesSettingsAndLetsGoOfWhatWentBefore) {
    for (const bool fromList : {true, false}) {
        SCOPED_TRACE(fromList ? "set on the list" : "set on the tree");
        Tree tree;
        tree.items = kNet;
        auto first = std::make_unique<List>(false, kBin);
        List second(true, kBin | kNet);

        TShFolderLink::Link(&tree, first.get(), fromList);
        EXPECT_EQ(tree.LinkedList(), first.get());
        EXPECT_EQ(first->LinkedTree(), &tree);
        EXPECT_FALSE(tree.hidden) << "the list's hidden setting";
        EXPECT_EQ(tree.items, fromList ? kBin : kNet);
        EXPECT_EQ(first->items, fromList ? kBin : kNet);

        TShFolderLink::Link(&tree, &second, fromList);
        EXPECT_EQ(first->LinkedTree(), nullptr) << "the first list was let go of";
        EXPECT_EQ(tree.LinkedList(), &second);
        EXPECT_TRUE(tree.hidden);

        // The first list goes: it is no longer linked, so the tree keeps the second.
        first.reset();
        EXPECT_EQ(tree.LinkedList(), &second);

        // Unlinked from the list's side, then linked again and the list goes.
        TShFolderLink::Link(nullptr, &second, true);
        EXPECT_EQ(tree.LinkedList(), nullptr);
        EXPECT_EQ(second.LinkedTree(), nullptr);
        auto third = std::make_unique<List>(true, 0);
        TShFolderLink::Link(&tree, third.get(), fromList);
        third.reset();
        EXPECT_EQ(tree.LinkedList(), nullptr) << "the tree forgot the list that went";
    }
    // The tree goes first.
    List list(true, 0);
    {
        Tree tree;
        TShFolderLink::Link(&tree, &list, true);
    }
    EXPECT_EQ(list.LinkedTree(), nullptr);
}
