#include "toolkit/TPageControl.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/TTabSheet.h"

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

TPageControl::~TPageControl() {
    // Pages made before it outlive it: they must not call back.
    for (TTabSheet* page : std::vector<TTabSheet*>(pages_)) page->SetPageControl(nullptr);
}

void TPageControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.className = WC_TABCONTROLA;
    params.style |= WS_CLIPCHILDREN;
    params.exStyle |= WS_EX_CONTROLPARENT;
}

void TPageControl::CreateWnd() {
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        std::string caption = pages_[i]->Caption();
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        ::SendMessageA(Handle(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(active_), 0);
    ArrangePages();
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    if (HandleAllocated()) {
        std::string caption = page->Caption();
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        ::SendMessageA(Handle(), TCM_INSERTITEMA, pages_.size() - 1, reinterpret_cast<LPARAM>(&item));
    }
    ArrangePages();
}

void TPageControl::RemovePage(TTabSheet* page) {
    auto found = std::find(pages_.begin(), pages_.end(), page);
    if (found == pages_.end()) return;
    const auto index = found - pages_.begin();
    pages_.erase(found);
    if (HandleAllocated()) ::SendMessageA(Handle(), TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
    if (active_ >= static_cast<int>(pages_.size())) active_ = std::max(0, static_cast<int>(pages_.size()) - 1);
    ShowActivePage();
}

void TPageControl::SetActivePageIndex(int index) {
    if (index < 0 || index >= PageCount() || index == active_) return;
    active_ = index;
    if (HandleAllocated()) ::SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    ShowActivePage();
}

void TPageControl::SetActivePage(TTabSheet* page) {
    auto found = std::find(pages_.begin(), pages_.end(), page);
    if (found != pages_.end()) SetActivePageIndex(static_cast<int>(found - pages_.begin()));
}

void TPageControl::SelectNextPage(bool forward) {
    const int count = PageCount();
    if (count < 2) return;
    SetActivePageIndex((active_ + (forward ? 1 : count - 1)) % count);
    Raise(OnChange, *this);
}

bool TPageControl::NotifyNotification(NMHDR& header, LRESULT&) {
    if (header.code != TCN_SELCHANGE) return false;
    const int selected = static_cast<int>(::SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
    if (selected >= 0 && selected < PageCount()) {
        active_ = selected;
        ShowActivePage();
    }
    Raise(OnChange, *this);
    return true;
}

void TPageControl::ArrangePages() {
    RECT area{0, 0, Width(), Height()};
    if (HandleAllocated()) {
        ::GetClientRect(Handle(), &area);
        ::SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    }
    for (TTabSheet* page : pages_) page->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
    ShowActivePage();
}

void TPageControl::ShowActivePage() {
    // The new page first, so the area never shows no page at all.
    TTabSheet* active = ActivePage();
    if (active) active->SetVisible(true);
    for (TTabSheet* page : pages_) {
        if (page != active) page->SetVisible(false);
    }
}
