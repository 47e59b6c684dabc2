#include "toolkit/TRadioGroup.h"

#include "toolkit/TRadioButton.h"

TRadioGroup::TRadioGroup(TComponent* owner) : TGroupBox(owner) {}

void TRadioGroup::SetItems(const std::vector<std::string>& items) {
    for (TRadioButton* button : buttons_) delete button;
    buttons_.clear();
    items_ = items;
    for (const std::string& caption : items_) {
        auto* button = new TRadioButton(this, caption);
        button->OnPicked = [this](TRadioButton* sender) { ButtonClicked(sender); };
        buttons_.push_back(button);
        button->SetParent(this);
    }
    UpdateTabStops();
    ArrangeButtons();
}

void TRadioGroup::SetColumns(int columns) {
    if (columns == columns_ || columns < 1) return;
    columns_ = columns;
    ArrangeButtons();
}

void TRadioGroup::CreateWnd() { ArrangeButtons(); }

void TRadioGroup::ArrangeButtons() {
    if (buttons_.empty()) return;
    const int rows = (static_cast<int>(buttons_.size()) + columns_ - 1) / columns_;
    const int inner = Width() - 16;
    const int rowHeight = rows > 0 ? (Height() - 20) / rows : 0;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const int column = static_cast<int>(i) / rows;
        const int row = static_cast<int>(i) % rows;
        buttons_[i]->SetBounds(8 + column * inner / columns_, 16 + row * rowHeight, inner / columns_ - 4,
                               rowHeight > 20 ? 20 : rowHeight);
    }
}

int TRadioGroup::ItemIndex() const {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i]->Checked()) return static_cast<int>(i);
    }
    return -1;
}

void TRadioGroup::SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(buttons_.size())) index = -1;
    if (index == ItemIndex()) return;
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetChecked(static_cast<int>(i) == index);
    UpdateTabStops();
    Click();
}

void TRadioGroup::ButtonClicked(TRadioButton* clicked) {
    // BS_RADIOBUTTON leaves the other buttons alone: the group unchecks them itself.
    for (TRadioButton* button : buttons_) button->SetChecked(button == clicked);
    UpdateTabStops();
    Click();
}

void TRadioGroup::UpdateTabStops() {
    const int stop = ItemIndex() < 0 ? 0 : ItemIndex();
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetTabStop(static_cast<int>(i) == stop);
}

void TRadioGroup::EnabledChanged() {
    for (TRadioButton* button : buttons_) button->SetEnabled(Enabled());
}
