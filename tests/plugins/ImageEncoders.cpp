#include "plugins/ImageEncoders.h"

// GCC 12 at -O2 reports impossible out-of-bounds copies in inlined std::vector::insert of
// initializer lists (a known false positive of its array-bounds analysis).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wstringop-overflow"
#pragma GCC diagnostic ignored "-Wstringop-overread"
#endif

#include <unistd.h>

// jpeglib.h needs FILE and size_t declared first.
#include <cstdio>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>

namespace korvent::test {
namespace {

constexpr std::uint8_t kAlphaCycle[] = {255, 0, 128, 37};

std::uint8_t IndexOf(const TRgba& color) {
    const auto& palette = TTestImage::IndexedPalette();
    const auto it = std::find(palette.begin(), palette.end(), TRgba{color.r, color.g, color.b});
    if (it == palette.end()) {
        throw std::invalid_argument("colour not in the test palette");
    }
    return static_cast<std::uint8_t>(it - palette.begin());
}

void PngWrite(png_structp png, png_bytep data, size_t size) {
    auto* out = static_cast<TBytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

void PngFlush(png_structp) {}

// Rows already in the layout the PNG colour type needs.
bool WritePngRows(TBytes& out, int width, int height, int bitDepth, int colorType, int interlace,
                  const std::vector<TBytes>& rows, const std::vector<png_color>& plte,
                  const std::vector<png_byte>& trns) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, PngWrite, PngFlush);
    // Wider or higher than libpng's default limit of a million pixels is still valid PNG.
    png_set_user_limits(png, 0x7FFFFFFF, 0x7FFFFFFF);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                 bitDepth, colorType, interlace, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!plte.empty()) {
        png_set_PLTE(png, info, plte.data(), static_cast<int>(plte.size()));
    }
    if (!trns.empty()) {
        png_set_tRNS(png, info, trns.data(), static_cast<int>(trns.size()), nullptr);
    }
    png_write_info(png, info);
    std::vector<png_bytep> pointers;
    for (const auto& row : rows) {
        pointers.push_back(const_cast<png_bytep>(row.data()));
    }
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

struct TGifWriter {
    TBytes* out;
};

int GifWrite(GifFileType* gif, const GifByteType* data, int size) {
    auto* out = static_cast<TBytes*>(gif->UserData);
    out->insert(out->end(), data, data + size);
    return size;
}

std::string TempPath(const char* suffix) {
    static int counter = 0;
    return (std::filesystem::temp_directory_path() /
            ("korvent-test-" + std::to_string(getpid()) + "-" + std::to_string(++counter) + suffix))
        .string();
}

}  // namespace

TTestImage TTestImage::Pattern(int width, int height, bool alpha) {
    TTestImage image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels.push_back({static_cast<std::uint8_t>(x * 37 + y * 3),
                                    static_cast<std::uint8_t>(y * 53 + 7),
                                    static_cast<std::uint8_t>(x * 11 + y * 29 + 100),
                                    alpha ? kAlphaCycle[x % 4] : std::uint8_t{255}});
        }
    }
    return image;
}

const std::vector<TRgba>& TTestImage::IndexedPalette() {
    static const std::vector<TRgba> palette = {
        {0, 0, 0},     {255, 0, 0},   {0, 255, 0},   {0, 0, 255},
        {255, 255, 0}, {0, 255, 255}, {128, 64, 32}, {10, 200, 100},
    };
    return palette;
}

TTestImage TTestImage::Indexed(int width, int height) {
    TTestImage image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels.push_back(IndexedPalette()[(x + 2 * y) % 8]);
        }
    }
    return image;
}

std::uint8_t OverWhite(unsigned value, unsigned alpha) {
    return static_cast<std::uint8_t>((value * alpha + 255u * (255u - alpha) + 127u) / 255u);
}

TTestImage OnWhite(const TTestImage& image) {
    TTestImage result = image;
    for (auto& p : result.pixels) {
        p = {OverWhite(p.r, p.a), OverWhite(p.g, p.a), OverWhite(p.b, p.a), 255};
    }
    return result;
}

