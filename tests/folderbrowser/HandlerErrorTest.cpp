#include <windows.h>
#include <dbt.h>
#include <gtest/gtest.h>

#include <cstring>

#include "folderbrowser/TKeshShTreeView.h"
#include "tests/folderbrowser/BrowserFixture.h"
#include "tests/support/BoxRecorder.h"
#include "toolkit/Exception.h"
#include "toolkit/TApplication.h"

namespace {
// A clipboard viewer of another program, as far as the chain goes: it joins before the list,
// so the list is to pass every notice on to it.
class OtherViewer {
public:
    OtherViewer() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "OtherClipboardViewer";
        ::RegisterClassA(&windowClass);
        window_ = ::CreateWindowA("OtherClipboardViewer", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
        next_ = ::SetClipboardViewer(window_);
    }
    ~OtherViewer() {
        ::ChangeClipboardChain(window_, next_);
        ::DestroyWindow(window_);
    }
    static inline int notices = 0;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_DRAWCLIPBOARD:
                ++notices;
                if (next_) ::SendMessageA(next_, message, wParam, lParam);
                return 0;
            case WM_CHANGECBCHAIN:
                if (reinterpret_cast<HWND>(wParam) == next_) {
                    next_ = reinterpret_cast<HWND>(lParam);
                } else if (next_) {
                    ::SendMessageA(next_, message, wParam, lParam);
                }
                return 0;
            default:
                return ::DefWindowProcA(window, message, wParam, lParam);
        }
    }
    HWND window_;
    static inline HWND next_ = nullptr;
};

void PutTextOnTheClipboard(const char* text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    const size_t size = std::strlen(text) + 1;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(memory), text, size);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_TEXT, memory);
    ::CloseClipboard();
}

// A tree whose handling of a volume notice fails.
class FailingTree : public TKeshShTreeView {
public:
    using TKeshShTreeView::TKeshShTreeView;

protected:
    void DeviceChange(WPARAM, LPARAM) override { throw Exception("ドライブの名前を読めません"); }
};
}  // namespace

// Handlers that the system calls on behalf of other programs: the clipboard's chain of
// viewers and the volume notices broadcast to every top-level window. An error in them is
// shown in the application's error box, and the other programs get their notices anyway.
TEST(HandlerErrors, AreShownAndNeverCutTheClipboardChainOfOtherPrograms) {
    BoxRecorder boxes;
    OtherViewer other;
    BrowserWindow window;
    window.list->OnShClipboard = [](TObject&, bool) { throw Exception("クリップボードを読めません"); };
    OtherViewer::notices = 0;
    PutTextOnTheClipboard("Pictavo");
    EXPECT_TRUE(PumpUntil([&] { return !boxes.Boxes().empty(); }));
    EXPECT_TRUE(PumpUntil([&] { return OtherViewer::notices > 0; })) << "the chain was cut at the list";
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"クリップボードを読めません."});

    TForm form(nullptr);
    auto* tree = new FailingTree(&form);
    tree->SetParent(&form);
    form.Show();
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << ('C' - 'A');
    volume.dbcv_flags = DBTF_MEDIA;
    ::SendMessageA(TApplication::Instance().Handle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                   reinterpret_cast<LPARAM>(&volume));
    EXPECT_TRUE(PumpUntil([&] { return boxes.Boxes().size() == 2; })) << "the error was dropped";
    EXPECT_EQ(boxes.Texts().back(), "ドライブの名前を読めません.");
}
