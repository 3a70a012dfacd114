// ifjpeg.spi: JPEG images through libjpeg(-turbo), turned upright by their Exif orientation.

// jpeglib.h needs FILE and size_t declared first.
#include <cstdio>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include <csetjmp>
#include <cstdlib>

#include "ExifOrientation.h"
#include "Orientation.h"
#include "SpiPlugin.h"

namespace korvent::plugins {
namespace {

const char* const kTexts[] = {"00IN", "KorventPDF JPEG plug-in 1.0", "*.jpg;*.jpeg;*.jpe;*.jfif",
                              "JPEG file"};

struct TErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void OnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<TErrorManager*>(info->err)->jump, 1);
}

// Warnings (extraneous bytes, a premature end filled with grey) do not stop the decode; the
// picture is shown as far as it goes, as other viewers do.
void OnMessage(j_common_ptr) {}

// What must be released whether decoding ends normally or by the long jump of OnError.
struct TSession {
    jpeg_decompress_struct cinfo{};
    TErrorManager error{};
    jpeg_progress_mgr monitor{};
    bool created = false;
    std::uint8_t* row = nullptr;

    ~TSession() {
        std::free(row);
        if (created) {
            jpeg_destroy_decompress(&cinfo);
        }
    }
};

int OrientationOf(jpeg_decompress_struct& cinfo) {
    for (jpeg_saved_marker_ptr marker = cinfo.marker_list; marker; marker = marker->next) {
        if (marker->marker == JPEG_APP0 + 1) {
            const int orientation = ExifOrientation(marker->data, marker->data_length);
            if (orientation != 1) {
                return orientation;
            }
        }
    }
    return 1;
}

// Progressive files with thousands of tiny scans take minutes to decode while looking valid;
// no real picture has more than a few dozen scans.
constexpr int kMaxScans = 500;
// Beyond this, libjpeg would need a backing store, which it does not have: it fails cleanly.
constexpr long kMaxWorkMemory = 1L << 30;

void OnLibraryProgress(j_common_ptr info) {
    if (info->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) {
        info->err->msg_code = JMSG_NOMESSAGE;  // no earlier warning's code may decide the result
        OnError(info);
    }
}

// The result for a decode that libjpeg ended: a picture too large for its memory or its
// dimensions, or of a kind this build cannot decode (12-bit samples), is no damaged file.
int FailureOf(const jpeg_decompress_struct& cinfo) {
    switch (cinfo.err->msg_code) {
        case JERR_OUT_OF_MEMORY:
        case JERR_NO_BACKING_STORE:
        case JERR_WIDTH_OVERFLOW:
        case JERR_IMAGE_TOO_BIG:
            return SPI_NO_MEMORY;
        case JERR_BAD_PRECISION:
        case JERR_NOT_COMPILED:
            return SPI_NOT_SUPPORT;
        default:
            return SPI_OUT_OF_ORDER;
    }
}

// Sets the session up and reads the header. Must be called inside the setjmp scope.
void Start(TSession& s, const TInput& input) {
    s.cinfo.err = jpeg_std_error(&s.error.pub);
    s.error.pub.error_exit = OnError;
    s.error.pub.output_message = OnMessage;
    jpeg_create_decompress(&s.cinfo);
    s.created = true;
    s.cinfo.mem->max_memory_to_use = kMaxWorkMemory;
    s.monitor.progress_monitor = OnLibraryProgress;
    s.cinfo.progress = &s.monitor;
    jpeg_mem_src(&s.cinfo, input.data, static_cast<unsigned long>(input.size));
    jpeg_save_markers(&s.cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&s.cinfo, TRUE);
}

bool TooLarge(const jpeg_decompress_struct& cinfo) {
    return std::uint64_t{cinfo.image_width} * cinfo.image_height > TDib::kMaxPixels;
}

void CmykToBgr(const std::uint8_t* in, std::uint8_t* out, int width, bool inverted) {
    for (int x = 0; x < width; ++x, in += 4, out += 3) {
        const unsigned c = inverted ? in[0] : 255u - in[0];
        const unsigned m = inverted ? in[1] : 255u - in[1];
        const unsigned y = inverted ? in[2] : 255u - in[2];
        const unsigned k = inverted ? in[3] : 255u - in[3];
        out[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
        out[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        out[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
    }
}

// The decode proper; no object with a destructor lives in this frame.
int Decode(TSession& s, const TInput& input, TDib& dib, const TProgress& progress) {
    if (setjmp(s.error.jump)) {
        return FailureOf(s.cinfo);
    }
    Start(s, input);
    if (TooLarge(s.cinfo)) {
        return SPI_NO_MEMORY;
    }
    const int orientation = OrientationOf(s.cinfo);
    const bool cmyk = s.cinfo.jpeg_color_space == JCS_CMYK || s.cinfo.jpeg_color_space == JCS_YCCK;
    s.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_start_decompress(&s.cinfo);

    const int width = static_cast<int>(s.cinfo.output_width);
    const int height = static_cast<int>(s.cinfo.output_height);
    const int result = CreateUpright(dib, orientation, width, height, 24);
    if (result != SPI_ALL_RIGHT) {
        return result;
    }
    const bool direct = orientation == 1 && !cmyk;
    if (!direct) {
        s.row = static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(width) * 4));
        if (!s.row) {
            return SPI_NO_MEMORY;
        }
    }
    std::uint8_t* bgr = s.row;
    while (s.cinfo.output_scanline < s.cinfo.output_height) {
        const int y = static_cast<int>(s.cinfo.output_scanline);
        JSAMPROW target = direct ? dib.Row(y) : s.row;
        if (jpeg_read_scanlines(&s.cinfo, &target, 1) != 1) {
            return SPI_OUT_OF_ORDER;
        }
        if (!direct) {
            if (cmyk) {
                // Converted in place: three output bytes never overtake four input bytes.
                CmykToBgr(s.row, bgr, width, s.cinfo.saw_Adobe_marker);
            }
            PutStoredRow(dib, orientation, y, bgr, width, height, 3);
        }
        if (progress.Step(y + 1, height)) {
            return SPI_ABORT;
        }
    }
    // The rest of the file (trailing markers) does not change the picture.
    jpeg_abort_decompress(&s.cinfo);
    return SPI_ALL_RIGHT;
}

int ReadHeader(TSession& s, const TInput& input, SPI_PICTINFO& info) {
    if (setjmp(s.error.jump)) {
        return FailureOf(s.cinfo);
    }
    Start(s, input);
    const bool swapped = SwapsAxes(OrientationOf(s.cinfo));
    const auto width = static_cast<std::int32_t>(s.cinfo.image_width);
    const auto height = static_cast<std::int32_t>(s.cinfo.image_height);
    info.width = swapped ? height : width;
    info.height = swapped ? width : height;
    info.colorDepth = 24;
    if (s.cinfo.density_unit == 1) {
        info.x_density = s.cinfo.X_density;
        info.y_density = s.cinfo.Y_density;
    }
    return SPI_ALL_RIGHT;
}

}  // namespace

TPluginTexts PluginTexts() {
    return {kTexts, static_cast<int>(std::size(kTexts))};
}

bool HasSignature(const std::uint8_t* head, std::size_t size) {
    // Start of image, then the first marker of any kind.
    return size >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
}

int ReadPictureInfo(const TInput& input, SPI_PICTINFO& info) {
    TSession session;
    return ReadHeader(session, input, info);
}

int DecodePicture(const TInput& input, TDib& dib, const TProgress& progress) {
    TSession session;
    return Decode(session, input, dib, progress);
}

}  // namespace korvent::plugins
