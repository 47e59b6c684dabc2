#include "app/SettledScreen.h"

#include <algorithm>
#include <chrono>
#include <set>
#include <vector>

#include "capture/Compositor.h"
#include "toolkit/CallbackErrors.h"
#include "toolkit/PumpMessages.h"

namespace {
// How long a program is given to answer each time it is asked.
constexpr UINT kAnswerTime = 200;

class Deadline {
public:
    explicit Deadline(DWORD milliseconds) : end_(::GetTickCount() + milliseconds) {}
    bool Passed() const { return static_cast<LONG>(::GetTickCount() - end_) >= 0; }
    // The time a program is given to answer: never beyond the deadline.
    UINT AnswerTime() const {
        const LONG left = static_cast<LONG>(end_ - ::GetTickCount());
        return static_cast<UINT>(std::clamp<LONG>(left, 1, kAnswerTime));
    }

private:
    DWORD end_;
};

DWORD ThreadOf(HWND window) { return ::GetWindowThreadProcessId(window, nullptr); }

// The program of the window has handled the messages sent to it before this one (or it
// answers from inside a call of its own that waits for another program). Windows of this
// thread answer by the pump. False when the program does not answer in time, or the window
// has gone.
bool Answers(HWND window, UINT time = kAnswerTime) {
    if (ThreadOf(window) == ::GetCurrentThreadId()) {
        PumpMessages();
        return true;
    }
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, time, &result) != 0;
}

// The window's thread has made it its active window and put the keyboard focus in it: the
// activation is over. (A thread that answers a message while it sends one of its own can
// answer in the middle of it.)
bool TookActivation(HWND window) {
    GUITHREADINFO info{sizeof info};
    if (!::GetGUIThreadInfo(ThreadOf(window), &info) || info.hwndActive != window) return false;
    return info.hwndFocus == window || ::IsChild(window, info.hwndFocus);
}

// A short pause, so that the programs that still paint get the processor and hear of what
// their display tells them.
void Pause(DWORD milliseconds = 5) { ::MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT); }

struct WindowSearch {
    RECT area;
    std::vector<HWND> found;
    HeldError error;
};

BOOL CALLBACK AddWindowOver(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<WindowSearch*>(lParam);
    return search.error.Run(FALSE, [&] {
        RECT rect{}, common{};
        // A cloaked window is not on the screen: on Windows those of suspended apps, whose
        // frozen programs would answer no question in time.
        if (::IsWindowVisible(window) && !::IsIconic(window) && ::GetWindowRect(window, &rect) &&
            ::IntersectRect(&common, &rect, &search.area) && !Compositor::Cloaked(window)) {
            search.found.push_back(window);
        }
        return TRUE;
    });
}

// The visible top-level windows that cover part of the area.
std::vector<HWND> WindowsOver(const RECT& area) {
    WindowSearch search{area, {}, {}};
    ::EnumWindows(&AddWindowOver, reinterpret_cast<LPARAM>(&search));
    search.error.Rethrow();
    return std::move(search.found);
}

BOOL CALLBACK FindPartToRepaint(HWND child, LPARAM lParam) {
    if (!::GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(lParam) = true;
    return FALSE;
}

// The window or one of its controls has a part waiting to be painted.
bool HasPartToRepaint(HWND window) {
    bool found = ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
    if (!found) ::EnumChildWindows(window, &FindPartToRepaint, reinterpret_cast<LPARAM>(&found));
    return found;
}

void WaitForActivation(HWND window, const Deadline& deadline) {
    // The system refuses the foreground at times (another program in front meanwhile):
    // then no activation comes to wait for.
    while (::GetForegroundWindow() == window && !TookActivation(window) && !deadline.Passed()) {
        if (!Answers(window, deadline.AnswerTime())) return;
        Pause();
    }
    // Done with what the activation sent it: what it changed is now marked for repainting.
    if (!deadline.Passed()) Answers(window, deadline.AnswerTime());
}

void WaitForRepaint(const RECT& area, const Deadline& deadline) {
    struct Waited {
        HWND window;
        int quietRounds = 0;
        // Seen with a part to repaint: once seen without after that, it has repainted.
        bool hadPart = false;
    };
    std::vector<Waited> waiting;
    for (HWND window : WindowsOver(area)) waiting.push_back({window});
    while (!waiting.empty()) {
        PumpMessages();
        // Looked at first, then asked: a window found with nothing to repaint has finished any
        // paint it was in once its program has answered. Twice in a row, with a pause
        // between, so that what the program only learns of later (its display's events) and
        // what it still has to hand on to the display have come too.
        for (Waited& waited : waiting) {
            const bool quiet = !::IsWindow(waited.window) || !HasPartToRepaint(waited.window);
            waited.quietRounds = quiet ? waited.quietRounds + 1 : 0;
            if (!quiet) waited.hadPart = true;
        }
        std::set<DWORD> asked, silent;
        const auto asking = std::chrono::steady_clock::now();
        for (const Waited& waited : waiting) {
            if (deadline.Passed()) return;
            const DWORD thread = ThreadOf(waited.window);
            if (asked.insert(thread).second && !Answers(waited.window, deadline.AnswerTime())) silent.insert(thread);
        }
        // As long again as the answers took: on an idle machine a moment, on a busy one
        // the time the programs need to get to their work.
        const auto answered =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - asking);
        // A window that keeps repainting (a video, a progress bar) is done once it has
        // repainted: it is never quiet twice in a row.
        std::erase_if(waiting, [&](const Waited& waited) {
            const int quietEnough = waited.hadPart ? 1 : 2;
            return waited.quietRounds >= quietEnough || silent.count(ThreadOf(waited.window)) != 0;
        });
        if (waiting.empty() || deadline.Passed()) return;
        Pause(static_cast<DWORD>(std::clamp<long long>(answered.count(), 2, 50)));
    }
}
}  // namespace

void ReturnForeground(HWND window) {
    // This program in front has taken the foreground from the window a moment ago: its
    // program hears of it before the messages sent to it after.
    if (ThreadOf(::GetForegroundWindow()) == ::GetCurrentThreadId()) Answers(window);
    ::SetForegroundWindow(window);
}

void WaitForSettledScreen(HWND activated, const RECT& area, DWORD bound) {
    const Deadline deadline(bound);
    if (activated) WaitForActivation(activated, deadline);
    WaitForRepaint(area, deadline);
    Compositor::Flush();
}
