#pragma once
// The settings file's keys and the settings window's controls they fill: one section
// "Pictavo" with sixteen keys, read when the window is made and written by its start
// button, followed by one key that keeps the five naming check boxes as the user left them.
#include <string>

class TForm2;
class TSettingsFile;

// The name under which the system shows the computer's root folder: no folder to select.
extern const char kComputerFolderName[];

// Reads every key into the controls; an absent or unreadable key leaves its control as it
// is. `folder` receives the save folder the file names (the tree's selection when it names
// none). Should selecting that folder fail, the other keys are still read before that error
// is raised.
void LoadSettings(const TSettingsFile& file, TForm2& form, std::string& folder);
// Writes every key from the controls, in the file's order; the first write the system
// refuses raises and ends the save there.
void SaveSettings(TSettingsFile& file, TForm2& form);
