#include "movie/TOrskAvi.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "movie/FrameRows.h"
#include "movie/TAviProgressForm.h"
#include "toolkit/CallbackErrors.h"
#include "toolkit/CharWalk.h"
#include "toolkit/EOSError.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/PumpMessages.h"
#include "toolkit/TApplication.h"
#include "toolkit/WindowDC.h"

namespace {
const char kChooserTitle[] = "ＡＶＩ圧縮方式選択";
const char kSequenceStartFailed[] = "フレームシーケンス圧縮のリソースが初期化出来ません.";
const char kFileNotCreated[] = "ＡＶＩファイルを作成できませんでした.";
const char kStreamNotCreated[] = "映像ストリームを作成できませんでした.";
const char kFrameNotCompressed[] = "フレームシーケンス圧縮が出来ませんでした.";
const char kFileNotOpened[] = "ＡＶＩファイルを開けませんでした.";
const char kStreamNotOpened[] = "映像ストリームを開けませんでした.";
const char kCompressionStopped[] = "圧縮ＡＶＩファイル作成を中断しました.";

constexpr UINT kOpenWriteCreate = OF_WRITE | OF_CREATE;  // 0x1001
constexpr UINT kOpenRead = OF_READ;                      // 0
constexpr UINT kChooserFlags = ICMF_CHOOSE_KEYFRAME | ICMF_CHOOSE_DATARATE;
constexpr UINT kSaveOptionFlags = ICMF_CHOOSE_KEYFRAME | ICMF_CHOOSE_DATARATE | ICMF_CHOOSE_PREVIEW;
// What the abort button hands to the compression as its callback result: the code of
// AVIERR_USERABORT without its severity and facility, 16582. Any value but 0 stops it.
constexpr int kAbortValue = AVIERR_USERABORT & 0xFFFF;
// The bit count of a pre-compressed stream's format. Readers go by its compression code;
// the count is the one movies of this writer have always carried.
constexpr WORD kCompressedBitCount = 18;
// Uncompressed frames are stored at the best quality there is.
constexpr DWORD kFullFrameQuality = ICQUALITY_HIGH;  // 10000

// Wine's AVIFile library leaves a failed write (a full disk) out of the result it returns;
// the thread's last error still says it. Clear it before the call, ask after.
bool WriteWasLost(HRESULT result) {
    if (result != AVIERR_OK) return true;
    switch (::GetLastError()) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
        case ERROR_WRITE_FAULT:
        case ERROR_IO_DEVICE:
            return true;
        default:
            return false;
    }
}

// Shared by every writer: one compression with a progress window at a time.
TAviProgressForm* progressWindow = nullptr;
int abortRequest = 0;

BOOL WINAPI SaveProgress(int percent) {
    // The platform calls this between frames; nothing may escape into it. An error stops
    // the compression and reaches the application's error box.
    return Guarded<BOOL>(kAbortValue, [percent] {
        if (progressWindow) progressWindow->ShowProgress(percent);
        PumpMessages();
        return abortRequest;
    });
}

// The name with its extension (from the last "." after the last "\" or ":") replaced.
std::string ReplaceExtension(const std::string& path, const std::string& extension) {
    std::size_t dot = std::string::npos;
    for (CharWalk walk(path); !walk.AtEnd(); walk.Next()) {
        const char c = path[walk.Position()];
        if (walk.CharSize() != 1) continue;
        if (c == '\\' || c == ':') dot = std::string::npos;
        if (c == '.') dot = walk.Position();
    }
    return path.substr(0, dot) + extension;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The save options as AVISaveOptions filled them, freed once whatever path is taken.
class SaveOptionsGuard {
public:
    explicit SaveOptionsGuard(AVICOMPRESSOPTIONS*& options) : options_(options) {}
    ~SaveOptionsGuard() { ::AVISaveOptionsFree(1, &options_); }
    SaveOptionsGuard(const SaveOptionsGuard&) = delete;
    SaveOptionsGuard& operator=(const SaveOptionsGuard&) = delete;

private:
    AVICOMPRESSOPTIONS*& options_;
};
}  // namespace

TOrskAvi::TOrskAvi(TComponent* owner) : TComponent(owner) {}

void TOrskAvi::SetFileName(const std::string& value) {
    if (value == fileName_) return;
    fileName_ = value;
}

void TOrskAvi::SetWidth(WORD value) {
    if (value == width_) return;
    width_ = value;
}

void TOrskAvi::SetHeight(WORD value) {
    if (value == height_) return;
    height_ = value;
}

void TOrskAvi::SetCompress(bool value) {
    if (value == compress_) return;
    compress_ = value;
}

void TOrskAvi::SetPreCompress(bool value) {
    if (value == preCompress_) return;
    preCompress_ = value;
}

