#include "folderbrowser/TShReadyHandshake.h"

#include "folderbrowser/TShThread.h"

TShReadyHandshake::TShReadyHandshake(HANDLE ended)
    : ended_(ended), ready_(TShThread::ManualResetEvent()), reportingEvent_(TShThread::ManualResetEvent()) {}

bool TShReadyHandshake::Changed() {
    current_ = false;
    if (reporting_) return false;
    ::ResetEvent(ready_.get());
    return true;
}

void TShReadyHandshake::Armed() {
    current_ = true;
    ::SetEvent(ready_.get());
}

void TShReadyHandshake::ReportBegins() {
    reporting_ = true;
    ::SetEvent(reportingEvent_.get());
}

void TShReadyHandshake::ReportEnds() {
    reporting_ = false;
    ::ResetEvent(reportingEvent_.get());
}

void TShReadyHandshake::WaitReady() const {
    const HANDLE events[] = {ready_.get(), reportingEvent_.get(), ended_};
    ::WaitForMultipleObjects(3, events, FALSE, INFINITE);
}
