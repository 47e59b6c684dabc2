#pragma once
// The system's tab control with a page (TTabSheet) under each tab: selecting a tab shows
// its page and hides the others.
#include <vector>

#include "toolkit/TWinControl.h"

class TTabSheet;

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_[static_cast<std::size_t>(index)]; }

    // -1 while there is no page.
    int ActivePageIndex() const { return pages_.empty() ? -1 : active_; }
    TTabSheet* ActivePage() const { return pages_.empty() ? nullptr : pages_[static_cast<std::size_t>(active_)]; }
    void SetActivePageIndex(int index);
    void SetActivePage(TTabSheet* page);
    // The next page (or the one before), round from the last to the first, as the user's
    // choice: OnChange follows.
    void SelectNextPage(bool forward);

    // After the user selected another tab.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void BoundsChanged() override { ArrangePages(); }
    bool NotifyNotification(NMHDR& header, LRESULT& result) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    // Every page takes the display area inside the tabs; only the active one is visible.
    void ArrangePages();
    void ShowActivePage();

    std::vector<TTabSheet*> pages_;
    int active_ = 0;
};
