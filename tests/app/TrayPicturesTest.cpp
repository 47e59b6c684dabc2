// The recording pictures go into the tray's list as icons would: only the camera covers what
// lies under it, and the first picture has its lamp lit.
#include <gtest/gtest.h>

#include "app/TrayPictures.h"
#include "tests/support/PixelCanvas.h"
#include "toolkit/TImageList.h"

TEST(TrayPictures, OnlyTheCameraCoversTheTaskbarAndTheLampBlinks) {
    TImageList list(nullptr);
    AddRecordingPictures(list);
    ASSERT_EQ(list.Count(), 2);
    const COLORREF taskbar = RGB(0, 200, 0);
    COLORREF lamp[2];
    for (int index : {0, 1}) {
        PixelCanvas canvas(32, 32, taskbar);
        UniqueHicon icon = list.GetIcon(index);
        ASSERT_TRUE(icon);
        ASSERT_TRUE(::DrawIconEx(canvas.dc(), 0, 0, icon.get(), 32, 32, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(canvas.At(0, 0), taskbar) << index;
        EXPECT_EQ(canvas.At(31, 31), taskbar) << index;
        EXPECT_EQ(canvas.At(18, 21), RGB(40, 90, 170)) << "lens of picture " << index;
        lamp[index] = canvas.At(27, 14);
    }
    EXPECT_EQ(lamp[0], RGB(255, 40, 30));
    EXPECT_EQ(lamp[1], RGB(90, 20, 20));
}
