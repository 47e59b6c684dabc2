#pragma once
// The look the push buttons of the settings window and the version dialog share: the
// standard button's focus rectangle, a light blue under the pointer, the picture kept at
// its own size.
#include "widgets/TPictureButton.h"

void StyleDialogButton(TPictureButton& button);
