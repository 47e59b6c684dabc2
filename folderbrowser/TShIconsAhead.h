#pragma once
// The icons of the items in view, looked up on a thread of its own while the user-interface
// thread waits anyway (the splash's pause at start-up), then given to the items. A folder's
// icon can take the shell tens of milliseconds (it looks for the folder's desktop.ini, and
// a missing file in a folder of thousands is slow to rule out). The thread binds its own
// folders; the items are only read here, before the thread starts, and written in Finish.
#include <windows.h>

#include <memory>
#include <vector>

#include "folderbrowser/ShellWorker.h"
#include "folderbrowser/TKeshShData.h"

class TShIconsAhead {
public:
    TShIconsAhead() = default;
    TShIconsAhead(const TShIconsAhead&) = delete;
    TShIconsAhead& operator=(const TShIconsAhead&) = delete;
    // Waits for a thread still running; its icons are not given.
    ~TShIconsAhead();

    // Before Start, on the user-interface thread; the item must live until Finish.
    void Add(TKeshShData& item, bool openIcon);
    // Looks the icons up on a thread. A speed-up only: without one (none could be started,
    // or it failed) Finish leaves every item to look its icons up itself.
    void Start();
    // Waits for the thread and gives each item the icons it found.
    void Finish();

private:
    struct Item {
        TKeshShData* data;
        bool openIcon;
        TKeshShData::IconQuery closed, open;
        int closedIndex = -1, openIndex = -1;
    };
    void LookUp();

    std::vector<Item> items_;
    std::unique_ptr<ShellWorker> worker_;
};
