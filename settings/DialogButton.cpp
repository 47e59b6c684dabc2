#include "settings/DialogButton.h"

namespace {
constexpr TColor kPointerOverColour = RGB(204, 214, 227);  // 14931660
}  // namespace

void StyleDialogButton(TPictureButton& button) {
    button.SetFocusStyle(TFocusStyle::bfsStdButton);
    button.SetInColor(kPointerOverColour);
    button.SetStretch(false);
}
