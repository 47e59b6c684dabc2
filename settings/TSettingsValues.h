#pragma once
// Every setting as a value: what the settings file keeps and the settings window's controls
// hold. The member initialisers are the values before any file is read.
#include <array>
#include <string>

#include "settings/TNamingRule.h"
#include "toolkit/THotKey.h"

// The four shortcuts by hotkey index: 0 still of the screen, 1 still of the active window,
// 2 movie start, 3 movie end.
using TShortCuts = std::array<TShortCut, 4>;

// The numbers a free file name is searched among, both included (none when last < first).
struct TNumberRange {
    int first = 0;
    int last = 999;
};

// How a movie is recorded and written.
struct TRecordingSettings {
    int interval = 1000;  // between two frames, ms
    int frameRate = 5;    // frames a second in the movie
    bool compress = false;
};

struct TSettingsValues {
    // The save folder selected (empty when none; the computer's root by its name).
    std::string folder;
    TNamingRule naming;
    // Whether the start and end numbers are switched on; the range holds their values,
    // which the search uses either way.
    bool setStartNum = false;
    bool setEndNum = false;
    TNumberRange numbers;
    TShortCuts shortCuts{scCtrl | scAlt | 'F', scCtrl | scAlt | 'A', scCtrl | scAlt | 'S', scCtrl | scAlt | 'E'};
    TRecordingSettings recording;
    // "起動時に設定画面を表示しない"
    bool settingPass = false;
};
