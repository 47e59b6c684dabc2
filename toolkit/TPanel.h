#pragma once
// The panel as forms place it.
#include "toolkit/TCustomPanel.h"

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};
