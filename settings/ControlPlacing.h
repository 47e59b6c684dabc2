#pragma once
// Making the settings window's controls: each made, placed in its parent and captioned in
// one call.
#include <initializer_list>
#include <string>

#include "toolbar/TTBItem.h"
#include "toolbar/TTBToolbar.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TPageControl.h"
#include "toolkit/TSpinEdit.h"
#include "toolkit/TTabSheet.h"
#include "widgets/TPictureButton.h"

template <typename T>
T* Place(TComponent* owner, TWinControl* parent, int left, int top, int width, int height,
         const std::string& caption = "") {
    auto* control = new T(owner);
    control->SetBounds(left, top, width, height);
    if (!caption.empty()) control->SetCaption(caption);
    control->SetParent(parent);
    return control;
}

// A spin box of that range, one line high; its value is set with the others.
TSpinEdit* PlaceSpin(TComponent* owner, TWinControl* parent, int left, int top, int width, int minValue, int maxValue,
                     bool typing, int maxLength);
// A picture button in the style of the program's dialogs.
TPictureButton* PlaceButton(TComponent* owner, TWinControl* parent, int left, int top, int width, int height,
                            const std::string& caption);
TTBItem* AddItem(TTBToolbar* toolbar, const std::string& caption, int picture, TNotifyEvent onClick);
TTabSheet* AddPage(TComponent* owner, TPageControl* pages, const std::string& caption);
// A check box that keeps its partner controls enabled exactly while it is checked.
void Couple(TCheckBox* box, std::initializer_list<TWinControl*> partners);
