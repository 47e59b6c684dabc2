#include "app/TMovieRecorder.h"

#include <utility>

#include "movie/FrameCapture.h"
#include "movie/TMovieFrame.h"
#include "movie/WorkFolder.h"
#include "toolkit/FlagUp.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/PumpMessages.h"
#include "toolkit/TApplication.h"

TMovieRecorder::TMovieRecorder(TForm& mainWindow, TTimer& frameTimer, TTrayIcon& trayIcon, TOrskAvi& writer,
                               const TCaptureSettings& settings)
    : mainWindow_(mainWindow), frameTimer_(frameTimer), trayIcon_(trayIcon), writer_(writer), settings_(settings) {}

void TMovieRecorder::Start() {
    ++recording_;
    trayIcon_.StartAnimation(false);
    started_ = ::GetTickCount();
    frames_.clear();
    frameCounter_ = 0;
    failedFrameTold_ = false;
    frameTimer_.SetInterval(static_cast<unsigned>(settings_.View().Recording().interval));
    frameTimer_.SetEnabled(true);
}

void TMovieRecorder::TakeFrame() {
    // The grab lets the waiting messages run first: a tick among them would take a later
    // frame and list it before this one, and the movie would play the two out of order.
    if (takingFrame_) return;
    const FlagUp taking(takingFrame_);
    const int recording = recording_;
    ++frameCounter_;
    const std::string path = FrameFilePath(frameCounter_);
    CaptureFrameToFile(path, &mainWindow_, [this, recording](const SaveFailure& failure) {
        // A recording that ended among those messages took its folder with it.
        if (recording != recording_) return;
        // Told once a recording: what keeps one frame from being written (a full disk, a
        // folder beside the program that cannot be written) keeps the next ones too.
        if (std::exchange(failedFrameTold_, true)) return;
        ShowSaveFailure(failure);
    });
    if (recording != recording_) {
        // The recording ended among those messages, its movie written and its folder
        // deleted: this frame belongs to no movie, and nothing of it stays behind.
        ::DeleteFileA(path.c_str());
        ::RemoveDirectoryA(WorkFolderPath().c_str());
        return;
    }
    // Listed even when the write failed: the movie then stops at this frame.
    frames_.push_back(path);
    ::Sleep(1);
}

bool TMovieRecorder::ClickCameAfterStart() const { return ::GetTickCount() - started_ >= TTrayIcon::ClickDelay(); }

void TMovieRecorder::End() {
    ++recording_;
    trayIcon_.StopAnimation();
    frameTimer_.SetEnabled(false);
    PumpMessages();
    WriteMovie();
    PumpMessages();
    try {
        DeleteWorkFolder(WorkFolderPath());
    } catch (...) {
        // The frames stay; the next recording writes over them.
    }
    PumpMessages();
}

void TMovieRecorder::WriteMovie() {
    const char failed[] = "ムービーを出力できませんでした";
    try {
        std::string path;
        if (!settings_.NextFreePath(path)) {
            MessageBoxes::Warning(failed);
            return;
        }
        const TRecordingSettings recording = settings_.View().Recording();
        writer_.SetFileName(path);
        writer_.SetPreCompress(true);
        writer_.SetCompress(recording.compress);
        writer_.SetFrameRate(recording.frameRate);
        if (!writer_.Open()) {
            MessageBoxes::Warning(failed);
            return;
        }
        TMovieFrame frame;
        for (const std::string& file : frames_) {
            frame.Clear();
            frame.LoadFromFile(file);
            // False only for a frame the compressor skipped; a frame that cannot be stored
            // raises.
            writer_.AddFrame(frame);
        }
        if (!writer_.Close()) {
            MessageBoxes::Warning(failed);
            return;
        }
        frames_.clear();
        MessageBoxes::Information("ムービーを出力しました");
    } catch (const std::exception&) {
        // A frame that cannot be read ends the movie there: what was written is closed
        // into a complete file, and the library is released. A frame that could not be
        // stored has closed the writer already.
        writer_.Close();
        MessageBoxes::Warning(failed);
    }
}

void TMovieRecorder::DeleteWorkFolder(const std::string& path) {
    // A recording ended before its first frame made no folder: nothing to delete.
    if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    if (DeleteFolderTree(mainWindow_.Handle(), path) != 0) {
        MessageBoxes::Plain("一時フォルダの削除に失敗しました。", TApplication::Instance().Title(), MB_OK);
    }
}
