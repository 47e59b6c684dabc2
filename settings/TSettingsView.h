#pragma once
// What the rest of the program reads of the settings: read-only, and read from the settings
// window's controls at the moment of asking, so a change there counts from the next call on.
#include "settings/TSettingsValues.h"

class TSettingsView {
public:
    virtual TNamingRule NamingRule() const = 0;
    // The free-name search's range: the start and end spin boxes, switched on or not.
    virtual TNumberRange NumberRange() const = 0;
    virtual TRecordingSettings Recording() const = 0;
    // Whether the program starts without showing the settings window.
    virtual bool SkipsWindowAtStart() const = 0;

protected:
    ~TSettingsView() = default;
};
