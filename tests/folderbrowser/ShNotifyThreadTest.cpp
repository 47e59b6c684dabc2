#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "folderbrowser/EShNotifyError.h"
#include "folderbrowser/TKeshShChangeDelay.h"
#include "folderbrowser/TShNotifyThread.h"
#include "tests/support/BoxRecorder.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/Exception.h"

namespace {
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct Report {
    std::string folder;
    Clock::time_point at;
    // Whether the folder is among the watched folders handed with the report.
    bool watched;
};

// Under Wine a folder's handle may never fire when the folder goes right after a change in
// it: the test decides which folders the thread finds gone, so the moment is certain.
class TestNotifyThread : public TShNotifyThread {
public:
    using TShNotifyThread::TShNotifyThread;
    void Vanish(const std::string& folder) {
        std::lock_guard lock(mutex_);
        vanished_.push_back(folder + "\\");
    }
    UniqueKernelHandle found{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};

protected:
    bool FolderExists(const std::string& folder) override {
        std::lock_guard lock(mutex_);
        if (std::find(vanished_.begin(), vanished_.end(), folder) == vanished_.end()) return true;
        ::SetEvent(found.get());
        return false;
    }

private:
    std::mutex mutex_;
    std::vector<std::string> vanished_;
};

// A watcher as its owners make it: suspended, folders set, started, armed.
class Watcher {
public:
    explicit Watcher(const std::vector<std::string>& folders, BYTE filter = 3) {
        thread = new TestNotifyThread(
            filter, [this](TShNotifyThread&, const std::string& folder, const std::vector<std::string>& watched) {
                reports.push_back(
                    {folder, Clock::now(), std::find(watched.begin(), watched.end(), folder) != watched.end()});
                Raise(onReport, folder);
            });
        thread->OnTerminate = [this](TObject&) { thread = nullptr; };
        thread->SetFolders(&folders);
        thread->Start();
        thread->WaitReady();
    }
    ~Watcher() {
        if (!thread) return;
        thread->OnTerminate = nullptr;
        thread->Stop();
        delete thread;
    }
    TestNotifyThread* thread;
    std::vector<Report> reports;
    std::function<void(const std::string&)> onReport;
};

void Touch(const std::string& path) { WriteFileBytes(path, "x"); }

// A change in a folder that the thread then finds gone.
void FireAndVanish(TestNotifyThread& thread, const std::string& folder) {
    thread.Vanish(folder);
    Touch(folder + "\\a.txt");
}

// Not "d" + std::to_string(i): GCC 12 warns falsely about that concatenation.
std::string Numbered(const char* stem, int i) {
    std::string name(stem);
    name += std::to_string(i);
    return name;
}
}  // namespace

TEST(ShNotifyThread, BurstOfChangesGivesOneReportAQuietPeriodAfterTheLast) {
    TempFolder folder;
    Watcher watcher({folder.Path()});
    Clock::time_point last;
    for (int i = 0; i < 10; ++i) {
        Touch(folder / Numbered("file", i));
        last = Clock::now();
        PumpFor(milliseconds(80));
    }
    ASSERT_TRUE(PumpUntil([&] { return !watcher.reports.empty(); }, milliseconds(10000)));
    PumpFor(milliseconds(2000));
    ASSERT_EQ(watcher.reports.size(), 1u);
    EXPECT_EQ(watcher.reports[0].folder, folder.Path() + "\\");
    EXPECT_GE(watcher.reports[0].at - last, milliseconds(1400));

    // Re-armed after the report: the next change is reported too.
    Touch(folder / "later.txt");
    EXPECT_TRUE(PumpUntil([&] { return watcher.reports.size() == 2; }, milliseconds(10000)));
}

