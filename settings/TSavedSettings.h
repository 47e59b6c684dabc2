#pragma once
// The settings as the file holds them, read once, before the settings window is made, and
// handed to it whole: the file (which the window keeps, to write), the values, and the saved
// folder's contents being read ahead on a thread from the reading on.
#include <memory>
#include <string>

#include "folderbrowser/TShReadAhead.h"
#include "settings/TSettingsFile.h"
#include "settings/TSettingsValues.h"

struct TSavedSettings {
    // Reads the file at `path` over the values a new window starts with; `readAhead`: the
    // saved folder's contents are read ahead (start-up), not only its name.
    static TSavedSettings Read(const std::string& path, bool readAhead);

    std::unique_ptr<TSettingsFile> file;
    // The folder empty when the file names none.
    TSettingsValues values;
    // Null when the saved folder is not read ahead.
    std::unique_ptr<TShReadAhead> reading;
};
