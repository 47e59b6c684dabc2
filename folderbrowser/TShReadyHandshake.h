#pragma once
// How a watcher's owner waits until the watcher has armed the settings the owner gave it,
// without ever waiting for a thread that waits for the owner or that runs no more. All of
// it lives here, in four steps, each taken under the watcher's lock:
//
//   owner   Changed()       the armed handles answer for old settings (Current() is false);
//                           unless a report is out, readiness is withdrawn and the thread is
//                           to be woken (true).
//   thread  Armed()         the handles answer for the settings: ready.
//   thread  ReportBegins()  a report goes to the owner's thread and the watcher waits for it
//           ReportEnds()    there; meanwhile the owner's waits return at once, since the
//                           watcher re-arms right after the report.
//   owner   WaitReady()     (without the lock) returns once ready, while a report is out,
//                           or once the thread has ended, whichever way.
#include <windows.h>

#include "toolkit/UniqueHandle.h"

class TShReadyHandshake {
public:
    // `ended`: the watcher thread's event for its end, set once and never reset.
    explicit TShReadyHandshake(HANDLE ended);

    bool Changed();
    void Armed();
    bool Current() const { return current_; }
    void ReportBegins();
    void ReportEnds();
    void WaitReady() const;

private:
    HANDLE ended_;
    UniqueKernelHandle ready_;
    UniqueKernelHandle reportingEvent_;
    bool current_ = false;
    bool reporting_ = false;
};
