#include "toolbar/TTBPopupMenu.h"

#include <algorithm>

#include "toolbar/TTBMenuLoop.h"

TTBPopupMenu::TTBPopupMenu(TComponent* owner) : TPopupMenu(owner) {}

TTBPopupMenu::~TTBPopupMenu() = default;

void TTBPopupMenu::SetSkin(TBSkin* skin) { ReferTo(skin_, skin); }

void TTBPopupMenu::SetImages(TImageList* images) { ReferTo(images_, images); }

void TTBPopupMenu::Notification(TComponent& component, TOperation operation) {
    TPopupMenu::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (&component == skin_) skin_ = nullptr;
    if (&component == images_) images_ = nullptr;
}

const TBSkin& TTBPopupMenu::CurrentSkin() {
    if (skin_) return *skin_;
    if (!ownSkin_) ownSkin_ = std::make_unique<TBSkin>(nullptr);
    return *ownSkin_;
}

void TTBPopupMenu::MakeFonts() {
    if (font_) return;
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    // The size of the system's menus, in the program's own Japanese face: the system's menu
    // face may lack the captions' character set (Wine names a Western one), and a Western
    // font turns the Shift-JIS captions into other characters.
    LOGFONTA font{};
    font.lfHeight = metrics.lfMenuFont.lfHeight != 0 ? metrics.lfMenuFont.lfHeight : -12;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynA(font.lfFaceName, "ＭＳ Ｐゴシック", LF_FACESIZE);
    font_.reset(::CreateFontIndirectA(&font));
    font.lfWeight = FW_BOLD;
    boldFont_.reset(::CreateFontIndirectA(&font));
}

void TTBPopupMenu::CloseUp() {
    if (window_) window_->Close(-1);
}

void TTBPopupMenu::Popup(int x, int y) {
    if (window_) {
        CloseUp();
        return;
    }
    Raise(OnPopup, *this);
    MakeFonts();
    const TTBPopupWindow::Look look{CurrentSkin(), font_.get(), boldFont_.get(), images_ ? images_->Handle() : nullptr};
    TMenuItem* chosen = nullptr;
    {
        TTBPopupWindow window(OwnerWindow(), Items(), look);
        window.PlaceAt(POINT{x, y});
        TTBMenuLoop loop(window);
        struct Open {
            TTBPopupWindow*& window;
            ~Open() { window = nullptr; }
        } open{window_ = &window};
        window.ShowPopup(true);
        const int index = loop.Run();
        if (index >= 0) chosen = window.Items()[static_cast<size_t>(index)];
    }
    // The window is gone before the command runs, as a system menu's is. An item taken out
    // of the menu meanwhile is not run.
    const auto& items = Items();
    if (chosen && std::find(items.begin(), items.end(), chosen) != items.end()) chosen->Click();
}
