// JPEG through libjpeg; every pixel opaque. libjpeg reports errors by longjmp, so the frames
// it can jump across (the session below and the library's own) hold no object with a
// destructor; the pixels live in the caller's frame and grow through a plain callback.
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <new>

#include <jerror.h>
#include <jpeglib.h>

#include "display/picture_decoders.h"

namespace fluffo {
namespace {

// More scans than any honest progressive file has: each one re-reads the whole picture, so
// a file made of thousands of tiny scans would keep the program busy for minutes.
constexpr int Max_Scans = 500;

struct JpegError {
    jpeg_error_mgr mgr;  // first, so libjpeg's pointer to it is a pointer to all of this
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void fail(j_common_ptr cinfo) {
    auto* error = reinterpret_cast<JpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, error->message);
    std::longjmp(error->jump, 1);
}

// Warnings are quiet, except a file that ends early: that is damaged, not a picture whose
// missing part is grey.
void on_message(j_common_ptr cinfo, int level) {
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) fail(cinfo);
}

void on_progress(j_common_ptr cinfo) {
    auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (cinfo->is_decompressor && dinfo->input_scan_number > Max_Scans) {
        auto* error = reinterpret_cast<JpegError*>(cinfo->err);
        std::snprintf(error->message, sizeof error->message, "more than %d scans", Max_Scans);
        std::longjmp(error->jump, 1);
    }
}

// Receives one decoded row (width pixels, 4 bytes each for RGBA or CMYK); false stops.
using RowSink = bool (*)(void* context, const JSAMPLE* row, JDIMENSION row_index);
// Checks the header's size before any pixel memory is taken; false stops.
using SizeCheck = bool (*)(void* context, JDIMENSION width, JDIMENSION height, bool cmyk);

struct JpegSession {
    jpeg_decompress_struct cinfo;
    JpegError error;
    jpeg_progress_mgr progress;
};

// Returns false with session.error.message set, or with it empty when a callback stopped.
bool run_decompress(JpegSession& session, const uint8_t* data, size_t size, SizeCheck check,
                    RowSink sink, void* context) {
    jpeg_decompress_struct& cinfo = session.cinfo;
    session.error.message[0] = '\0';
    cinfo.err = jpeg_std_error(&session.error.mgr);
    session.error.mgr.error_exit = fail;
    session.error.mgr.emit_message = on_message;
    if (setjmp(session.error.jump) != 0) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    session.progress.progress_monitor = on_progress;
    cinfo.progress = &session.progress;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
    if (!check(context, cinfo.image_width, cinfo.image_height, cmyk)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_start_decompress(&cinfo);
    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                cinfo.output_width * 4, 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        const JDIMENSION index = cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, row, 1);
        if (!sink(context, row[0], index)) {
            jpeg_destroy_decompress(&cinfo);
            return false;
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

struct Decoding {
    Picture* picture = nullptr;
    bool cmyk = false;
    bool size_refused = false;
    std::string refusal;  // set by a callback that stops the decoding
};

bool check_size(void* context, JDIMENSION width, JDIMENSION height, bool cmyk) {
    auto* decoding = static_cast<Decoding*>(context);
    decoding->cmyk = cmyk;
    decoding->picture->width = static_cast<int32_t>(width);
    decoding->picture->height = static_cast<int32_t>(height);
    decoding->size_refused = !picture_size_allowed(width, height);
    return !decoding->size_refused;
}

uint32_t rgba_pixel(const JSAMPLE* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | 0xFF00'0000u;
}

// Adobe writes CMYK inverted (255 is no ink), which is what every CMYK JPEG in practice is.
uint32_t cmyk_pixel(const JSAMPLE* p) {
    const uint32_t k = p[3];
    const auto channel = [k](uint32_t v) { return (v * k + 127) / 255; };
    return channel(p[0]) | channel(p[1]) << 8 | channel(p[2]) << 16 | 0xFF00'0000u;
}

bool take_row(void* context, const JSAMPLE* row, JDIMENSION row_index) {
    auto* decoding = static_cast<Decoding*>(context);
    Picture& picture = *decoding->picture;
    const auto width = static_cast<size_t>(picture.width);
    try {
        // The whole picture is taken once its first row decodes, so a tiny damaged file that
        // declares a large size costs no large allocation.
        if (row_index == 0) picture.pixels.reserve(width * static_cast<size_t>(picture.height));
        for (size_t x = 0; x < width; ++x) {
            picture.pixels.push_back(decoding->cmyk ? cmyk_pixel(row + 4 * x)
                                                    : rgba_pixel(row + 4 * x));
        }
    } catch (const std::bad_alloc&) {
        decoding->refusal = "not enough memory";
        return false;
    }
    return true;
}

}  // namespace

PicturePtr decode_jpeg(std::span<const uint8_t> bytes, const std::string& file_name) {
    auto picture = std::make_shared<Picture>();
    picture->transparency = Transparency::None;
    Decoding decoding;
    decoding.picture = picture.get();
    JpegSession session{};
    if (!run_decompress(session, bytes.data(), bytes.size(), check_size, take_row, &decoding)) {
        if (decoding.size_refused) {
            check_picture_size(file_name, picture->width, picture->height);
        }
        refuse_picture(file_name, decoding.refusal.empty() ? std::string(session.error.message)
                                                           : decoding.refusal);
    }
    return picture;
}

}  // namespace fluffo