void TOrskAvi::SetFrameRate(int value) {
    value = std::clamp(value, 1, 30);
    if (value == frameRate_) return;
    frameRate_ = value;
}

void TOrskAvi::SetBitDepth(WORD value) {
    const WORD depth = (value & 0xFF) == 24 ? 24 : 16;
    if (depth == bitDepth_) return;
    bitDepth_ = depth;
}

void TOrskAvi::ResetCompressor() { compressor_.Reset(); }

bool TOrskAvi::ChooseCompressor() {
    ResetCompressor();
    char title[sizeof kChooserTitle];
    std::memcpy(title, kChooserTitle, sizeof title);
    const bool chosen = ::ICCompressorChoose(TApplication::Instance().Handle(), kChooserFlags, &frameHeader_, nullptr,
                                             compressor_.get(), title) != FALSE;
    if (chosen && compressor_.HasCompressor()) {
        if (!compressor_.StartSequence(reinterpret_cast<BITMAPINFO*>(&frameHeader_))) {
            compressor_.Free();
            MessageBoxes::Error(kSequenceStartFailed);
            return false;
        }
        return true;
    }
    // A cancelled dialog may still have opened the compressor it showed last.
    if (!chosen) compressor_.Free();
    return chosen;
}

bool TOrskAvi::PreCompressing() const { return compress_ && preCompress_ && compressor_.HasCompressor(); }

void TOrskAvi::Abandon() {
    stream_.reset();
    file_.reset();
    library_.reset();
    compressor_.Free();
    stretcher_.Release();
    workBitmap_.Reset();
}

bool TOrskAvi::Open() {
    // Whatever a previous movie left open (an Open without Close) is finished first, so its
    // library use is matched before a new one begins.
    Abandon();

    workBitmap_.Create(width_, height_, true);

    // The system describes the bitmap; the frames are then stored as plain RGB at BitDepth.
    frameHeader_ = FrameHeader{};
    frameHeader_.header.biSize = sizeof(BITMAPINFOHEADER);
    {
        WindowDC screen(nullptr);
        ::GetDIBits(screen.get(), workBitmap_.Handle(), 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&frameHeader_),
                    DIB_RGB_COLORS);
    }
    frameHeader_.header.biSize = sizeof(BITMAPINFOHEADER);
    frameHeader_.header.biWidth = width_;
    frameHeader_.header.biHeight = height_;
    frameHeader_.header.biPlanes = 1;
    frameHeader_.header.biCompression = BI_RGB;
    frameHeader_.header.biSizeImage = 0;
    frameHeader_.header.biBitCount = bitDepth_;
    frameSize_ = static_cast<DWORD>(FrameBytes(width_, height_, bitDepth_));

    ResetCompressor();
    if (compress_ && preCompress_ && !ChooseCompressor()) {
        workBitmap_.Reset();
        return false;
    }

    // Only now that the user has confirmed is the old file given up.
    if (FileExists(fileName_)) ::DeleteFileA(fileName_.c_str());

    library_.emplace();
    ::AVIFileOpenA(file_.put(), fileName_.c_str(), kOpenWriteCreate, nullptr);
    if (!file_) {
        Abandon();
        MessageBoxes::Warning(kFileNotCreated);
        return false;
    }

    const bool preCompressing = PreCompressing();
    streamInfo_.fccType = streamtypeVIDEO;
    streamInfo_.dwScale = 1;
    streamInfo_.dwRate = static_cast<DWORD>(frameRate_);
    streamInfo_.dwLength = 0;
    std::memset(streamInfo_.szName, 0, sizeof streamInfo_.szName);
    std::strcpy(streamInfo_.szName, "VIDEO");
    streamInfo_.rcFrame = RECT{0, 0, width_, height_};
    if (preCompressing) {
        streamInfo_.fccHandler = compressor_.vars().fccHandler;
        streamInfo_.dwQuality = static_cast<DWORD>(compressor_.vars().lQ);
    } else {
        // Full frames carry no handler, also after a compressed movie of this writer.
        streamInfo_.fccHandler = 0;
        streamInfo_.dwQuality = kFullFrameQuality;
    }

    if (::AVIFileCreateStreamA(file_.get(), stream_.put(), &streamInfo_) != 0 || !stream_) {
        Abandon();
        MessageBoxes::Warning(kStreamNotCreated);
        return false;
    }

    BITMAPINFOHEADER format = frameHeader_.header;
    if (preCompressing) {
        format.biBitCount = kCompressedBitCount;
        format.biCompression = compressor_.vars().fccHandler;
    }
    // A stream without its format cannot be played: as good as no stream.
    if (::AVIStreamSetFormat(stream_.get(), 0, &format, sizeof format) != AVIERR_OK) {
        Abandon();
        MessageBoxes::Warning(kStreamNotCreated);
        return false;
    }
    return true;
}

