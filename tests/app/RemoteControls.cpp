#include "tests/app/RemoteControls.h"

#include <commctrl.h>

#include <cstring>

#include "tests/app/ProgramMenu.h"
#include "tests/support/ProgramDriver.h"
#include "toolkit/UniqueHandle.h"

namespace {
// A block of memory in the process of a window, freed with the object.
class RemoteBlock {
public:
    RemoteBlock(HWND window, SIZE_T size) : size_(size) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        process_.reset(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
        if (process_) address_ = ::VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBlock() {
        if (address_) ::VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    explicit operator bool() const { return address_ != nullptr; }
    char* At(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
    LPARAM Param(SIZE_T offset = 0) const { return reinterpret_cast<LPARAM>(At(offset)); }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) const {
        return offset + size <= size_ && ::WriteProcessMemory(process_.get(), At(offset), data, size, nullptr);
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const {
        return offset + size <= size_ && ::ReadProcessMemory(process_.get(), At(offset), data, size, nullptr);
    }

private:
    UniqueKernelHandle process_;
    void* address_ = nullptr;
    SIZE_T size_;
};

constexpr SIZE_T kTextOffset = 256;
constexpr SIZE_T kTextSize = 1024;

std::string ItemText(HWND tree, const RemoteBlock& block, HTREEITEM item) {
    TVITEMA query{};
    query.mask = TVIF_TEXT | TVIF_HANDLE;
    query.hItem = item;
    query.pszText = block.At(kTextOffset);
    query.cchTextMax = kTextSize;
    char text[kTextSize] = {};
    if (!block.Write(0, &query, sizeof query) || !::SendMessageA(tree, TVM_GETITEMA, 0, block.Param()) ||
        !block.Read(kTextOffset, text, sizeof text - 1)) {
        return "";
    }
    return text;
}

RECT OnScreen(HWND window, RECT rect) {
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
}  // namespace

RECT TreeItemRect(HWND tree, const std::string& text) {
    RemoteBlock block(tree, kTextOffset + kTextSize);
    if (!block) return RECT{};
    auto next = [tree](HTREEITEM item, WPARAM how) {
        return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    };
    for (HTREEITEM item = next(nullptr, TVGN_FIRSTVISIBLE); item; item = next(item, TVGN_NEXTVISIBLE)) {
        if (ItemText(tree, block, item) != text) continue;
        // The message finds the item by the handle in the rectangle's place.
        RECT rect{};
        std::memcpy(&rect, &item, sizeof item);
        if (!block.Write(0, &rect, sizeof rect) || !::SendMessageA(tree, TVM_GETITEMRECT, TRUE, block.Param()) ||
            !block.Read(0, &rect, sizeof rect)) {
            return RECT{};
        }
        return OnScreen(tree, rect);
    }
    return RECT{};
}

RECT TabRect(HWND tabs, int index) {
    RemoteBlock block(tabs, sizeof(RECT));
    RECT rect{};
    if (!block || !::SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), block.Param()) ||
        !block.Read(0, &rect, sizeof rect)) {
        return RECT{};
    }
    return OnScreen(tabs, rect);
}

POINT Middle(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

HWND ControlOnPage(HWND settings, int page, const std::string& className, const std::string& text) {
    const RECT tab = TabRect(ProgramDriver::FindControl(settings, "SysTabControl32", ""), page);
    if (tab.right <= tab.left || !RunHostCommand(Click(Middle(tab)))) return nullptr;
    HWND control = nullptr;
    PumpUntil([&] {
        control = ProgramDriver::FindControl(settings, className, text);
        return control && ::IsWindowVisible(control);
    });
    return control && ::IsWindowVisible(control) ? control : nullptr;
}
