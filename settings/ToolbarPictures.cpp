#include "settings/ToolbarPictures.h"

#include "toolkit/EOSError.h"
#include "toolkit/Frame3D.h"
#include "toolkit/MemoryBitmap.h"
#include "toolkit/SelectObjectGuard.h"
#include "toolkit/UniqueHandle.h"

namespace {
constexpr int kSize = 16;
// No picture uses it: it marks what the image list leaves transparent.
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr COLORREF kInk = RGB(52, 84, 140);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kTile = RGB(96, 140, 210);

void Fill(HDC dc, int x, int left, int top, int right, int bottom, COLORREF colour) {
    FillSolid(dc, RECT{x + left, top, x + right, bottom}, static_cast<TColor>(colour));
}

void Round(HDC dc, int x, int left, int top, int right, int bottom, COLORREF fill, COLORREF outline) {
    UniqueHbrush brush(::CreateSolidBrush(fill));
    UniqueHpen pen(::CreatePen(PS_SOLID, 1, outline));
    SelectObjectGuard useBrush(dc, brush.get());
    SelectObjectGuard usePen(dc, pen.get());
    ::Ellipse(dc, x + left, top, x + right, bottom);
}

// An "i" on a blue disc.
void DrawVersion(HDC dc, int x) {
    Round(dc, x, 0, 0, 16, 16, RGB(40, 100, 200), RGB(20, 60, 140));
    Fill(dc, x, 7, 3, 9, 5, kPaper);
    Fill(dc, x, 7, 6, 9, 13, kPaper);
    Fill(dc, x, 6, 12, 10, 13, kPaper);
}

// A door left open with an arrow leading out of it.
void DrawQuit(HDC dc, int x) {
    Fill(dc, x, 1, 1, 10, 15, RGB(120, 80, 40));
    Fill(dc, x, 2, 2, 9, 15, RGB(235, 225, 205));
    Fill(dc, x, 2, 2, 6, 15, RGB(170, 115, 60));
    Fill(dc, x, 4, 8, 5, 9, RGB(250, 220, 80));
    Fill(dc, x, 8, 7, 14, 9, RGB(200, 40, 30));
    for (int step = 0; step < 3; ++step) Fill(dc, x, 12 + step, 5 + step, 13 + step, 11 - step, RGB(200, 40, 30));
}

// One item of a view: its picture as a tile and, when there is room, its name as a line.
void Item(HDC dc, int x, int left, int top, int tile, int line) {
    Fill(dc, x, left, top, left + tile, top + tile, kTile);
    if (line > 0) Fill(dc, x, left + tile + 1, top + tile / 2, left + tile + 1 + line, top + tile / 2 + 1, kInk);
}

void DrawLargeIcons(HDC dc, int x) {
    for (int top : {1, 9}) {
        for (int left : {1, 9}) Item(dc, x, left, top, 6, 0);
    }
}

void DrawSmallIcons(HDC dc, int x) {
    for (int top : {2, 7, 12}) {
        for (int left : {0, 8}) Item(dc, x, left, top, 3, 3);
    }
}

void DrawList(HDC dc, int x) {
    for (int top : {1, 5, 9, 13}) Item(dc, x, 1, top, 3, 10);
}

void DrawDetails(HDC dc, int x) {
    Fill(dc, x, 0, 1, 16, 4, RGB(190, 200, 215));
    for (int column : {6, 11}) Fill(dc, x, column, 1, column + 1, 4, kInk);
    for (int top : {6, 10, 14}) {
        Fill(dc, x, 1, top - 1, 3, top + 1, kTile);
        Fill(dc, x, 4, top, 15, top + 1, kInk);
    }
}
}  // namespace

int AddToolbarPictures(TImageList& list) {
    UniqueHbitmap strip = MakeMemoryBitmap(kSize * tpCount, kSize);
    ThrowLastErrorIf(!strip);
    {
        UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
        ThrowLastErrorIf(!dc);
        SelectObjectGuard select(dc.get(), strip.get());
        FillSolid(dc.get(), RECT{0, 0, kSize * tpCount, kSize}, static_cast<TColor>(kTransparent));
        void (*const draw[tpCount])(HDC, int) = {DrawVersion,    DrawQuit, DrawLargeIcons,
                                                 DrawSmallIcons, DrawList, DrawDetails};
        for (int picture = 0; picture < tpCount; ++picture) draw[picture](dc.get(), picture * kSize);
    }
    return list.AddMasked(strip.get(), kTransparent);
}