TBytes EncodePng(const TTestImage& image, TPngKind kind) {
    std::vector<TBytes> rows(static_cast<std::size_t>(image.height));
    std::vector<png_color> plte;
    std::vector<png_byte> trns;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    int interlace = PNG_INTERLACE_NONE;
    switch (kind) {
        case TPngKind::Rgba:
            colorType = PNG_COLOR_TYPE_RGB_ALPHA;
            break;
        case TPngKind::Gray:
            colorType = PNG_COLOR_TYPE_GRAY;
            break;
        case TPngKind::GrayAlpha:
            colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
            break;
        case TPngKind::Palette:
        case TPngKind::PaletteTransparent:
            colorType = PNG_COLOR_TYPE_PALETTE;
            for (const auto& c : TTestImage::IndexedPalette()) {
                plte.push_back({c.r, c.g, c.b});
            }
            if (kind == TPngKind::PaletteTransparent) {
                trns.assign(std::begin(kAlphaCycle), std::end(kAlphaCycle));
            }
            break;
        case TPngKind::Rgb16:
            bitDepth = 16;
            break;
        case TPngKind::Interlaced:
            interlace = PNG_INTERLACE_ADAM7;
            break;
        case TPngKind::Rgb:
            break;
    }
    for (int y = 0; y < image.height; ++y) {
        TBytes& row = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < image.width; ++x) {
            const TRgba& p = image.At(x, y);
            switch (colorType) {
                case PNG_COLOR_TYPE_GRAY:
                    row.push_back(p.r);
                    break;
                case PNG_COLOR_TYPE_GRAY_ALPHA:
                    row.insert(row.end(), {p.r, p.a});
                    break;
                case PNG_COLOR_TYPE_PALETTE:
                    row.push_back(IndexOf(p));
                    break;
                case PNG_COLOR_TYPE_RGB_ALPHA:
                    row.insert(row.end(), {p.r, p.g, p.b, p.a});
                    break;
                default:
                    if (bitDepth == 16) {
                        row.insert(row.end(), {p.r, p.r, p.g, p.g, p.b, p.b});
                    } else {
                        row.insert(row.end(), {p.r, p.g, p.b});
                    }
            }
        }
    }
    TBytes out;
    if (!WritePngRows(out, image.width, image.height, bitDepth, colorType, interlace, rows, plte,
                      trns)) {
        throw std::runtime_error("libpng could not write the test image");
    }
    return out;
}

TBytes ExifWithOrientation(int orientation, bool bigEndian) {
    TBytes b = {'E', 'x', 'i', 'f', 0, 0};
    auto u16 = [&](unsigned v) {
        if (bigEndian) {
            b.insert(b.end(), {static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)});
        } else {
            b.insert(b.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
        }
    };
    auto u32 = [&](unsigned v) {
        if (bigEndian) {
            u16(v >> 16);
            u16(v & 0xFFFF);
        } else {
            u16(v & 0xFFFF);
            u16(v >> 16);
        }
    };
    b.insert(b.end(), bigEndian ? std::initializer_list<std::uint8_t>{'M', 'M'}
                                : std::initializer_list<std::uint8_t>{'I', 'I'});
    u16(42);
    u32(8);
    u16(2);       // two entries: an unrelated one, then the orientation
    u16(0x010F);  // Make, ASCII, 4 bytes inline
    u16(2);
    u32(4);
    b.insert(b.end(), {'K', 'o', 'r', 0});
    u16(0x0112);
    u16(3);
    u32(1);
    u16(static_cast<unsigned>(orientation));
    u16(0);
    u32(0);
    return b;
}

