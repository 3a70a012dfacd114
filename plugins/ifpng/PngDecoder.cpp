// ifpng.spi: PNG images through libpng.

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "SpiPlugin.h"

namespace korvent::plugins {
namespace {

const char* const kTexts[] = {"00IN", "KorventPDF PNG plug-in 1.0", "*.png", "PNG file"};
constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// What libpng may allocate for one chunk; the ones the plug-in reads take at most 1 KiB.
constexpr png_alloc_size_t kMaxChunkBytes = png_alloc_size_t{8} << 20;

// Everything that must be released whether decoding ends normally or by libpng's long jump.
// It lives in the caller's frame, so its members are in memory when the jump lands.
struct TSession {
    const TInput* input = nullptr;
    std::size_t position = 0;
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::uint8_t* buffer = nullptr;

    ~TSession() {
        std::free(buffer);
        if (png) {
            png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        }
    }
};

void ReadBytes(png_structp png, png_bytep out, size_t count) {
    auto* session = static_cast<TSession*>(png_get_io_ptr(png));
    if (count > session->input->size - session->position) {
        png_error(png, "truncated");
    }
    std::memcpy(out, session->input->data + session->position, count);
    session->position += count;
}

void OnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

bool Open(TSession& session, const TInput& input) {
    session.input = &input;
    session.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!session.png) {
        return false;
    }
    session.info = png_create_info_struct(session.png);
    if (!session.info) {
        return false;
    }
    png_set_read_fn(session.png, &session, ReadBytes);
    // libpng refuses more than a million pixels per row or column unless told otherwise; the
    // plug-in's own limit is the number of pixels, checked before anything is allocated.
    png_set_user_limits(session.png, 0x7FFFFFFF, 0x7FFFFFFF);
    // A chunk's length is read before its data: without these limits a tiny file that declares
    // a gigabyte of text makes libpng allocate the gigabyte before it finds the data missing.
    // Only IHDR, PLTE, tRNS, IDAT and IEND matter to the picture; every other chunk is skipped
    // unread, and no chunk may claim more than a few megabytes.
    png_set_keep_unknown_chunks(session.png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_set_chunk_malloc_max(session.png, kMaxChunkBytes);
    return true;
}

// The decode proper. No object with a destructor lives in this frame: libpng leaves it by
// longjmp on any error.
int Decode(TSession& s, TDib& dib, const TProgress& progress) {
    if (setjmp(png_jmpbuf(s.png))) {
        return SPI_OUT_OF_ORDER;
    }
    png_read_info(s.png, s.info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
    png_get_IHDR(s.png, s.info, &width, &height, &bitDepth, &colorType, &interlace, nullptr,
                 nullptr);

    const bool paletted = colorType == PNG_COLOR_TYPE_PALETTE;
    if (paletted) {
        png_colorp palette = nullptr;
        int colors = 0;
        if (!png_get_PLTE(s.png, s.info, &palette, &colors) || colors <= 0 || colors > 256) {
            return SPI_OUT_OF_ORDER;
        }
        png_bytep alpha = nullptr;
        int alphaCount = 0;
        png_color_16p transparent = nullptr;
        if (!png_get_tRNS(s.png, s.info, &alpha, &alphaCount, &transparent)) {
            alpha = nullptr;
            alphaCount = 0;
        }
        // Damaged files have pixels whose index lies beyond a short palette: the table has an
        // entry (black) for every index the bit depth allows.
        const int entries = std::clamp(1 << bitDepth, colors, 256);
        const int result = dib.Create(width, height, 8, entries);
        if (result != SPI_ALL_RIGHT) {
            return result;
        }
        for (int i = 0; i < colors; ++i) {
            const unsigned a = (alpha && i < alphaCount) ? alpha[i] : 255u;
            dib.SetColor(i, OverWhite(palette[i].red, a), OverWhite(palette[i].green, a),
                         OverWhite(palette[i].blue, a));
        }
        png_set_packing(s.png);
    } else {
        png_set_expand(s.png);
        png_set_scale_16(s.png);
        png_set_gray_to_rgb(s.png);
        png_set_bgr(s.png);
        const int result = dib.Create(width, height, 24);
        if (result != SPI_ALL_RIGHT) {
            return result;
        }
    }
    const int passes = png_set_interlace_handling(s.png);
    png_read_update_info(s.png, s.info);
    const int channels = png_get_channels(s.png, s.info);
    if ((paletted && channels != 1) || (!paletted && channels != 3 && channels != 4)) {
        return SPI_NOT_SUPPORT;
    }

    const int rows = dib.Height();
    const std::size_t rowBytes = png_get_rowbytes(s.png, s.info);
    const bool withAlpha = channels == 4;
    if (withAlpha) {
        // Interlaced passes refine earlier rows, so the alpha rows must all be kept.
        const std::size_t count = passes > 1 ? static_cast<std::size_t>(rows) : 1;
        s.buffer = static_cast<std::uint8_t*>(std::malloc(rowBytes * count));
        if (!s.buffer) {
            return SPI_NO_MEMORY;
        }
        if (passes > 1) {
            std::memset(s.buffer, 0, rowBytes * count);
        }
    }
    const int total = passes * rows;
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < rows; ++y) {
            std::uint8_t* target = dib.Row(y);
            if (withAlpha) {
                target = s.buffer + (passes > 1 ? rowBytes * static_cast<std::size_t>(y) : 0);
            }
            png_read_row(s.png, target, nullptr);
            if (withAlpha && pass == passes - 1) {
                std::uint8_t* out = dib.Row(y);
                for (int x = 0; x < dib.Width(); ++x, out += 3, target += 4) {
                    out[0] = OverWhite(target[0], target[3]);
                    out[1] = OverWhite(target[1], target[3]);
                    out[2] = OverWhite(target[2], target[3]);
                }
            }
            if (progress.Step(pass * rows + y + 1, total)) {
                return SPI_ABORT;
            }
        }
    }
    return SPI_ALL_RIGHT;
}

int ReadHeader(TSession& s, SPI_PICTINFO& info) {
    if (setjmp(png_jmpbuf(s.png))) {
        return SPI_OUT_OF_ORDER;
    }
    png_read_info(s.png, s.info);
    const png_uint_32 width = png_get_image_width(s.png, s.info);
    const png_uint_32 height = png_get_image_height(s.png, s.info);
    if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) {
        return SPI_OUT_OF_ORDER;
    }
    info.width = static_cast<std::int32_t>(width);
    info.height = static_cast<std::int32_t>(height);
    const int channels = png_get_channels(s.png, s.info);
    info.colorDepth = static_cast<std::int16_t>(png_get_bit_depth(s.png, s.info) * channels);
    return SPI_ALL_RIGHT;
}

}  // namespace

TPluginTexts PluginTexts() {
    return {kTexts, static_cast<int>(std::size(kTexts))};
}

bool HasSignature(const std::uint8_t* head, std::size_t size) {
    return size >= sizeof kSignature && std::memcmp(head, kSignature, sizeof kSignature) == 0;
}

int ReadPictureInfo(const TInput& input, SPI_PICTINFO& info) {
    TSession session;
    if (!Open(session, input)) {
        return SPI_NO_MEMORY;
    }
    return ReadHeader(session, info);
}

int DecodePicture(const TInput& input, TDib& dib, const TProgress& progress) {
    TSession session;
    if (!Open(session, input)) {
        return SPI_NO_MEMORY;
    }
    return Decode(session, dib, progress);
}

}  // namespace korvent::plugins
