#include "toolkit/BitmapDC.h"

#include "toolkit/Exception.h"

namespace {
HDC NewMemoryDC() {
    HDC dc = ::CreateCompatibleDC(nullptr);
    if (!dc) throw Exception("デバイス コンテキストを作成できません");
    return dc;
}
}  // namespace

BitmapDC::BitmapDC(TBitmap& bitmap) : dc_(NewMemoryDC()), selection_(dc_.get(), DrawingTarget(bitmap)) {}

HBITMAP BitmapDC::DrawingTarget(TBitmap& bitmap) {
    if (bitmap.Empty()) throw Exception("ビットマップが空です");
    return bitmap.WritableHandle();
}