TBytes EncodeJpeg(const TTestImage& image, int quality, const TBytes& app1, bool gray) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width);
    cinfo.image_height = static_cast<JDIMENSION>(image.height);
    cinfo.input_components = gray ? 1 : 3;
    cinfo.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    if (!app1.empty()) {
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, app1.data(), static_cast<unsigned>(app1.size()));
    }
    TBytes row;
    while (cinfo.next_scanline < cinfo.image_height) {
        row.clear();
        for (int x = 0; x < image.width; ++x) {
            const TRgba& p = image.At(x, static_cast<int>(cinfo.next_scanline));
            if (gray) {
                row.push_back(p.r);
            } else {
                row.insert(row.end(), {p.r, p.g, p.b});
            }
        }
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&cinfo, &pointer, 1);
    }
    jpeg_finish_compress(&cinfo);
    TBytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

TBytes EncodeGif(const TTestImage& image, const TGifOptions& options) {
    TBytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, GifWrite, &error);
    if (!gif) {
        throw std::runtime_error("giflib could not open the output");
    }
    std::vector<GifColorType> colors;
    for (const auto& c : TTestImage::IndexedPalette()) {
        colors.push_back({c.r, c.g, c.b});
    }
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colors.size()), colors.data());
    const int screenWidth = options.screenWidth ? options.screenWidth : image.width;
    const int screenHeight = options.screenHeight ? options.screenHeight : image.height;
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, 0, map) == GIF_OK;
    if (options.transparent >= 0) {
        const GifByteType control[4] = {1, 0, 0, static_cast<GifByteType>(options.transparent)};
        ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, options.left, options.top, image.width, image.height,
                                options.interlaced, nullptr) == GIF_OK;
    std::vector<int> order;
    if (options.interlaced) {
        for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
            for (int y = start; y < image.height; y += step) {
                order.push_back(y);
            }
        }
    } else {
        for (int y = 0; y < image.height; ++y) {
            order.push_back(y);
        }
    }
    std::vector<GifPixelType> line(static_cast<std::size_t>(image.width));
    for (const int y : order) {
        for (int x = 0; x < image.width; ++x) {
            line[static_cast<std::size_t>(x)] = IndexOf(image.At(x, y));
        }
        ok = ok && EGifPutLine(gif, line.data(), image.width) == GIF_OK;
    }
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(map);
    if (!ok) {
        throw std::runtime_error("giflib could not write the test image");
    }
    return out;
}

