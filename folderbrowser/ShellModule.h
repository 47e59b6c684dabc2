#pragma once
// OLE, the shell's task allocator and the Desktop folder for the whole run, from the first
// use on to the end. Nothing of the shell namespace works without them: when one cannot be
// had, making the module fails at once with the system's text for the failure, and the next
// use tries again.
//
// OLE belongs to the thread that starts it, and drag and drop needs it on the user-interface
// thread: the module is made there alone. A worker that would be first to use it fails
// instead (workers are started after setting it up: ShellWorker::Launch).
#include <windows.h>
#include <shlobj.h>

#include "toolkit/ComPtr.h"

class ShellModule {
public:
    // Where the allocator and the Desktop come from (a test hands in failing ones).
    struct Sources {
        HRESULT(WINAPI* getMalloc)(DWORD context, IMalloc** malloc);
        HRESULT(WINAPI* getDesktopFolder)(IShellFolder** folder);
    };
    static const Sources kSystem;

    // Throws EOSError carrying the failed call's result.
    explicit ShellModule(const Sources& sources = kSystem);
    ShellModule(const ShellModule&) = delete;
    ShellModule& operator=(const ShellModule&) = delete;

    IMalloc* Malloc() const { return malloc_.get(); }
    IShellFolder* Desktop() const { return desktop_.get(); }

    // The run's module, made on first use on the user-interface thread.
    static ShellModule& Instance();

private:
    // Undoes OleInitialize only when it succeeded, also when a later step fails: it is
    // made first and so goes last.
    class Ole {
    public:
        Ole();
        ~Ole();
        Ole(const Ole&) = delete;
        Ole& operator=(const Ole&) = delete;

    private:
        bool initialized_;
    };

    Ole ole_;
    ComPtr<IMalloc> malloc_;
    ComPtr<IShellFolder> desktop_;
};
