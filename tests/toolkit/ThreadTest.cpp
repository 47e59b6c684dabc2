#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "tests/support/BoxRecorder.h"
#include "tests/support/TestEnvironment.h"
#include "toolkit/Exception.h"
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
    ::Sleep(50);
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
