#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <mutex>
#include <thread>

#include "folderbrowser/TKeshShDragObject.h"
#include "tests/folderbrowser/BrowserFixture.h"
#include "tests/folderbrowser/UserInput.h"
#include "toolkit/Exception.h"
#include "toolkit/FilePath.h"

namespace {
// What a drag over the tree saw last, per node: read by the input thread, which moves on
// only when the program has seen the pointer where it was sent.
class DragWatch {
public:
    explicit DragWatch(TKeshShTreeView& tree) : tree_(tree) {
        tree.OnShDragOver = [this](TObject&, TKeshShDragObject&, TShiftState, int x, int y, DWORD& effect) {
            TVHITTESTINFO hit{};
            hit.pt = POINT{x, y};
            TreeView_HitTest(tree_.Handle(), &hit);
            TKeshShTreeNode* node = tree_.NodeOf(hit.hItem);
            std::lock_guard<std::mutex> lock(mutex_);
            effects_[node ? node->ShData()->DisplayName() : std::string()] = effect;
            if (OnOver) OnOver();
        };
    }
    // The effect last offered over the node of that name (-1: never over it).
    long Effect(const std::string& node) {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = effects_.find(node);
        return found == effects_.end() ? -1 : static_cast<long>(found->second);
    }
    std::function<void()> OnOver;

private:
    TKeshShTreeView& tree_;
    std::mutex mutex_;
    std::map<std::string, DWORD> effects_;
};
}  // namespace

TEST(DragDrop, FilesDraggedFromTheListOntoAFolderNodeAreMovedAndWithCtrlCopied) {
    DesktopFolder top("ドラッグテスト");
    WriteFileBytes(top / "a.txt", "a");
    WriteFileBytes(top / "b.txt", "b");
    top.MakeFolder("箱\\奥");
    BrowserWindow window;
    TKeshShTreeView& tree = *window.tree;
    TKeshShListView& list = *window.list;
    list.SetViewStyle(vsReport);
    tree.SelectPath(top.Path());
    tree.Expand(tree.Selected());
    TKeshShTreeNode* box = ChildNamed(tree, tree.Selected(), "箱");
    ASSERT_NE(box, nullptr);
    ASSERT_FALSE(tree.Expanded(box));
    ASSERT_EQ(window.RowNames(), (std::vector<std::string>{"箱", "a.txt", "b.txt"}));
    // Counted on this thread, read on the input thread: the next move waits for the drag to begin.
    std::atomic<int> drags{0};
    list.OnShBeginDrag = [&](TObject&, TKeshShFileData&, POINT, int, int, bool&) { ++drags; };
    DragWatch watch(tree);
    // Where the inner folder shows once hovering has opened the box (set on this thread).
    std::atomic<bool> boxOpen{false};
    std::string innerAt;
    std::mutex innerMutex;
    watch.OnOver = [&] {
        if (boxOpen || !tree.Expanded(box)) return;
        if (TKeshShTreeNode* inner = ChildNamed(tree, box, "奥")) {
            std::lock_guard<std::mutex> lock(innerMutex);
            innerAt = ScreenAt(tree.Handle(), NodePoint(tree.Handle(), inner->Item()));
            boxOpen = true;
        }
    };
    HWND listWindow = list.Handle();
    const std::string rowA = ScreenAt(listWindow, RowPoint(listWindow, 1));
    const std::string rowB = ScreenAt(listWindow, RowPoint(listWindow, 2));
    const std::string boxAt = ScreenAt(tree.Handle(), NodePoint(tree.Handle(), box->Item()));

    // a.txt held over the closed box until the box opens, then dropped into the folder in it.
    ASSERT_TRUE(RunInput([&] {
        return XdoNow("mousemove " + rowA + " mousedown 1 mousemove_relative 8 8") &&
               AwaitFlag([&] { return drags == 1; }) && XdoNow("mousemove " + boxAt) &&
               AwaitFlag([&] { return boxOpen.load(); }) &&
               XdoNow("mousemove " +
                      [&] {
                          std::lock_guard<std::mutex> lock(innerMutex);
                          return innerAt;
                      }()) &&
               AwaitFlag([&] { return watch.Effect("奥") == DROPEFFECT_MOVE; }) && XdoNow("mouseup 1");
    }));
    EXPECT_EQ(drags, 1);
    EXPECT_TRUE(PathExists(top / "箱\\奥\\a.txt"));
    EXPECT_FALSE(PathExists(top / "a.txt")) << "moved";

    // b.txt with Ctrl held during the drag: copied into the box.
    ASSERT_TRUE(RunInput([&] {
        return XdoNow("mousemove " + rowB + " mousedown 1 mousemove_relative 8 8") &&
               AwaitFlag([&] { return drags == 2; }) && XdoNow("keydown ctrl mousemove " + boxAt) &&
               AwaitFlag([&] { return watch.Effect("箱") == DROPEFFECT_COPY; }) && XdoNow("mouseup 1 keyup ctrl");
    }));
    EXPECT_EQ(drags, 2);
    EXPECT_EQ(ReadFileBytes(top / "箱\\b.txt"), "b");
    EXPECT_TRUE(PathExists(top / "b.txt")) << "copied";
    EXPECT_EQ(list.MouseDownState, 0);
}

