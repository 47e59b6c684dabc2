#pragma once
// The settings file's keys and the values they hold: one section "Pictavo" with sixteen
// keys, read when the settings window is made and written by its start button, followed by
// one key that keeps the five naming check boxes as the user left them.
#include <string>

#include "settings/TSettingsValues.h"

class TSettingsFile;

// The name under which the system shows the computer's root folder: no folder to select.
extern const char kComputerFolderName[];

// The values the file holds; an absent or unreadable key keeps its value of `current`.
// Numbers come back as written: the controls that show them keep them in their ranges. A
// save mode out of range becomes the nearest one.
TSettingsValues LoadSettings(const TSettingsFile& file, const TSettingsValues& current);
// The folder the file holds, alone: "" when it holds none.
std::string SavedFolder(const TSettingsFile& file);
// Writes every key, in the file's order; the first write the system refuses raises and
// ends the save there.
void SaveSettings(TSettingsFile& file, const TSettingsValues& values);
