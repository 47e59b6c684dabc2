#include "settings/ControlPlacing.h"

#include <vector>

#include "settings/DialogButton.h"

TSpinEdit* PlaceSpin(TComponent* owner, TWinControl* parent, int left, int top, int width, int minValue, int maxValue,
                     bool typing, int maxLength) {
    auto* spin = Place<TSpinEdit>(owner, parent, left, top, width, 21);
    spin->SetRange(minValue, maxValue);
    spin->SetAllowTyping(typing);
    spin->SetMaxLength(maxLength);
    return spin;
}

TPictureButton* PlaceButton(TComponent* owner, TWinControl* parent, int left, int top, int width, int height,
                            const std::string& caption) {
    auto* button = Place<TPictureButton>(owner, parent, left, top, width, height, caption);
    StyleDialogButton(*button);
    return button;
}

TTBItem* AddItem(TTBToolbar* toolbar, const std::string& caption, int picture, TNotifyEvent onClick) {
    auto* item = new TTBItem(toolbar, caption);
    item->SetImageIndex(picture);
    // Not OnChange: the toolbar keeps that event of its items for itself.
    item->OnClick = std::move(onClick);
    toolbar->Add(item);
    return item;
}

TTabSheet* AddPage(TComponent* owner, TPageControl* pages, const std::string& caption) {
    auto* page = new TTabSheet(owner);
    // The tab takes the caption the page has when it joins.
    page->SetCaption(caption);
    page->SetPageControl(pages);
    return page;
}

void Couple(TCheckBox* box, std::initializer_list<TWinControl*> partners) {
    std::vector<TWinControl*> list(partners);
    box->OnClick = [box, list](TObject&) {
        for (TWinControl* partner : list) partner->SetEnabled(box->Checked());
    };
    for (TWinControl* partner : list) partner->SetEnabled(box->Checked());
}
