#include "folderbrowser/SystemImageLists.h"

#include <objbase.h>
#include <shellapi.h>

#include <memory>

#include "toolkit/TThread.h"

namespace {
HIMAGELIST Ask(bool small) {
    char root[MAX_PATH] = "C:\\";
    if (::GetWindowsDirectoryA(root, sizeof root) >= 3) root[3] = '\0';
    SHFILEINFOA info{};
    return reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA(root, 0, &info, sizeof info, SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0)));
}

class Loader : public TThread {
public:
    ~Loader() override { WaitFor(); }

protected:
    void Execute() override {
        // The shell looks icons up through COM objects of its own.
        const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        Ask(true);
        Ask(false);
        if (SUCCEEDED(com)) ::CoUninitialize();
    }
};

std::unique_ptr<Loader> loader;
bool prepared = false;
}  // namespace

void SystemImageLists::Prepare() {
    if (prepared) return;
    prepared = true;
    loader = std::make_unique<Loader>();
    loader->Start();
}

HIMAGELIST SystemImageLists::Get(bool small) {
    // Whatever the loader met, the lists are asked for here again.
    loader.reset();
    return Ask(small);
}
