#include <gtest/gtest.h>

#include <utility>

#include "toolkit/PaintDC.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/TApplication.h"
#include "toolkit/UniqueHandle.h"
#include "toolkit/WindowDC.h"

TEST(Owners, ReleaseLeavesTheLastErrorOfTheFailedCallBeforeIt) {
    // A handle whose closing fails, so that the close sets an error code of its own.
    const auto bogus = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x7FF0));
    {
        UniqueKernelHandle handle(bogus);
        ::SetLastError(ERROR_ACCESS_DENIED);
        handle.reset();
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
        handle.reset(bogus);
        ::SetLastError(ERROR_DISK_FULL);
    }
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL)) << "on the way out of a scope too";
}

TEST(Owners, DeviceContextOwnersMoveTheirReleaseAlong) {
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    UniqueHbrush brush(::CreateSolidBrush(RGB(1, 2, 3)));
    const HGDIOBJ original = ::GetCurrentObject(dc.get(), OBJ_BRUSH);
    {
        SelectObjectGuard moved = [&] {
            SelectObjectGuard selected(dc.get(), brush.get());
            return SelectObjectGuard(std::move(selected));
        }();
        EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BRUSH), brush.get()) << "the emptied guard put nothing back";
    }
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BRUSH), original);

    // ReleaseDC needs the window the context came from: it travels with the context.
    const HWND window = TApplication::Instance().Handle();
    WindowDC taken(window, WindowDC::Area::WholeWindow);
    const HDC context = taken.get();
    WindowDC holder = std::move(taken);
    EXPECT_FALSE(taken);
    EXPECT_EQ(holder.get(), context);
    EXPECT_EQ(holder.window(), window);

    // BeginPaint refuses a window that does not exist: nothing to paint on, nothing to end.
    PaintDC failed(nullptr);
    EXPECT_FALSE(failed);
    PaintDC emptied = std::move(failed);
    EXPECT_FALSE(emptied);
}
