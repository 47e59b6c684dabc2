#pragma once
// The panel as forms place it: a container whose controls Tab reaches.
#include "toolkit/TCustomPanel.h"

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;

protected:
    void CreateParams(TCreateParams& params) override {
        TCustomPanel::CreateParams(params);
        params.exStyle |= WS_EX_CONTROLPARENT;
    }
};
