#pragma once
// The two pictures the tray icon takes turns with while a movie is being recorded: a
// camera whose recording lamp is lit, and the same camera with the lamp dark.
#include "toolkit/TImageList.h"

void AddRecordingPictures(TImageList& list);