TEST(ShNotifyThread, VanishedFolderIsReportedAtOnceAndDroppedFromWatching) {
    TempFolder parent;
    const std::string doomed = parent / "doomed";
    ::CreateDirectoryA(doomed.c_str(), nullptr);
    const std::string other = parent / "other";
    ::CreateDirectoryA(other.c_str(), nullptr);
    Watcher watcher({doomed, other}, TShNotifyThread::kFileName | TShNotifyThread::kDirectoryName);
    ASSERT_EQ(watcher.thread->Folders().size(), 2u);
    // Really gone once reported: the thread re-arms right after the report.
    watcher.onReport = [&](const std::string&) { DeleteTree(doomed); };
    const auto gone = Clock::now();
    FireAndVanish(*watcher.thread, doomed);
    ASSERT_TRUE(PumpUntil([&] { return !watcher.reports.empty(); }, milliseconds(10000)));
    EXPECT_EQ(watcher.reports[0].folder, doomed + "\\");
    EXPECT_LT(watcher.reports[0].at - gone, milliseconds(1400)) << "no quiet period for a vanished folder";
    // Re-arming drops the folder that cannot be watched any more, without a report of its own.
    ASSERT_TRUE(PumpUntil([&] { return watcher.thread->Folders().size() == 1; }));
    EXPECT_EQ(watcher.thread->Folders(), std::vector<std::string>{other + "\\"});
}

TEST(ShNotifyThread, FolderSettingsKeepToExistingDirectoriesAndTheWaitLimit) {
    TempFolder root;
    std::vector<std::string> folders;
    for (int i = 0; i < 63; ++i) {
        folders.push_back(root / Numbered("d", i));
        ::CreateDirectoryA(folders.back().c_str(), nullptr);
    }
    Watcher watcher({});
    TShNotifyThread& thread = *watcher.thread;

    // A folder that does not exist, and one present already (with or without its "\"),
    // change nothing.
    thread.AddFolder(root / "missing");
    thread.AddFolder(folders[0]);
    thread.AddFolder(folders[0] + "\\");
    EXPECT_EQ(thread.Folders(), std::vector<std::string>{folders[0] + "\\"});
    thread.RemoveFolder(folders[0] + "\\");
    EXPECT_TRUE(thread.Folders().empty());

    std::vector<std::string> tooMany(folders.begin(), folders.begin() + 62);
    try {
        thread.SetFolders(&tooMany);
        FAIL() << "62 folders accepted at once";
    } catch (const EShNotifyError& error) {
        EXPECT_STREQ(error.what(), "監視するフォルダ数が上限を超えています。");
    }
    EXPECT_TRUE(thread.Folders().empty());

    // One by one, the check comes before the adding: 62 fit, the 63rd is refused.
    for (int i = 0; i < 62; ++i) thread.AddFolder(folders[static_cast<size_t>(i)]);
    EXPECT_EQ(thread.Folders().size(), 62u);
    EXPECT_THROW(thread.AddFolder(folders[62]), EShNotifyError);
    thread.WaitReady();
    EXPECT_EQ(thread.Folders().size(), 62u) << "all 62 armed: the wait holds 64 objects";

    // The folders stay sorted without regard to case, each with its "\".
    std::vector<std::string> mixed{root / "D1", folders[10], root / "missing"};
    thread.SetFolders(&mixed);
    EXPECT_EQ(thread.Folders(), (std::vector<std::string>{root / "D1\\", folders[10] + "\\"}));
}

TEST(ShNotifyThread, StopReturnsPromptlyWhetherWaitingOrBlockedOnItsOwner) {
    // Waiting without limit for a change that never comes.
    {
        TempFolder folder;
        Watcher watcher({folder.Path()});
        const auto start = Clock::now();
        watcher.thread->Stop();
        EXPECT_LT(Clock::now() - start, milliseconds(3000));
    }
    // Waiting for the user-interface thread to take its report, while that thread, instead
    // of taking it, stops the watcher.
    {
        TempFolder folder;
        const std::string doomed = folder / "doomed";
        ::CreateDirectoryA(doomed.c_str(), nullptr);
        Watcher watcher({doomed});
        FireAndVanish(*watcher.thread, doomed);
        ASSERT_EQ(::WaitForSingleObject(watcher.thread->found.get(), 10000), WAIT_OBJECT_0);
        watcher.thread->Stop();
        PumpFor(milliseconds(100));
        EXPECT_TRUE(watcher.reports.empty()) << "a report abandoned by Stop must not arrive later";
    }
    // Settings changed while the thread waits for its owner: WaitReady does not wait for it.
    {
        TempFolder folder;
        const std::string doomed = folder / "doomed";
        ::CreateDirectoryA(doomed.c_str(), nullptr);
        Watcher watcher({doomed, folder.Path()});
        FireAndVanish(*watcher.thread, doomed);
        ASSERT_EQ(::WaitForSingleObject(watcher.thread->found.get(), 10000), WAIT_OBJECT_0);
        std::vector<std::string> only{folder.Path()};
        watcher.thread->SetFolders(&only);
        watcher.thread->WaitReady();
        ASSERT_TRUE(PumpUntil([&] { return watcher.reports.size() == 1; }));
    }
}

