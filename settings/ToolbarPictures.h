#pragma once
// The 16 x 16 pictures of the settings window's toolbars, drawn here rather than shipped:
// the version and quit commands, and the four ways the folder list shows its items.
#include "toolkit/TImageList.h"

enum TToolbarPicture { tpVersion, tpQuit, tpLargeIcons, tpSmallIcons, tpList, tpDetails, tpCount };

// Appends the pictures in the order above; the first lands at the index returned.
int AddToolbarPictures(TImageList& list);