namespace {

// A TIFF file written by `write` through libtiff, read back into memory.
TBytes WriteTiff(bool bigEndian, const std::function<bool(TIFF*)>& write) {
    const std::string path = TempPath(".tif");
    TIFF* tiff = TIFFOpen(path.c_str(), bigEndian ? "wb" : "wl");
    if (!tiff) {
        throw std::runtime_error("libtiff could not create " + path);
    }
    const bool ok = write(tiff);
    TIFFClose(tiff);
    TBytes bytes = ReadFileBytes(path);
    std::filesystem::remove(path);
    if (!ok) {
        throw std::runtime_error("libtiff could not write the test image");
    }
    return bytes;
}

bool WriteTiffPixels(TIFF* tiff, const TTestImage& image, TTiffKind kind, int orientation) {
    const bool palette = kind == TTiffKind::Palette8 || kind == TTiffKind::Palette4;
    const int samples = kind == TTiffKind::RgbaUnassociated ? 4 : palette ? 1 : 3;
    const int bits = kind == TTiffKind::Palette4 ? 4 : 8;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(image.width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(image.height));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, static_cast<std::uint16_t>(samples));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, static_cast<std::uint16_t>(bits));
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, static_cast<std::uint16_t>(orientation));
    TIFFSetField(tiff, TIFFTAG_COMPRESSION,
                 kind == TTiffKind::Rgb ? COMPRESSION_LZW : COMPRESSION_NONE);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, palette ? PHOTOMETRIC_PALETTE : PHOTOMETRIC_RGB);
    if (kind == TTiffKind::RgbaUnassociated) {
        const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    if (palette) {
        std::vector<std::uint16_t> r(1u << bits), g(1u << bits), b(1u << bits);
        const auto& colors = TTestImage::IndexedPalette();
        for (std::size_t i = 0; i < colors.size(); ++i) {
            r[i] = static_cast<std::uint16_t>(colors[i].r * 257);
            g[i] = static_cast<std::uint16_t>(colors[i].g * 257);
            b[i] = static_cast<std::uint16_t>(colors[i].b * 257);
        }
        TIFFSetField(tiff, TIFFTAG_COLORMAP, r.data(), g.data(), b.data());
    }
    auto sample = [&](int x, int y, int s) -> std::uint8_t {
        const TRgba& p = image.At(x, y);
        if (palette) {
            return IndexOf(p);
        }
        return s == 0 ? p.r : s == 1 ? p.g : s == 2 ? p.b : p.a;
    };
    bool ok = true;
    if (kind == TTiffKind::Tiled) {
        constexpr int kTile = 16;
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, kTile);
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, kTile);
        TBytes tile(static_cast<std::size_t>(kTile * kTile * samples));
        for (int ty = 0; ty < image.height; ty += kTile) {
            for (int tx = 0; tx < image.width; tx += kTile) {
                std::fill(tile.begin(), tile.end(), 0);
                for (int y = ty; y < std::min(ty + kTile, image.height); ++y) {
                    for (int x = tx; x < std::min(tx + kTile, image.width); ++x) {
                        for (int s = 0; s < samples; ++s) {
                            tile[static_cast<std::size_t>(((y - ty) * kTile + (x - tx)) * samples +
                                                          s)] = sample(x, y, s);
                        }
                    }
                }
                ok = ok && TIFFWriteTile(tiff, tile.data(), static_cast<std::uint32_t>(tx),
                                         static_cast<std::uint32_t>(ty), 0, 0) >= 0;
            }
        }
    } else {
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 2);
        for (int y = 0; y < image.height; ++y) {
            TBytes row(static_cast<std::size_t>((image.width * samples * bits + 7) / 8));
            for (int x = 0; x < image.width; ++x) {
                for (int s = 0; s < samples; ++s) {
                    const std::uint8_t v = sample(x, y, s);
                    if (bits == 4) {
                        row[static_cast<std::size_t>(x / 2)] |=
                            static_cast<std::uint8_t>(x % 2 ? v : v << 4);
                    } else {
                        row[static_cast<std::size_t>(x * samples + s)] = v;
                    }
                }
            }
            ok = ok && TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0) >= 0;
        }
    }
    return ok;
}

// The bits of a normal half-precision number (or zero), which is all the tests store.
std::uint64_t HalfBits(double value) {
    if (value == 0) {
        return 0;
    }
    int exponent = 0;
    const double mantissa = std::frexp(std::fabs(value), &exponent);
    const auto bits =
        static_cast<std::uint64_t>(((exponent + 14) << 10) + std::lround(mantissa * 2048) - 1024);
    return value < 0 ? bits | 0x8000u : bits;
}

std::uint64_t StoredBits(double value, const TSampleTiff& how) {
    if (how.sampleFormat == SAMPLEFORMAT_IEEEFP) {
        return how.bits == 64   ? std::bit_cast<std::uint64_t>(value)
               : how.bits == 32 ? std::bit_cast<std::uint32_t>(static_cast<float>(value))
                                : HalfBits(value);
    }
    const std::uint64_t mask =
        how.bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << how.bits) - 1;
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(value)) & mask;
}

// Pixels x0 to x0 + count - 1 of row y (nothing beyond the picture's width) with the samples of
// `plane` (-1: all of them), packed as libtiff takes a row: whole bytes in the machine's order,
// other depths from the most significant bit.
TBytes PackedRow(const TSampleTiff& how, int y, int x0, int count, int plane) {
    const int perPixel = plane < 0 ? how.samples : 1;
    TBytes row(static_cast<std::size_t>((count * perPixel * how.bits + 7) / 8));
    std::size_t bit = 0;
    for (int x = x0; x < x0 + count; ++x) {
        for (int s = 0; s < perPixel; ++s, bit += static_cast<std::size_t>(how.bits)) {
            if (x >= how.width || y >= how.height) {
                continue;
            }
            const std::size_t index = static_cast<std::size_t>((y * how.width + x) * how.samples +
                                                               (plane < 0 ? s : plane));
            std::uint64_t stored = StoredBits(how.values.at(index), how);
            if (how.bits % 8 == 0) {
                if constexpr (std::endian::native == std::endian::big) {
                    stored <<= 64 - how.bits;
                }
                std::memcpy(row.data() + bit / 8, &stored, static_cast<std::size_t>(how.bits / 8));
                continue;
            }
            for (int i = 0; i < how.bits; ++i) {
                const std::size_t at = bit + static_cast<std::size_t>(i);
                row[at / 8] |= static_cast<std::uint8_t>(((stored >> (how.bits - 1 - i)) & 1u)
                                                         << (7 - at % 8));
            }
        }
    }
    return row;
}

