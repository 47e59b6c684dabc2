#include "tests/movie/TestCodec.h"

#include <cstring>
#include <memory>

namespace test_codec {
namespace {

Calls calls;

std::size_t PixelBytes(const BITMAPINFOHEADER& format) { return format.biBitCount / 8u; }
std::size_t FrameBytes(const BITMAPINFOHEADER& format) {
    return (static_cast<std::size_t>(format.biWidth) * format.biBitCount + 31) / 32 * 4 *
           static_cast<std::size_t>(std::abs(format.biHeight));
}
std::size_t WorstCase(const BITMAPINFOHEADER& format) { return 1 + FrameBytes(format) * 2 + 16; }

// Control byte c < 128: c + 1 literal pixels follow. c >= 128: the next pixel, c - 126 times.
std::vector<std::uint8_t> Pack(const std::uint8_t* pixels, std::size_t bytes, std::size_t p, char kind) {
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>(kind)};
    const std::size_t count = bytes / p;
    std::size_t i = 0;
    auto same = [&](std::size_t a, std::size_t b) { return std::memcmp(pixels + a * p, pixels + b * p, p) == 0; };
    while (i < count) {
        std::size_t run = 1;
        while (i + run < count && run < 129 && same(i, i + run)) ++run;
        if (run >= 2) {
            out.push_back(static_cast<std::uint8_t>(run + 126));
            out.insert(out.end(), pixels + i * p, pixels + (i + 1) * p);
            i += run;
            continue;
        }
        std::size_t literal = 1;
        while (i + literal < count && literal < 128 && !(i + literal + 1 < count && same(i + literal, i + literal + 1)))
            ++literal;
        out.push_back(static_cast<std::uint8_t>(literal - 1));
        out.insert(out.end(), pixels + i * p, pixels + (i + literal) * p);
        i += literal;
    }
    // Row padding bytes that do not fill a pixel travel as they are.
    out.insert(out.end(), pixels + count * p, pixels + bytes);
    return out;
}

struct Instance {
    DWORD code = 0;
    BITMAPINFOHEADER input{};
    std::vector<std::uint8_t> previous;
    int frames = 0;
};

LRESULT Compress(Instance& self, ICCOMPRESS& request) {
    const std::size_t bytes = FrameBytes(*request.lpbiInput);
    const std::size_t p = PixelBytes(*request.lpbiInput);
    const auto* pixels = static_cast<const std::uint8_t*>(request.lpInput);
    ++calls.compressed;
    if (calls.onCompress) calls.onCompress();
    calls.lastQuality = request.dwQuality;
    const bool keyAsked = (request.dwFlags & ICCOMPRESS_KEYFRAME) != 0;
    if (keyAsked) ++calls.keyFramesAsked;
    calls.asked.push_back(keyAsked);

    if (self.code == kFailsOnRed) {
        const std::uint8_t red16[2] = {0x00, 0x7C}, red24[3] = {0x00, 0x00, 0xFF};
        if (std::memcmp(pixels, p == 2 ? red16 : red24, p) == 0) return ICERR_INTERNAL;
    }
    if (self.code == kFailsAfterOne && ++self.frames > 1) return ICERR_INTERNAL;

    std::vector<std::uint8_t> packed = Pack(pixels, bytes, p, 'K');
    if (!keyAsked && self.previous.size() == bytes) {
        std::vector<std::uint8_t> delta(bytes);
        for (std::size_t k = 0; k < bytes; ++k) delta[k] = pixels[k] ^ self.previous[k];
        std::vector<std::uint8_t> deltaPacked = Pack(delta.data(), bytes, p, 'D');
        if (deltaPacked.size() < packed.size()) packed.swap(deltaPacked);
    }
    self.previous.assign(pixels, pixels + bytes);
    std::memcpy(request.lpOutput, packed.data(), packed.size());
    request.lpbiOutput->biSizeImage = static_cast<DWORD>(packed.size());
    if (request.lpckid) *request.lpckid = mmioFOURCC('d', 'c', 0, 0);
    if (request.lpdwFlags) *request.lpdwFlags = packed[0] == 'K' ? AVIIF_KEYFRAME : 0;
    return ICERR_OK;
}

bool Accepts(const BITMAPINFOHEADER* input) {
    return input && input->biCompression == BI_RGB && (input->biBitCount == 16 || input->biBitCount == 24);
}

template <DWORD Code>
LRESULT CALLBACK DriverProc(DWORD_PTR id, HDRVR, UINT message, LPARAM lParam1, LPARAM lParam2) {
    auto* self = reinterpret_cast<Instance*>(id);
    switch (message) {
        case DRV_LOAD:
        case DRV_FREE:
        case DRV_ENABLE:
        case DRV_DISABLE:
            return 1;
        case DRV_OPEN: {
            const auto* open = reinterpret_cast<const ICOPEN*>(lParam2);
            if (open && open->fccType != ICTYPE_VIDEO) return 0;
            auto* instance = new Instance;
            instance->code = Code;
            return reinterpret_cast<LRESULT>(instance);
        }
        case DRV_CLOSE:
            delete self;
            return 1;
        case DRV_QUERYCONFIGURE:
            return 0;
        case ICM_GETINFO: {
            auto* info = reinterpret_cast<ICINFO*>(lParam1);
            if (!info || static_cast<std::size_t>(lParam2) < sizeof(ICINFO)) return 0;
            *info = ICINFO{};
            info->dwSize = sizeof(ICINFO);
            info->fccType = ICTYPE_VIDEO;
            info->fccHandler = Code;
            info->dwFlags = VIDCF_QUALITY | VIDCF_TEMPORAL;
            info->dwVersion = 1;
            info->dwVersionICM = ICVERSION;
            const std::string description = Description(Code);
            for (std::size_t i = 0; i < description.size() && i < 127; ++i) info->szDescription[i] = description[i];
            for (std::size_t i = 0; i < 4; ++i) info->szName[i] = static_cast<WCHAR>((Code >> (8 * i)) & 0xFF);
            return sizeof(ICINFO);
        }
        case ICM_GETDEFAULTQUALITY:
            if (lParam1) *reinterpret_cast<DWORD*>(lParam1) = 7500;
            return ICERR_OK;
        case ICM_GETDEFAULTKEYFRAMERATE:
            if (lParam1) *reinterpret_cast<DWORD*>(lParam1) = 15;
            return ICERR_OK;
        case ICM_GETSTATE:
            return 0;
        case ICM_SETSTATE:
            return 0;
        case ICM_COMPRESS_QUERY: {
            const auto* output = reinterpret_cast<const BITMAPINFOHEADER*>(lParam2);
            if (!Accepts(reinterpret_cast<const BITMAPINFOHEADER*>(lParam1))) return ICERR_BADFORMAT;
            if (output && output->biCompression != Code) return ICERR_BADFORMAT;
            return ICERR_OK;
        }
        case ICM_COMPRESS_GET_FORMAT: {
            const auto* input = reinterpret_cast<const BITMAPINFOHEADER*>(lParam1);
            auto* output = reinterpret_cast<BITMAPINFOHEADER*>(lParam2);
            if (!output) return sizeof(BITMAPINFOHEADER);
            if (!Accepts(input)) return ICERR_BADFORMAT;
            *output = *input;
            output->biSize = sizeof(BITMAPINFOHEADER);
            output->biCompression = Code;
            output->biSizeImage = static_cast<DWORD>(WorstCase(*input));
            output->biClrUsed = output->biClrImportant = 0;
            return ICERR_OK;
        }
        case ICM_COMPRESS_GET_SIZE: {
            const auto* input = reinterpret_cast<const BITMAPINFOHEADER*>(lParam1);
            return input ? static_cast<LRESULT>(WorstCase(*input)) : 0;
        }
        case ICM_COMPRESS_BEGIN:
            if (Code == kFailsToStart) return ICERR_INTERNAL;
            if (!Accepts(reinterpret_cast<const BITMAPINFOHEADER*>(lParam1))) return ICERR_BADFORMAT;
            self->input = *reinterpret_cast<const BITMAPINFOHEADER*>(lParam1);
            self->previous.clear();
            self->frames = 0;
            return ICERR_OK;
        case ICM_COMPRESS:
            return Compress(*self, *reinterpret_cast<ICCOMPRESS*>(lParam1));
        case ICM_COMPRESS_END:
            self->previous.clear();
            return ICERR_OK;
        default:
            return message < DRV_USER ? 0 : ICERR_UNSUPPORTED;
    }
}

}  // namespace

