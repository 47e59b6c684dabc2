#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "tests/support/BoxRecorder.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/Exception.h"
#include "toolkit/PumpMessages.h"
#include "toolkit/TIcon.h"
#include "toolkit/TThread.h"

namespace {
using Clock = std::chrono::steady_clock;

class Worker : public TThread {
public:
    Worker(DWORD sleep, bool* destroyed = nullptr) : sleep_(sleep), destroyed_(destroyed) {}
    ~Worker() override {
        Terminate();
        WaitFor();
        if (destroyed_) *destroyed_ = true;
    }
    std::atomic<DWORD> workerThread{0};
    std::atomic<bool> interrupted{false};

protected:
    void Execute() override {
        workerThread = ::GetCurrentThreadId();
        interrupted = Sleep(sleep_);
    }

private:
    DWORD sleep_;
    bool* destroyed_;
};
}  // namespace

TEST(Thread, EndIsReportedOnTheUserInterfaceThreadAndFreesTheThread) {
    bool destroyed = false;
    auto* worker = new Worker(20, &destroyed);
    worker->FreeOnTerminate = true;
    DWORD reportedOn = 0;
    DWORD ranOn = 0;
    worker->OnTerminate = [&](TObject& sender) {
        reportedOn = ::GetCurrentThreadId();
        ranOn = static_cast<Worker&>(sender).workerThread;
    };
    worker->Start();
    ASSERT_TRUE(PumpUntil([&] { return destroyed; }));
    EXPECT_EQ(reportedOn, ::GetCurrentThreadId());
    EXPECT_NE(ranOn, 0u);
    EXPECT_NE(ranOn, reportedOn);
}

TEST(Thread, TerminateCutsASleepShort) {
    Worker worker(60000);
    worker.Start();
    const auto start = Clock::now();
    ASSERT_TRUE(WaitUntil([&] { return worker.workerThread != 0; })) << "the worker never ran";
    worker.Terminate();
    worker.WaitFor();
    EXPECT_TRUE(worker.interrupted);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
}

TEST(Thread, ThreadDeletedBeforeItsEndIsReportedIsNotReported) {
    int reports = 0;
    {
        Worker worker(0);
        worker.OnTerminate = [&](TObject&) { ++reports; };
        worker.Start();
        worker.WaitFor();  // its end notice is now waiting in the queue
    }
    // A new thread may take the same address; the old notice must not reach it.
    Worker next(10);
    int nextReports = 0;
    next.OnTerminate = [&](TObject&) { ++nextReports; };
    next.Start();
    ASSERT_TRUE(PumpUntil([&] { return nextReports == 1; }));
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(nextReports, 1);
}

TEST(Thread, ErrorInTheEndHandlerIsShownAndTheThreadStillFreed) {
    BoxRecorder boxes;
    bool destroyed = false;
    auto* worker = new Worker(0, &destroyed);
    worker->FreeOnTerminate = true;
    worker->OnTerminate = [](TObject&) { throw Exception("終了処理の失敗"); };
    worker->Start();
    ASSERT_TRUE(PumpUntil([&] { return destroyed; }));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"終了処理の失敗."});
}

namespace {
// A worker that fails, or that calls back into the user-interface thread; it can be held at
// its start until the test lets it go.
class Scripted : public TThread {
public:
    explicit Scripted(std::function<void(Scripted&)> script) : script_(std::move(script)) {}
    ~Scripted() override {
        Terminate();
        WaitFor();
    }
    using TThread::Synchronize;

protected:
    void Execute() override { script_(*this); }

private:
    std::function<void(Scripted&)> script_;
};
}  // namespace

TEST(Thread, ErrorOnAWorkerReachesTheErrorBoxOnTheUserInterfaceThread) {
    BoxRecorder boxes;
    DWORD shownOn = 0;
    boxes.OnBox([&](const MessageBoxRequest&) { shownOn = ::GetCurrentThreadId(); });

    // Its end is still reported, and a thread that frees itself is freed.
    bool ended = false;
    auto* failing = new Scripted([](Scripted&) { throw Exception("作業の失敗"); });
    failing->FreeOnTerminate = true;
    failing->OnTerminate = [&](TObject&) { ended = true; };
    failing->Start();
    ASSERT_TRUE(PumpUntil([&] { return ended && boxes.Boxes().size() == 1; }));
    EXPECT_EQ(boxes.Texts()[0], "作業の失敗.");
    EXPECT_EQ(shownOn, ::GetCurrentThreadId());

    // Deleted before anything of it was handled: the error is not lost with it; errors of
    // any type are shown.
    {
        Scripted gone([](Scripted&) { throw 42; });
        gone.Start();
        gone.WaitFor();
    }
    ASSERT_TRUE(PumpUntil([&] { return boxes.Boxes().size() == 2; }));
    EXPECT_EQ(boxes.Texts()[1], "Unknown error.");
}

TEST(Thread, SynchronizedWorkRunsOnTheUserInterfaceThreadAndNeverHoldsUpAStoppingOwner) {
    DWORD ranOn = 0;
    std::string caught;
    std::atomic<bool> done{false};
    Scripted worker([&](Scripted& self) {
        EXPECT_TRUE(self.Synchronize([&] { ranOn = ::GetCurrentThreadId(); }));
        try {
            self.Synchronize([] { throw Exception("呼び出しの失敗"); });
        } catch (const Exception& error) {
            caught = error.what();
        }
        done = true;
    });
    worker.Start();
    ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
    EXPECT_EQ(ranOn, ::GetCurrentThreadId());
    EXPECT_EQ(caught, "呼び出しの失敗") << "an error of the work goes back to the worker";

    // The owner stops a worker that waits for the user-interface thread, without handling
    // a message: the worker gives up and the work never runs.
    for (bool terminateFirst : {true, false}) {
        std::atomic<bool> answered{true}, ran{false};
        auto blocked =
            std::make_unique<Scripted>([&](Scripted& self) { answered = self.Synchronize([&] { ran = true; }); });
        PumpMessages();
        blocked->Start();
        // The call has been posted to this thread: the worker now waits for it. Its message
        // stays in the queue: nothing is handled here.
        ASSERT_TRUE(WaitUntil([] { return (HIWORD(::GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE) != 0; }))
            << "the worker never asked for the user-interface thread";
        if (terminateFirst) blocked->Terminate();
        blocked->WaitFor();
        EXPECT_FALSE(answered);
        blocked.reset();
        PumpFor(std::chrono::milliseconds(50));
        EXPECT_FALSE(ran);
    }
}

TEST(Icon, ChangesAreAnnouncedOnceAndAssignCopiesThePicture) {
    TIcon icon;
    int changes = 0;
    icon.OnChange = [&](TObject&) { ++changes; };
    TIcon source;
    source.SetHandle(::CopyIcon(::LoadIconA(nullptr, IDI_APPLICATION)));
    icon.Assign(source);
    EXPECT_EQ(changes, 1);
    ASSERT_FALSE(icon.Empty());
    EXPECT_NE(icon.Handle(), source.Handle());
    icon.SetHandle(icon.Handle());
    icon.Assign(icon);
    EXPECT_EQ(changes, 1);
    icon.Assign(TIcon());
    EXPECT_TRUE(icon.Empty());
    EXPECT_EQ(changes, 2);
}