void SetSampleTags(TIFF* tiff, const TSampleTiff& how) {
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(how.width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(how.height));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, static_cast<std::uint16_t>(how.samples));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, static_cast<std::uint16_t>(how.bits));
    TIFFSetField(tiff, TIFFTAG_SAMPLEFORMAT, static_cast<std::uint16_t>(how.sampleFormat));
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, static_cast<std::uint16_t>(how.photometric));
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG,
                 how.separate ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, how.tiled ? COMPRESSION_NONE : COMPRESSION_LZW);
    if (how.alpha) {
        const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    if (how.minValue != how.maxValue) {
        TIFFSetField(tiff, TIFFTAG_SMINSAMPLEVALUE, how.minValue);
        TIFFSetField(tiff, TIFFTAG_SMAXSAMPLEVALUE, how.maxValue);
    }
    if (how.whiteX != 0) {
        float white[] = {how.whiteX, how.whiteY};
        TIFFSetField(tiff, TIFFTAG_WHITEPOINT, white);
    }
}

constexpr int kSampleTile = 16;

bool WriteSampleTiles(TIFF* tiff, const TSampleTiff& how, int plane) {
    TIFFSetField(tiff, TIFFTAG_TILEWIDTH, kSampleTile);
    TIFFSetField(tiff, TIFFTAG_TILELENGTH, kSampleTile);
    bool ok = true;
    for (int ty = 0; ty < how.height; ty += kSampleTile) {
        for (int tx = 0; tx < how.width; tx += kSampleTile) {
            TBytes tile;
            for (int y = ty; y < ty + kSampleTile; ++y) {
                const TBytes row = PackedRow(how, y, tx, kSampleTile, plane);
                tile.insert(tile.end(), row.begin(), row.end());
            }
            ok = ok && TIFFWriteTile(tiff, tile.data(), static_cast<std::uint32_t>(tx),
                                     static_cast<std::uint32_t>(ty), 0,
                                     static_cast<std::uint16_t>(std::max(plane, 0))) >= 0;
        }
    }
    return ok;
}

bool WriteSampleStrips(TIFF* tiff, const TSampleTiff& how, int plane) {
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 2);
    bool ok = true;
    for (int y = 0; y < how.height; ++y) {
        TBytes row = PackedRow(how, y, 0, how.width, plane);
        ok = ok && TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y),
                                     static_cast<std::uint16_t>(std::max(plane, 0))) >= 0;
    }
    return ok;
}

}  // namespace

TBytes EncodeTiff(const TTestImage& image, TTiffKind kind, int orientation) {
    return WriteTiff(kind == TTiffKind::BigEndian,
                     [&](TIFF* tiff) { return WriteTiffPixels(tiff, image, kind, orientation); });
}

TBytes EncodeSampleTiff(const TSampleTiff& how) {
    return WriteTiff(how.bigEndian, [&](TIFF* tiff) {
        SetSampleTags(tiff, how);
        bool ok = true;
        for (int plane = how.separate ? 0 : -1; plane < (how.separate ? how.samples : 0); ++plane) {
            ok = ok && (how.tiled ? WriteSampleTiles(tiff, how, plane)
                                  : WriteSampleStrips(tiff, how, plane));
        }
        return ok;
    });
}

