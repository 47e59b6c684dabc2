#include "menuanim/SlideDirections.h"

unsigned SlideDirections(const RECT& popup, const RECT& parent, bool besideParent) {
    if (besideParent) {
        // Compared on doubled coordinates so that odd widths need no rounding.
        const long popupCentre = popup.left + popup.right;
        const long parentCentre = parent.left + parent.right;
        return popupCentre < parentCentre ? sdLeftward : sdRightward;
    }
    unsigned directions = 0;
    if (popup.top >= parent.bottom) {
        directions |= sdDownward;
    } else if (popup.bottom <= parent.top) {
        directions |= sdUpward;
    }
    if (popup.left >= parent.right) {
        directions |= sdRightward;
    } else if (popup.right <= parent.left) {
        directions |= sdLeftward;
    }
    return directions;
}
