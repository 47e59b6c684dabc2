#pragma once
// A group box of radio buttons laid out in columns; ItemIndex is the checked one (-1: none),
// read from the buttons themselves.
#include <string>
#include <vector>

#include "toolkit/TGroupBox.h"

class TRadioButton;

class TRadioGroup : public TGroupBox {
public:
    explicit TRadioGroup(TComponent* owner);

    void SetItems(const std::vector<std::string>& items);
    const std::vector<std::string>& Items() const { return items_; }
    void SetColumns(int columns);

    int ItemIndex() const;
    void SetItemIndex(int index);

protected:
    void CreateWnd() override;
    void EnabledChanged() override;
    void BoundsChanged() override { ArrangeButtons(); }

private:
    void ButtonClicked(TRadioButton* clicked);
    void ArrangeButtons();
    // The group is one stop for Tab: its checked button (the first while none is), from
    // which the arrows move on.
    void UpdateTabStops();

    std::vector<std::string> items_;
    std::vector<TRadioButton*> buttons_;
    int columns_ = 1;
};
