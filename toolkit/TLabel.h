#pragma once
// The text label as forms place it.
#include "toolkit/TCustomLabel.h"

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};
