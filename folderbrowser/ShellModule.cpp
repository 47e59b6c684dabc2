#include "folderbrowser/ShellModule.h"

#include "toolkit/EOSError.h"

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
    static ShellModule module;
    return module;
}
