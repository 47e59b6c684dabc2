#include "folderbrowser/ShellWorker.h"

#include "folderbrowser/ShellModule.h"
#include "toolkit/ComApartment.h"

ShellWorker::ShellWorker(std::function<void()> work, Errors errors) : work_(std::move(work)), errors_(errors) {}

ShellWorker::~ShellWorker() { WaitFor(); }

std::unique_ptr<ShellWorker> ShellWorker::Launch(std::function<void()> work, Errors errors) {
    // OLE and the shell's allocator belong to the user-interface thread: set up here, before
    // the worker's first item list could do it on the worker.
    ShellModule::Instance();
    std::unique_ptr<ShellWorker> worker(new ShellWorker(std::move(work), errors));
    try {
        worker->TThread::Start();
    } catch (...) {
        if (errors == Errors::report) throw;
        return nullptr;
    }
    return worker;
}

bool ShellWorker::Finish() {
    WaitFor();
    return done_;
}

void ShellWorker::Execute() {
    const ComApartment apartment;
    try {
        work_();
        done_ = true;
    } catch (...) {
        if (errors_ == Errors::report) throw;
    }
}
