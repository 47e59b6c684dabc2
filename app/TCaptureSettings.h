#pragma once
// What every capture reads to name its file: the settings window's values, through its
// read-only view at the moment of use, and what its start button handed over (the save
// folder and the number the search starts at).
#include <string>

#include "settings/TSettingsView.h"

class TCaptureSettings {
public:
    // The settings window's view; until it is connected no name can be made (a capture
    // raises, and reports that as any failed capture).
    void Connect(const TSettingsView& view) { view_ = &view; }
    const TSettingsView& View() const;

    // With a trailing "\"; empty until the settings are confirmed.
    const std::string& SaveFolder() const { return saveFolder_; }
    void SetSaveFolder(const std::string& folder) { saveFolder_ = folder; }
    int StartNumber() const { return startNumber_; }
    void SetStartNumber(int number) { startNumber_ = number; }

    // The first free name of the range in the folder of `path` (its part up to the last
    // "\" or ":" that is no half of a character). False, after telling the user, when
    // every number is taken.
    bool FindFreeFileName(const std::string& path, std::string& fullPath) const;
    // The same for the next output file: the search in the folder of the save folder and
    // the start number's name (a word holding a "\" reaches into a subfolder).
    bool NextFreePath(std::string& fullPath) const;

private:
    const TSettingsView* view_ = nullptr;
    std::string saveFolder_;
    int startNumber_ = 0;
};
