#include "folderbrowser/SystemImageLists.h"

#include <shellapi.h>
#include <shlobj.h>

#include <memory>

#include "folderbrowser/TKeshShID.h"
#include "toolkit/ComApartment.h"
#include "toolkit/TImageList.h"
#include "toolkit/TThread.h"
#include "toolkit/UniqueHandle.h"

namespace {
HIMAGELIST Ask(bool small) {
    char root[MAX_PATH] = "C:\\";
    if (::GetWindowsDirectoryA(root, sizeof root) >= 3) root[3] = '\0';
    SHFILEINFOA info{};
    return reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA(root, 0, &info, sizeof info, SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0)));
}

void AskIcon(LPCSTR item, UINT flags) {
    SHFILEINFOA info{};
    ::SHGetFileInfoA(item, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | flags);
}

// The icons that every first screen shows, each tens of milliseconds to load the first
// time: the computer, and a folder closed and open.
void AskCommonIcons() {
    LPITEMIDLIST list = nullptr;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &list))) {
        const TShIDList computer = TShIDList::Adopt(list);
        AskIcon(reinterpret_cast<LPCSTR>(computer.get()), SHGFI_PIDL);
    }
    char windows[MAX_PATH];
    if (::GetWindowsDirectoryA(windows, sizeof windows) == 0) return;
    AskIcon(windows, 0);
    AskIcon(windows, SHGFI_OPENICON);
}

class Loader : public TThread {
public:
    Loader() : listsReady_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Loader() override { WaitFor(); }

    // Until the lists are made; the common icons may still be loading.
    void WaitForLists() {
        if (listsReady_) {
            ::WaitForSingleObject(listsReady_.get(), INFINITE);
        } else {
            WaitFor();
        }
    }

protected:
    void Execute() override {
        // The shell looks icons up through COM objects of its own.
        const ComApartment apartment;
        {
            // Whatever happens, whoever waits for the lists is let go once they are made.
            struct Ready {
                HANDLE event;
                ~Ready() {
                    if (event) ::SetEvent(event);
                }
            } ready{listsReady_.get()};
            Ask(true);
            Ask(false);
        }
        AskCommonIcons();
    }

private:
    UniqueKernelHandle listsReady_;
};

std::unique_ptr<Loader> loader;
bool prepared = false;
bool later = false;
UniqueHimagelist blankSmall, blankLarge;
}  // namespace

void SystemImageLists::PrepareLater() { later = !prepared; }

void SystemImageLists::Prepare() {
    if (prepared) return;
    prepared = true;
    later = false;
    // The loader frees an identifier list: the shell module is set up here, not there.
    TKeshShID::Initialize();
    loader = std::make_unique<Loader>();
    loader->Start();
}

bool SystemImageLists::AttachAtOnce() { return !later; }

HIMAGELIST SystemImageLists::Get(bool small) {
    // Whatever the loader met, the lists are asked for here again.
    if (loader) loader->WaitForLists();
    if (loader && loader->HasEnded()) loader.reset();
    return Ask(small);
}

bool SystemImageLists::IsBlank(HIMAGELIST list) {
    return list && (list == blankSmall.get() || list == blankLarge.get());
}

HIMAGELIST SystemImageLists::Blank(bool small) {
    UniqueHimagelist& blank = small ? blankSmall : blankLarge;
    if (!blank) {
        const int width = ::GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
        const int height = ::GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON);
        blank.reset(::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 0, 1));
    }
    return blank.get();
}

void SystemImageLists::AttachTo(HWND window, std::initializer_list<Slot> slots) {
    const bool blank = !AttachAtOnce();
    for (const Slot& slot : slots) {
        ::SendMessageA(window, slot.set, slot.index,
                       reinterpret_cast<LPARAM>(blank ? Blank(slot.small) : Get(slot.small)));
    }
}

void SystemImageLists::AttachLeftForLater(HWND window, std::initializer_list<Slot> slots) {
    if (!window || slots.size() == 0) return;
    const Slot& first = *slots.begin();
    if (!IsBlank(reinterpret_cast<HIMAGELIST>(::SendMessageA(window, first.get, first.index, 0)))) return;
    for (const Slot& slot : slots)
        ::SendMessageA(window, slot.set, slot.index, reinterpret_cast<LPARAM>(Get(slot.small)));
}
