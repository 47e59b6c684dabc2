#include "capture/JpegWriter.h"

#include <windows.h>

#include <csetjmp>
#include <cstdio>
#include <new>

// jpeglib.h needs <cstdio> before it, and jerror.h needs jpeglib.h.
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "toolkit/AtomicFile.h"
#include "toolkit/EOSError.h"
#include "toolkit/LastErrorOnFailure.h"

namespace {
// libjpeg reports errors by calling error_exit, which must not return. Throwing through
// the library's C frames is not possible, so it jumps back to Encode, which then destroys
// the compressor and reports the library's message.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// The compressed data goes into a vector that grows as needed.
struct VectorDestination {
    jpeg_destination_mgr base;
    std::vector<unsigned char>* out;
};

// Grows the vector without letting bad_alloc escape into the library.
bool Grow(VectorDestination& destination, std::size_t size) noexcept {
    try {
        destination.out->resize(size);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void InitDestination(j_compress_ptr info) {
    auto* destination = reinterpret_cast<VectorDestination*>(info->dest);
    if (!Grow(*destination, 256 * 1024)) ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
    destination->base.next_output_byte = destination->out->data();
    destination->base.free_in_buffer = destination->out->size();
}

boolean EmptyOutputBuffer(j_compress_ptr info) {
    // Called only when the whole buffer is full.
    auto* destination = reinterpret_cast<VectorDestination*>(info->dest);
    const std::size_t used = destination->out->size();
    if (!Grow(*destination, used * 2)) ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
    destination->base.next_output_byte = destination->out->data() + used;
    destination->base.free_in_buffer = destination->out->size() - used;
    return TRUE;
}

void TermDestination(j_compress_ptr info) {
    auto* destination = reinterpret_cast<VectorDestination*>(info->dest);
    destination->out->resize(destination->out->size() - destination->base.free_in_buffer);
}

// No object with a destructor may live in this function: the error path leaves the
// library's frames by longjmp straight back into it.
bool Encode(const DibPixels& rows, VectorDestination& destination, ErrorManager& errors, int& failure) {
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = ErrorExit;
    if (setjmp(errors.jump)) {
        failure = errors.base.msg_code;
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    info.dest = &destination.base;
    info.image_width = static_cast<JDIMENSION>(rows.header.biWidth);
    info.image_height = static_cast<JDIMENSION>(rows.Height());
    // The input colour space is set before the defaults, which pick the JPEG colour space
    // (YCbCr, so a JFIF header) from it. BGRX is the DIB's own row layout.
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, JpegWriter::kQuality, TRUE);
    info.dct_method = JDCT_FLOAT;
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = rows.Stride();
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rows.rows.data() + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}
}  // namespace

DibPixels JpegWriter::Rows(const TBitmap& bitmap) {
    return LastErrorOnFailure([&] { return bitmap.Pixels(32, true); });
}

std::vector<unsigned char> JpegWriter::Compress(const DibPixels& rows) {
    return LastErrorOnFailure([&] {
        std::vector<unsigned char> out;
        VectorDestination destination{};
        destination.base.init_destination = InitDestination;
        destination.base.empty_output_buffer = EmptyOutputBuffer;
        destination.base.term_destination = TermDestination;
        destination.out = &out;
        ErrorManager errors{};
        int failure = 0;
        if (!Encode(rows, destination, errors, failure)) {
            // Only running out of memory is an operating-system failure; anything else is
            // data the compressor refused.
            const DWORD code = failure == JERR_OUT_OF_MEMORY ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INVALID_DATA;
            throw EOSError(code, std::string("JPEG を圧縮できません: ") + errors.message);
        }
        return out;
    });
}

void JpegWriter::Write(const std::vector<unsigned char>& jpeg, const std::string& path) {
    LastErrorOnFailure([&] {
        AtomicFile out(path);
        out.Write(jpeg.data(), jpeg.size());
        out.Commit();
    });
}

void JpegWriter::SaveToFile(const TBitmap& bitmap, const std::string& path) const {
    LastErrorOnFailure([&] {
        // The rows are freed before the file is written: only the compressed copy is kept.
        std::vector<unsigned char> jpeg = Compress(Rows(bitmap));
        Write(jpeg, path);
    });
}
