#pragma once
// The movie recording: while it runs, a repeating timer writes the whole screen into the
// work folder beside the program as 1.bmp, 2.bmp, ...; when it ends, the frames are written
// into the next free AVI file of the save folder and the work folder is deleted. Which
// commands the menu offers meanwhile is the main window's business.
#include <windows.h>

#include <string>
#include <vector>

#include "app/TCaptureSettings.h"
#include "desktop/TTrayIcon.h"
#include "movie/TOrskAvi.h"
#include "toolkit/TForm.h"
#include "toolkit/TTimer.h"

class TMovieRecorder {
public:
    // `mainWindow` owns what a grab makes and the shell's deletion; `frameTimer` ticks
    // TakeFrame; the tray icon animates while the recording runs.
    TMovieRecorder(TForm& mainWindow, TTimer& frameTimer, TTrayIcon& trayIcon, TOrskAvi& writer,
                   const TCaptureSettings& settings);

    // The frame files of the current recording in the order they were taken (also those
    // whose write failed), and the number of the last one.
    const std::vector<std::string>& Frames() const { return frames_; }
    int FrameCounter() const { return frameCounter_; }

    // The tray icon animates, the frames start again from 1, and the first frame comes one
    // interval after now.
    void Start();
    // One frame, at every tick.
    void TakeFrame();
    // Stops the frames and the animation, writes the movie and deletes the work folder;
    // every failure is told in a box.
    void End();
    // Whether a tray click reported now was made after the start: the icon reports a
    // click only its delay after the release, so one reported sooner began before.
    bool ClickCameAfterStart() const;

    // Deletes the folder and its content through the shell; says so when that fails.
    void DeleteWorkFolder(const std::string& path);

private:
    // Writes the frames into the next free movie file.
    void WriteMovie();

    TForm& mainWindow_;
    TTimer& frameTimer_;
    TTrayIcon& trayIcon_;
    TOrskAvi& writer_;
    const TCaptureSettings& settings_;
    std::vector<std::string> frames_;
    int frameCounter_ = 0;
    // When the current recording started (GetTickCount).
    DWORD started_ = 0;
    // Whether a frame of the current recording could not be written, and that was told.
    bool failedFrameTold_ = false;
    // A frame is being taken: its grab runs the messages that wait, ticks among them, and
    // the recording's end too; the recording the frame began in is told by its number.
    bool takingFrame_ = false;
    int recording_ = 0;
};
