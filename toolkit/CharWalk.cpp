#include "toolkit/CharWalk.h"

#include <windows.h>

std::size_t CharWalk::CharSize() const {
    if (AtEnd()) return 0;
    bool lead = ::IsDBCSLeadByte(static_cast<BYTE>(text_[pos_])) != FALSE;
    return (lead && pos_ + 1 < text_.size()) ? 2 : 1;
}