TEST(DragDrop, AFolderIsNeverDroppedOntoItselfOrBelowItself) {
    DesktopFolder top("自分へのドロップ");
    top.MakeFolder("親\\子");
    BrowserWindow window;
    TKeshShTreeView& tree = *window.tree;
    tree.SelectPath(top / "親\\子");
    TKeshShTreeNode* child = tree.Selected();
    TKeshShTreeNode* parent = tree.ParentOf(child);
    std::atomic<int> drags{0};
    tree.OnShBeginDrag = [&](TObject&, TKeshShTreeNode& node, POINT, int, int, bool&) {
        ++drags;
        EXPECT_EQ(&node, parent);
    };
    int drops = 0;
    tree.OnShDragDrop = [&](TObject&, TKeshShDragObject&, TShiftState, int, int, DWORD&, bool&) { ++drops; };
    DragWatch watch(tree);
    HWND treeWindow = tree.Handle();
    const std::string parentAt = ScreenAt(treeWindow, NodePoint(treeWindow, parent->Item()));
    const std::string childAt = ScreenAt(treeWindow, NodePoint(treeWindow, child->Item()));

    ASSERT_TRUE(RunInput([&] {
        return XdoNow("mousemove " + parentAt + " mousedown 1 mousemove_relative 0 8") &&
               AwaitFlag([&] { return drags == 1; }) && XdoNow("mousemove " + childAt) &&
               AwaitFlag([&] { return watch.Effect("子") >= 0; }) && XdoNow("mousemove " + parentAt) &&
               AwaitFlag([&] { return watch.Effect("親") >= 0; }) && XdoNow("mouseup 1");
    }));
    EXPECT_EQ(drags, 1);
    EXPECT_EQ(watch.Effect("子"), DROPEFFECT_NONE) << "below itself";
    EXPECT_EQ(watch.Effect("親"), DROPEFFECT_NONE) << "itself";
    EXPECT_EQ(drops, 0);
    EXPECT_TRUE(DirectoryExists(top / "親\\子"));
    EXPECT_EQ(tree.MouseDownState, 0);

    try {
        TKeshShDragObject nothing(nullptr);
        ADD_FAILURE() << "a drag without data";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "パラメータが不正です。");
    }
}

// The saved folder is read ahead on a worker before any window is made. Whichever thread
// first makes or frees an identifier list, OLE must be the user-interface thread's, or the
// tree and list take no drops. Run in a process of its own, where nothing has used the shell.
TEST(DragDrop, ListTakesDropsEvenWhenAWorkerTouchedTheShellFirst) {
    EXPECT_EXIT(
        {
            std::thread worker([] {
                try {
                    const TShIDList list = TKeshShID::Allocate(2);
                } catch (...) {
                    // Refused off the user-interface thread: the shell is not set up here.
                }
            });
            worker.join();
            TForm form(nullptr);
            auto* list = new TKeshShListView(&form);
            list->SetParent(&form);
            std::exit(::GetPropA(list->Handle(), "OleDropTargetInterface") ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
