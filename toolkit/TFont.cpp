#include "toolkit/TFont.h"

// "ＭＳ Ｐゴシック": the dialog font of the Japanese system.
TFont::TFont() : name_("ＭＳ Ｐゴシック") {}

void TFont::Changed() {
    handle_.reset();
    Raise(OnChange, *this);
}

void TFont::SetName(const std::string& name) {
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int pixels) {
    if (pixels == height_) return;
    height_ = pixels;
    Changed();
}

void TFont::SetBold(bool bold) {
    if (bold == bold_) return;
    bold_ = bold;
    Changed();
}

void TFont::SetCharset(BYTE charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    // The colour is not part of the GDI font; only listeners need to know.
    Raise(OnChange, *this);
}

void TFont::Assign(const TFont& source) {
    if (name_ == source.name_ && height_ == source.height_ && bold_ == source.bold_ && charset_ == source.charset_ &&
        color_ == source.color_)
        return;
    name_ = source.name_;
    height_ = source.height_;
    bold_ = source.bold_;
    charset_ = source.charset_;
    color_ = source.color_;
    Changed();
}

HFONT TFont::Handle() const {
    if (!handle_) {
        LOGFONTA font{};
        font.lfHeight = -height_;
        font.lfWeight = bold_ ? FW_BOLD : FW_NORMAL;
        font.lfCharSet = charset_;
        font.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(font.lfFaceName, name_.c_str(), LF_FACESIZE);
        handle_.reset(::CreateFontIndirectA(&font));
    }
    return handle_.get();
}