TEST(KeshShChangeDelay, OnlyTheLastOfQuickSchedulesIsDeliveredAfterTheDelay) {
    std::vector<std::pair<TKeshShTreeNode*, Clock::time_point>> delivered;
    bool ended = false;
    auto* delay = new TKeshShChangeDelay([&](TObject&) { ended = true; },
                                         [&](TKeshShChangeDelay&, TKeshShTreeNode*& node) {
                                             delivered.emplace_back(node, Clock::now());
                                             node = nullptr;
                                         });
    auto* first = reinterpret_cast<TKeshShTreeNode*>(0x10);
    auto* second = reinterpret_cast<TKeshShTreeNode*>(0x20);
    delay->Schedule(first, 500, false);
    PumpFor(milliseconds(200));
    delay->Schedule(second, 500, false);
    const auto last = Clock::now();
    ASSERT_TRUE(PumpUntil([&] { return !delivered.empty(); }));
    PumpFor(milliseconds(700));
    ASSERT_EQ(delivered.size(), 1u);
    EXPECT_EQ(delivered[0].first, second);
    EXPECT_GE(delivered[0].second - last, milliseconds(450));
    EXPECT_EQ(delay->PendingNode(), nullptr);

    // A pending node is dropped with the thread, without a delivery.
    delay->Schedule(first, 60000, false);
    delay->OnTerminate = nullptr;
    delay->Stop();
    delete delay;
    EXPECT_EQ(delivered.size(), 1u);
    EXPECT_FALSE(ended);
}

TEST(ShNotifyThread, ErrorInTheOwnersHandlerIsShownAndWatchingGoesOn) {
    BoxRecorder boxes;
    TempFolder folder;
    Watcher watcher({folder.Path()});
    watcher.onReport = [&](const std::string&) {
        if (watcher.reports.size() == 1) throw Exception("一覧を更新できません");
    };
    Touch(folder / "first.txt");
    ASSERT_TRUE(PumpUntil([&] { return !boxes.Boxes().empty(); }, milliseconds(10000)));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"一覧を更新できません."});
    Touch(folder / "second.txt");
    EXPECT_TRUE(PumpUntil([&] { return watcher.reports.size() == 2; }, milliseconds(10000)));
}