bool TOrskAvi::AddFrame(const TGraphic& graphic) {
    if (!stream_) return false;
    stretcher_.Draw(graphic, workBitmap_);

    std::unique_ptr<BYTE[]> pixels(new BYTE[frameSize_]);
    StoreFrameRows(workBitmap_, bitDepth_, pixels.get());

    if (PreCompressing()) {
        BOOL key = FALSE;
        LONG size = static_cast<LONG>(frameSize_);
        void* data = ::ICSeqCompressFrame(compressor_.get(), 0, pixels.get(), &key, &size);
        if (!data) {
            MessageBoxes::Error(kFrameNotCompressed);
            return false;
        }
        Write(data, size, key ? AVIIF_KEYFRAME : 0);
    } else {
        Write(pixels.get(), static_cast<LONG>(frameSize_), AVIIF_KEYFRAME);
    }
    ++streamInfo_.dwLength;
    return true;
}

void TOrskAvi::Write(const void* data, LONG size, DWORD flags) {
    ::SetLastError(ERROR_SUCCESS);
    const HRESULT result = ::AVIStreamWrite(stream_.get(), static_cast<LONG>(streamInfo_.dwLength), 1,
                                            const_cast<void*>(data), size, flags, nullptr, nullptr);
    if (WriteWasLost(result)) LoseFile();
}

void TOrskAvi::LoseFile() {
    const DWORD code = ::GetLastError() != ERROR_SUCCESS ? ::GetLastError() : ERROR_WRITE_FAULT;
    Abandon();
    // What is on disk lacks frames the caller believes written.
    ::DeleteFileA(fileName_.c_str());
    throw EOSError(code);
}

bool TOrskAvi::Close() {
    if (!library_) return false;
    stretcher_.Release();
    workBitmap_.Reset();
    compressor_.Free();
    // Releasing the file is what writes its index and headers. Released here rather than
    // by the owners, which keep the thread's last error as it was: the release's own
    // failure is what must be seen.
    ::SetLastError(ERROR_SUCCESS);
    if (PAVISTREAM stream = stream_.release()) avi_detail::ReleaseStream(stream);
    if (PAVIFILE file = file_.release()) avi_detail::ReleaseFile(file);
    if (WriteWasLost(AVIERR_OK)) {
        library_.reset();
        ::DeleteFileA(fileName_.c_str());
        return false;
    }
    if (compress_ && !preCompress_) PostCompress();
    library_.reset();
    return true;
}

void TOrskAvi::PostCompress() {
    saveOptions_ = AVICOMPRESSOPTIONS{};
    AVICOMPRESSOPTIONS* options = &saveOptions_;

    UniqueAviFile file;
    if (::AVIFileOpenA(file.put(), fileName_.c_str(), kOpenRead, nullptr) != 0 || !file) {
        MessageBoxes::Warning(kFileNotOpened);
        return;
    }
    UniqueAviStream stream;
    if (::AVIFileGetStream(file.get(), stream.put(), streamtypeVIDEO, 0) != 0 || !stream) {
        MessageBoxes::Warning(kStreamNotOpened);
        return;
    }

    SaveOptionsGuard freeOptions(options);
    options->fccType = streamtypeVIDEO;
    options->fccHandler = CompressorSettings::kFullFrames;
    PAVISTREAM streams[1] = {stream.get()};
    ::AVISaveOptions(TApplication::Instance().Handle(), kSaveOptionFlags, 1, streams, &options);
    if (CompressorSettings::IsFullFrames(options->fccHandler)) return;

    const std::string temporary = ReplaceExtension(fileName_, "_.avi");
    abortRequest = 0;
    auto progress = std::make_unique<TAviProgressForm>(&TApplication::Instance());
    progress->OnAbort = [](TObject&) { abortRequest = kAbortValue; };
    progressWindow = progress.get();
    progress->Show();
    ::SetLastError(ERROR_SUCCESS);
    const HRESULT result = ::AVISaveVA(temporary.c_str(), nullptr, SaveProgress, 1, streams, &options);
    const bool failed = WriteWasLost(result);
    progressWindow = nullptr;
    progress.reset();

    if (failed) {
        MessageBoxes::Warning(kCompressionStopped);
        ::DeleteFileA(temporary.c_str());
        return;
    }
    // The compressed copy takes the movie's name; should that fail, the uncompressed movie
    // stays and the copy goes, as after any failed compression.
    stream.reset();
    file.reset();
    if (!::MoveFileExA(temporary.c_str(), fileName_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        MessageBoxes::Warning(kCompressionStopped);
        ::DeleteFileA(temporary.c_str());
    }
}
