#include "folderbrowser/ShellModule.h"

#include <atomic>

#include "toolkit/EOSError.h"
#include "toolkit/UserInterfaceQueue.h"

const ShellModule::Sources ShellModule::kSystem{::CoGetMalloc, ::SHGetDesktopFolder};

ShellModule::Ole::Ole() : initialized_(SUCCEEDED(::OleInitialize(nullptr))) {}

ShellModule::Ole::~Ole() {
    if (initialized_) ::OleUninitialize();
}

ShellModule::ShellModule(const Sources& sources) {
    // A call that answers success without the object has failed all the same.
    const HRESULT malloc = sources.getMalloc(1, malloc_.put());
    ThrowIfFailed(FAILED(malloc) || malloc_ ? malloc : E_POINTER);
    const HRESULT desktop = sources.getDesktopFolder(desktop_.put());
    ThrowIfFailed(FAILED(desktop) || desktop_ ? desktop : E_POINTER);
}

ShellModule& ShellModule::Instance() {
    static std::atomic<ShellModule*> made{nullptr};
    if (ShellModule* module = made.load()) return *module;
    if (!UserInterfaceQueue::Instance().OnItsThread())
        throw Exception("シェルはユーザーインターフェースのスレッドで準備してから使ってください");
    static ShellModule module;
    made = &module;
    return module;
}