// The owners change the watched folders while changes keep arriving: the list suspends and
// resumes watching around its shell menu, renaming and new folders, and adds and removes the
// folders of its cache; the tree watches whole drives, so it is often amid a burst. Another
// thread keeps making and deleting files in the folders meanwhile. Every report must name a
// folder that is watched, and the thread must live through it and go on watching.
TEST(ShNotifyThread, ReportsOnlyWatchedFoldersWhileTheOwnerChangesThemAmidChanges) {
    TempFolder root;
    std::vector<std::string> folders;
    for (int i = 0; i < 16; ++i) {
        folders.push_back(root / Numbered("d", i));
        ::CreateDirectoryA(folders.back().c_str(), nullptr);
    }
    Watcher watcher(std::vector<std::string>(folders.begin(), folders.begin() + 8));
    // Half of the folders are found gone when they fire: they are reported at once, so the
    // reports come thick and fast; the others wait for their quiet period.
    for (size_t i = 1; i < folders.size(); i += 2) watcher.thread->Vanish(folders[i]);

    std::atomic<bool> stop{false};
    std::thread changes([&] {
        std::minstd_rand random(7);
        while (!stop) {
            const std::string file = folders[random() % folders.size()] + "\\" + Numbered("f", random() % 4);
            if (!::DeleteFileA(file.c_str())) {
                UniqueFileHandle made(
                    ::CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
            }
            if (random() % 8 == 0) ::Sleep(1);
        }
    });
    struct Join {
        std::atomic<bool>& stop;
        std::thread& thread;
        ~Join() {
            stop = true;
            thread.join();
        }
    } join{stop, changes};

    std::minstd_rand random(11);
    auto some = [&] {
        std::vector<std::string> chosen;
        for (const std::string& folder : folders) {
            if (random() % 2) chosen.push_back(folder);
        }
        return chosen;
    };
    // A thread that failed has ended (and is gone) by the time its end is handled here.
    for (int round = 0; round < 400 && watcher.thread && !HasFailure(); ++round) {
        TShNotifyThread& thread = *watcher.thread;
        switch (random() % 4) {
            case 0: {  // suspended around a shell command, then resumed
                const std::vector<std::string> saved = thread.Folders();
                thread.SetFolders(nullptr);
                thread.WaitReady();
                PumpFor(milliseconds(random() % 5));
                if (!watcher.thread) break;
                thread.SetFolders(&saved);
                break;
            }
            case 1:
                thread.AddFolder(folders[random() % folders.size()]);
                break;
            case 2:
                thread.RemoveFolder(folders[random() % folders.size()]);
                break;
            default: {
                const std::vector<std::string> chosen = some();
                thread.SetFolders(&chosen);
                break;
            }
        }
        if (watcher.thread) thread.WaitReady();
        PumpFor(milliseconds(random() % 10));
    }
    stop = true;
    const auto misplaced = std::count_if(watcher.reports.begin(), watcher.reports.end(),
                                         [](const Report& report) { return !report.watched; });
    EXPECT_EQ(misplaced, 0) << "of " << watcher.reports.size() << " reports";
    EXPECT_GT(watcher.reports.size(), 20u) << "the changes were reported while the folders changed";

    // Still watching: a change in a watched folder is reported once it is quiet.
    ASSERT_NE(watcher.thread, nullptr) << "the thread ended";
    const std::vector<std::string> one{folders[0]};
    watcher.thread->SetFolders(&one);
    watcher.thread->WaitReady();
    const size_t before = watcher.reports.size();
    PumpFor(milliseconds(200));
    Touch(folders[0] + "\\last.txt");
    EXPECT_TRUE(
        PumpUntil([&] { return watcher.reports.size() > before && watcher.reports.back().folder == folders[0] + "\\"; },
                  milliseconds(10000)));
}

TEST(ShNotifyThread, AWatcherThatFailedHoldsUpNoOwnerEvenBeforeItsEndIsReported) {
    // The failure's error box holds the user-interface thread: the thread's end is reported
    // only after it, and every call of the owner meanwhile must still return.
    class Failing : public TShNotifyThread {
    public:
        using TShNotifyThread::TShNotifyThread;

    protected:
        bool FolderExists(const std::string&) override { throw Exception("監視の失敗"); }
    };
    BoxRecorder boxes;
    TempFolder folder, other;
    auto* thread = new Failing(3, [](TShNotifyThread&, const std::string&, const std::vector<std::string>&) {});
    bool reported = false;
    thread->OnTerminate = [&](TObject&) { reported = true; };
    const std::vector<std::string> folders{folder.Path()};
    thread->SetFolders(&folders);
    thread->Start();
    thread->WaitReady();
    Touch(folder / "a.txt");
    ASSERT_TRUE(WaitUntil([&] { return thread->HasEnded(); }));

    std::atomic<bool> returned{false};
    std::thread owner([&] {
        thread->AddFolder(other.Path());
        thread->WaitReady();
        returned = true;
    });
    if (!WaitUntil([&] { return returned.load(); })) {
        // Blocked for good: the thread and its object are left to the process's end.
        thread->FreeOnTerminate = false;
        thread->OnTerminate = nullptr;
        owner.detach();
        FAIL() << "the owner waits for a watcher that has ended";
    }
    owner.join();
    ASSERT_TRUE(PumpUntil([&] { return reported; })) << "the thread's end is still reported, and it frees itself";
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"監視の失敗."});
}