TBytes EncodeAnimatedWebp(const std::vector<TTestImage>& frames) {
    WebPAnimEncoderOptions options;
    WebPConfig config;
    if (frames.empty() || !WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&config)) {
        throw std::runtime_error("libwebp could not set up an animation");
    }
    config.lossless = 1;
    WebPAnimEncoder* encoder = WebPAnimEncoderNew(frames[0].width, frames[0].height, &options);
    int timestamp = 0;
    bool ok = encoder != nullptr;
    for (const TTestImage& frame : frames) {
        WebPPicture picture;
        ok = ok && WebPPictureInit(&picture);
        picture.use_argb = 1;
        picture.width = frame.width;
        picture.height = frame.height;
        TBytes packed;
        for (const auto& p : frame.pixels) {
            packed.insert(packed.end(), {p.r, p.g, p.b, p.a});
        }
        ok = ok && WebPPictureImportRGBA(&picture, packed.data(), frame.width * 4) &&
             WebPAnimEncoderAdd(encoder, &picture, timestamp, &config);
        WebPPictureFree(&picture);
        timestamp += 100;
    }
    WebPData data;
    WebPDataInit(&data);
    ok = ok && WebPAnimEncoderAdd(encoder, nullptr, timestamp, nullptr) &&
         WebPAnimEncoderAssemble(encoder, &data);
    TBytes bytes(data.bytes, data.bytes + data.size);
    WebPDataClear(&data);
    WebPAnimEncoderDelete(encoder);
    if (!ok) {
        throw std::runtime_error("libwebp could not write the animation");
    }
    return bytes;
}

TBytes EncodeWebp(const TTestImage& image, bool alpha) {
    TBytes packed;
    for (const auto& p : image.pixels) {
        packed.insert(packed.end(), {p.r, p.g, p.b});
        if (alpha) {
            packed.push_back(p.a);
        }
    }
    std::uint8_t* output = nullptr;
    const std::size_t size = alpha ? WebPEncodeLosslessRGBA(packed.data(), image.width,
                                                            image.height, image.width * 4, &output)
                                   : WebPEncodeLosslessRGB(packed.data(), image.width, image.height,
                                                           image.width * 3, &output);
    if (size == 0) {
        throw std::runtime_error("libwebp could not write the test image");
    }
    TBytes out(output, output + size);
    WebPFree(output);
    return out;
}

TTestImage DecodeJpegReference(const TBytes& jpeg) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    TTestImage image{
        static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), {}};
    TBytes row(static_cast<std::size_t>(image.width) * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW pointer = row.data();
        jpeg_read_scanlines(&cinfo, &pointer, 1);
        for (int x = 0; x < image.width; ++x) {
            image.pixels.push_back({row[x * 3], row[x * 3 + 1], row[x * 3 + 2], 255});
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return image;
}

TTestImage Oriented(const TTestImage& stored, int orientation) {
    if (orientation < 2 || orientation > 8) {
        return stored;
    }
    const int w = stored.width;
    const int h = stored.height;
    const bool swapped = orientation >= 5;
    TTestImage out{swapped ? h : w, swapped ? w : h, {}};
    out.pixels.resize(stored.pixels.size());
    // Written out per orientation, the way the Exif standard pictures them: for each upright
    // pixel, the stored pixel it shows.
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            int sx = x;
            int sy = y;
            switch (orientation) {
                case 2:
                    sx = w - 1 - x;
                    break;
                case 3:
                    sx = w - 1 - x;
                    sy = h - 1 - y;
                    break;
                case 4:
                    sy = h - 1 - y;
                    break;
                case 5:
                    sx = y;
                    sy = x;
                    break;
                case 6:
                    sx = y;
                    sy = h - 1 - x;
                    break;
                case 7:
                    sx = w - 1 - y;
                    sy = h - 1 - x;
                    break;
                case 8:
                    sx = w - 1 - y;
                    sy = x;
                    break;
            }
            out.At(x, y) = stored.At(sx, sy);
        }
    }
    return out;
}

TBytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const TBytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace korvent::test