std::string Description(DWORD code) {
    switch (code) {
        case kPacker:
            return "Pictavo Test Packer";
        case kFailsToStart:
            return "Pictavo Test Packer (no start)";
        case kFailsOnRed:
            return "Pictavo Test Packer (no red)";
        case kFailsAfterOne:
            return "Pictavo Test Packer (one frame)";
        default:
            return "";
    }
}

void Install() {
    static bool installed = [] {
        ::ICInstall(ICTYPE_VIDEO, kPacker, reinterpret_cast<LPARAM>(&DriverProc<kPacker>), nullptr, ICINSTALL_FUNCTION);
        ::ICInstall(ICTYPE_VIDEO, kFailsToStart, reinterpret_cast<LPARAM>(&DriverProc<kFailsToStart>), nullptr,
                    ICINSTALL_FUNCTION);
        ::ICInstall(ICTYPE_VIDEO, kFailsOnRed, reinterpret_cast<LPARAM>(&DriverProc<kFailsOnRed>), nullptr,
                    ICINSTALL_FUNCTION);
        ::ICInstall(ICTYPE_VIDEO, kFailsAfterOne, reinterpret_cast<LPARAM>(&DriverProc<kFailsAfterOne>), nullptr,
                    ICINSTALL_FUNCTION);
        return true;
    }();
    (void)installed;
}

Calls& Observed() { return calls; }

bool Unpack(const std::uint8_t* data, std::size_t size, std::size_t frameBytes, int pixelBytes,
            const std::vector<std::uint8_t>& previous, std::vector<std::uint8_t>& frame, bool& key) {
    if (size < 1 || (data[0] != 'K' && data[0] != 'D')) return false;
    key = data[0] == 'K';
    if (!key && previous.size() != frameBytes) return false;
    frame.assign(frameBytes, 0);
    const std::size_t p = static_cast<std::size_t>(pixelBytes);
    const std::size_t count = frameBytes / p;
    std::size_t at = 1, pixel = 0;
    while (pixel < count) {
        if (at >= size) return false;
        const std::uint8_t control = data[at++];
        if (control < 128) {
            const std::size_t n = control + 1u;
            if (pixel + n > count || at + n * p > size) return false;
            std::memcpy(frame.data() + pixel * p, data + at, n * p);
            at += n * p;
            pixel += n;
        } else {
            const std::size_t n = control - 126u;
            if (pixel + n > count || at + p > size) return false;
            for (std::size_t k = 0; k < n; ++k) std::memcpy(frame.data() + (pixel + k) * p, data + at, p);
            at += p;
            pixel += n;
        }
    }
    const std::size_t tail = frameBytes - count * p;
    if (at + tail != size) return false;
    std::memcpy(frame.data() + count * p, data + at, tail);
    if (!key) {
        for (std::size_t k = 0; k < frameBytes; ++k) frame[k] ^= previous[k];
    }
    return true;
}

}  // namespace test_codec
