#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/TComponent.h"
#include "toolkit/TMenuItem.h"
#include "toolkit/TPopupMenu.h"

namespace {
std::vector<std::string> events;

class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::string name) : TComponent(owner) { SetName(std::move(name)); }
    ~Probe() override { events.push_back("destroy " + Name()); }
    TComponent* watched = nullptr;

protected:
    void Notification(TComponent& component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove) {
            events.push_back(Name() + " told of " + component.Name());
            if (&component == watched) watched = nullptr;
        }
    }
};
}  // namespace

TEST(Component, OwnerDestroysWhatItOwnsInReverseOrderAndTellsTheSiblings) {
    events.clear();
    {
        TComponent owner(nullptr);
        new Probe(&owner, "a");
        new Probe(&owner, "b");
    }
    // b goes first; a (still alive) hears of it through the owner.
    std::vector<std::string> expected = {"destroy b", "a told of b", "destroy a"};
    EXPECT_EQ(events, expected);
}

TEST(Component, FreeNotificationClearsAReferenceAcrossOwners) {
    events.clear();
    Probe left(nullptr, "left");
    auto* watcher = new Probe(&left, "watcher");
    auto* target = new Probe(nullptr, "target");
    watcher->watched = target;
    target->FreeNotification(watcher);
    delete target;
    EXPECT_EQ(watcher->watched, nullptr);
}

TEST(Component, RemovedFreeNotificationIsNotSentAndDestroyingTheListenerIsSafe) {
    events.clear();
    auto* a = new Probe(nullptr, "a");
    auto* b = new Probe(nullptr, "b");
    a->FreeNotification(b);
    delete b;  // a must forget b, or its own destruction would tell a dead object
    delete a;
    std::vector<std::string> expected = {"destroy b", "a told of b", "destroy a"};
    EXPECT_EQ(events, expected);
}

TEST(PopupMenu, ItemDestroyedElsewhereLeavesTheMenu) {
    TComponent form(nullptr);
    TPopupMenu menu(&form);
    auto* kept = menu.Add(new TMenuItem(&form, "kept"));
    auto* gone = menu.Add(new TMenuItem(&form, "gone"));
    delete gone;
    ASSERT_EQ(menu.Items().size(), 1u);
    EXPECT_EQ(menu.Items()[0], kept);
}

TEST(MenuItem, ClickRunsOnlyWhileEnabled) {
    TMenuItem item(nullptr, "x");
    int clicks = 0;
    item.OnClick = [&](TObject&) { ++clicks; };
    item.Click();
    item.SetEnabled(false);
    item.Click();
    EXPECT_EQ(clicks, 1);
}
