#include "widgets/TURLLink.h"

#include <shellapi.h>

#include <utility>

namespace {
TURLLink::TLauncher& Launcher() {
    static TURLLink::TLauncher launcher = &TURLLink::ShellOpen;
    return launcher;
}
}  // namespace

TURLLink::TURLLink(TComponent* owner) : TCustomLabel(owner), hint_(std::make_unique<TURLLinkHint>(nullptr)) {
    // Its own blue, not the parent's font colour.
    SetParentFont(false);
    Font().SetColor(clBlue);
    SetCursor(crHandPoint);
}

TURLLink::~TURLLink() = default;

void TURLLink::SetURLType(TURLtype value) {
    if (value == urlType_) return;
    urlType_ = value;
    Invalidate();
}

void TURLLink::SetLink(const std::string& value) {
    if (value == link_) return;
    link_ = value;
    Invalidate();
}

void TURLLink::SetLinkColor(TColor value) {
    if (value == linkColor_) return;
    linkColor_ = value;
    Invalidate();
}

void TURLLink::SetHintFormColor(TColor value) {
    if (value == hintFormColor_) return;
    hintFormColor_ = value;
    Invalidate();
}

void TURLLink::SetHintOffsetX(int value) {
    if (value == hintOffsetX_) return;
    hintOffsetX_ = value;
    Invalidate();
}

void TURLLink::SetHintOffsetY(int value) {
    if (value == hintOffsetY_) return;
    hintOffsetY_ = value;
    Invalidate();
}

void TURLLink::SetEnableShowHint(bool value) {
    if (value == enableShowHint_) return;
    enableShowHint_ = value;
    Invalidate();
}

void TURLLink::SetHintFormFont(const TFont& font) {
    hintFormFont_.Assign(font);
    Invalidate();
}

std::string TURLLink::Target(TURLtype type, const std::string& link) {
    return type == TURLtype::tpMAIL ? "mailto:" + link : link;
}

TURLLink::TLauncher TURLLink::SetLauncher(TLauncher launcher) {
    if (!launcher) launcher = &TURLLink::ShellOpen;
    return std::exchange(Launcher(), std::move(launcher));
}

void TURLLink::ShellOpen(const std::string& target) {
    // Whatever the shell answers, the label has nothing more to do.
    ::ShellExecuteA(nullptr, "OPEN", target.c_str(), "", "", SW_SHOW);
}

void TURLLink::HideHint() {
    if (!hintShowing_) return;
    hint_->Hide();
    hintShowing_ = false;
}

void TURLLink::MouseEnter() {
    TCustomLabel::MouseEnter();
    savedColor_ = Font().Color();
    Font().SetColor(linkColor_);
    Invalidate();
}

void TURLLink::MouseLeave() {
    TCustomLabel::MouseLeave();
    Font().SetColor(savedColor_);
    Invalidate();
    HideHint();
}

void TURLLink::MouseMove(TShiftState shift, int x, int y) {
    // The pop-up stays where it first appeared until the pointer leaves.
    if (enableShowHint_ && !hintShowing_ && MouseInClient()) {
        POINT pointer{};
        ::GetCursorPos(&pointer);
        hint_->ShowText(link_, POINT{pointer.x + hintOffsetX_, pointer.y + hintOffsetY_}, hintFormColor_,
                        hintFormFont_);
        hintShowing_ = true;
    }
    TCustomLabel::MouseMove(shift, x, y);
}

void TURLLink::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    Invalidate();
    TCustomLabel::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    Launcher()(Target(urlType_, link_));
    HideHint();
}
