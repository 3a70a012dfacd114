// iftiff.spi: TIFF images through libtiff; the first page, with transparency laid over white.

#include <tiffio.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "Orientation.h"
#include "SampleDecoder.h"
#include "SpiPlugin.h"

namespace korvent::plugins {
namespace {

const char* const kTexts[] = {"00IN", "KorventPDF TIFF plug-in 1.0", "*.tif;*.tiff", "TIFF file"};

// No single buffer libtiff needs for a picture within the pixel limit comes near this.
constexpr tmsize_t kMaxSingleAllocation = tmsize_t{256} << 20;
// Rows converted per call, so that progress is reported while a large picture decodes.
constexpr std::size_t kChunkPixels = std::size_t{1} << 18;

struct TMemoryFile {
    const TInput* input;
    toff_t position;
};

tmsize_t ReadProc(thandle_t handle, void* out, tmsize_t count) {
    auto* file = static_cast<TMemoryFile*>(handle);
    if (count <= 0 || file->position >= file->input->size) {
        return 0;
    }
    const auto n = std::min<toff_t>(static_cast<toff_t>(count), file->input->size - file->position);
    std::memcpy(out, file->input->data + file->position, n);
    file->position += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t) {
    return 0;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<TMemoryFile*>(handle);
    toff_t base = 0;
    if (whence == SEEK_CUR) {
        base = file->position;
    } else if (whence == SEEK_END) {
        base = file->input->size;
    }
    // libtiff passes negative relative offsets as wrapped unsigned values.
    file->position = base + offset;
    return file->position;
}

int CloseProc(thandle_t) {
    return 0;
}

toff_t SizeProc(thandle_t handle) {
    return static_cast<TMemoryFile*>(handle)->input->size;
}

// The data is in memory already: libtiff reads it in place as it would a mapped file. (Its
// unmapped path also refuses uncompressed tiles that it reads back correctly.)
int MapProc(thandle_t handle, void** base, toff_t* size) {
    auto* file = static_cast<TMemoryFile*>(handle);
    *base = const_cast<std::uint8_t*>(file->input->data);
    *size = file->input->size;
    return 1;
}

void UnmapProc(thandle_t, void*, toff_t) {}

int Silent(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct TTiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TTiff = std::unique_ptr<TIFF, TTiffCloser>;

TTiff Open(TMemoryFile& file) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) {
        return nullptr;
    }
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxSingleAllocation);
    TIFFOpenOptionsSetErrorHandlerExtR(options, Silent, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, Silent, nullptr);
    TTiff tiff(TIFFClientOpenExt("image", "r", &file, ReadProc, WriteProc, SeekProc, CloseProc,
                                 SizeProc, MapProc, UnmapProc, options));
    TIFFOpenOptionsFree(options);
    return tiff;
}

// Palette pictures of one sample of up to 8 bits, stored in strips, stay 8-bit.
bool IsSimplePalette(TIFF* tiff) {
    std::uint16_t photometric = 0;
    std::uint16_t samples = 1;
    std::uint16_t bits = 1;
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
    return photometric == PHOTOMETRIC_PALETTE && samples == 1 &&
           (bits == 1 || bits == 2 || bits == 4 || bits == 8) && planar == PLANARCONFIG_CONTIG &&
           !TIFFIsTiled(tiff);
}

// How the stored rows are turned to show the picture upright; damaged values mean as stored.
int OrientationOf(TIFF* tiff) {
    std::uint16_t orientation = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
    return orientation >= ORIENTATION_TOPLEFT && orientation <= ORIENTATION_LEFTBOT
               ? orientation
               : ORIENTATION_TOPLEFT;
}

int DecodePalette(TIFF* tiff, int width, int height, TDib& dib, const TProgress& progress) {
    std::uint16_t bits = 8;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    std::uint16_t* red = nullptr;
    std::uint16_t* green = nullptr;
    std::uint16_t* blue = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue)) {
        return SPI_OUT_OF_ORDER;
    }
    const int colors = 1 << bits;
    const int orientation = OrientationOf(tiff);
    int result = CreateUpright(dib, orientation, width, height, 8, colors);
    if (result != SPI_ALL_RIGHT) {
        return result;
    }
    // Some writers store 8-bit values in the 16-bit colour map.
    const bool eightBit =
        std::all_of(red, red + colors, [](std::uint16_t v) { return v < 256; }) &&
        std::all_of(green, green + colors, [](std::uint16_t v) { return v < 256; }) &&
        std::all_of(blue, blue + colors, [](std::uint16_t v) { return v < 256; });
    const int shift = eightBit ? 0 : 8;
    for (int i = 0; i < colors; ++i) {
        dib.SetColor(i, static_cast<std::uint8_t>(red[i] >> shift),
                     static_cast<std::uint8_t>(green[i] >> shift),
                     static_cast<std::uint8_t>(blue[i] >> shift));
    }
    const tmsize_t lineSize = TIFFScanlineSize(tiff);
    if (lineSize <= 0 ||
        static_cast<std::uint64_t>(lineSize) < (static_cast<std::uint64_t>(width) * bits + 7) / 8) {
        return SPI_OUT_OF_ORDER;
    }
    std::vector<std::uint8_t> line(static_cast<std::size_t>(lineSize));
    std::vector<std::uint8_t> indexes(static_cast<std::size_t>(width));
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (int y = 0; y < height; ++y) {
        if (TIFFReadScanline(tiff, line.data(), static_cast<std::uint32_t>(y), 0) < 0) {
            return SPI_OUT_OF_ORDER;
        }
        for (int x = 0; x < width; ++x) {
            const int shiftInByte = (perByte - 1 - x % perByte) * bits;
            indexes[x] = static_cast<std::uint8_t>((line[x / perByte] >> shiftInByte) & mask);
        }
        PutStoredRow(dib, orientation, y, indexes.data(), width, height, 1);
        if (progress.Step(y + 1, height)) {
            return SPI_ABORT;
        }
    }
    return SPI_ALL_RIGHT;
}

struct TRgbaImage {
    TIFFRGBAImage image{};
    bool begun = false;
    ~TRgbaImage() {
        if (begun) {
            TIFFRGBAImageEnd(&image);
        }
    }
};

// Rows converted per call: whole strips or rows of tiles, because libtiff decodes a strip from
// its start again for every call that begins inside it.
int ChunkRows(TIFF* tiff, int width, int height) {
    std::uint32_t unit = 1;
    if (TIFFIsTiled(tiff)) {
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &unit);
    } else {
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &unit);
    }
    const std::size_t rows = std::clamp<std::size_t>(unit, 1, static_cast<std::size_t>(height));
    const std::size_t wanted =
        std::max<std::size_t>(kChunkPixels / static_cast<std::size_t>(width), 1);
    return static_cast<int>(
        std::min((wanted + rows - 1) / rows * rows, static_cast<std::size_t>(height)));
}

// libtiff's RGBA reader takes every sample for unsigned, whatever the file says; only LogLuv's
// codec hands it colours already, from samples of any format.
bool RgbaReaderShowsSamples(TIFF* tiff) {
    std::uint16_t format = SAMPLEFORMAT_UINT;
    std::uint16_t photometric = 0;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &format);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
    return format == SAMPLEFORMAT_UINT || format == SAMPLEFORMAT_VOID ||
           photometric == PHOTOMETRIC_LOGLUV || photometric == PHOTOMETRIC_LOGL;
}

int DecodeRgba(TIFF* tiff, int width, int height, TDib& dib, const TProgress& progress) {
    char message[1024] = {};
    if (!RgbaReaderShowsSamples(tiff) || !TIFFRGBAImageOK(tiff, message)) {
        return SPI_NOT_SUPPORT;
    }
    const int orientation = OrientationOf(tiff);
    int result = CreateUpright(dib, orientation, width, height, 24);
    if (result != SPI_ALL_RIGHT) {
        return result;
    }
    TRgbaImage rgba;
    if (!TIFFRGBAImageBegin(&rgba.image, tiff, 1, message)) {
        return SPI_OUT_OF_ORDER;
    }
    rgba.begun = true;
    // libtiff only flips, so it is asked for the rows as stored; turning them is done here.
    rgba.image.req_orientation = rgba.image.orientation;
    const int chunk = ChunkRows(tiff, width, height);
    std::vector<std::uint32_t> raster(static_cast<std::size_t>(width) * chunk);
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * 3);
    for (int top = 0; top < height; top += chunk) {
        const int rows = std::min(chunk, height - top);
        rgba.image.row_offset = top;
        rgba.image.col_offset = 0;
        if (!TIFFRGBAImageGet(&rgba.image, raster.data(), static_cast<std::uint32_t>(width),
                              static_cast<std::uint32_t>(rows))) {
            return SPI_OUT_OF_ORDER;
        }
        for (int r = 0; r < rows; ++r) {
            const std::uint32_t* in = raster.data() + static_cast<std::size_t>(r) * width;
            std::uint8_t* out = bgr.data();
            for (int x = 0; x < width; ++x, out += 3) {
                // libtiff hands out colours multiplied by their alpha already.
                const std::uint32_t p = in[x];
                const unsigned under = 255u - TIFFGetA(p);
                out[0] = static_cast<std::uint8_t>(std::min(255u, TIFFGetB(p) + under));
                out[1] = static_cast<std::uint8_t>(std::min(255u, TIFFGetG(p) + under));
                out[2] = static_cast<std::uint8_t>(std::min(255u, TIFFGetR(p) + under));
            }
            PutStoredRow(dib, orientation, top + r, bgr.data(), width, height, 3);
        }
        if (progress.Step(top + rows, height)) {
            return SPI_ABORT;
        }
    }
    return SPI_ALL_RIGHT;
}

bool ReadSize(TIFF* tiff, std::uint32_t& width, std::uint32_t& height) {
    return TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width) &&
           TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height) && width > 0 && height > 0 &&
           width <= 0x7FFFFFFF && height <= 0x7FFFFFFF;
}

}  // namespace

TPluginTexts PluginTexts() {
    return {kTexts, static_cast<int>(std::size(kTexts))};
}

bool HasSignature(const std::uint8_t* head, std::size_t size) {
    if (size < 4) {
        return false;
    }
    // Classic and big TIFF, in either byte order.
    const bool little =
        head[0] == 'I' && head[1] == 'I' && (head[2] == 42 || head[2] == 43) && head[3] == 0;
    const bool big =
        head[0] == 'M' && head[1] == 'M' && head[2] == 0 && (head[3] == 42 || head[3] == 43);
    return little || big;
}

int ReadPictureInfo(const TInput& input, SPI_PICTINFO& info) {
    TMemoryFile file{&input, 0};
    const TTiff tiff = Open(file);
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!tiff || !ReadSize(tiff.get(), width, height)) {
        return SPI_OUT_OF_ORDER;
    }
    std::uint16_t samples = 1;
    std::uint16_t bits = 1;
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_BITSPERSAMPLE, &bits);
    const bool swapped = SwapsAxes(OrientationOf(tiff.get()));
    info.width = static_cast<std::int32_t>(swapped ? height : width);
    info.height = static_cast<std::int32_t>(swapped ? width : height);
    // Both fields are 16-bit and may hold anything; multiply wide.
    info.colorDepth =
        static_cast<std::int16_t>(std::min<std::uint32_t>(std::uint32_t{samples} * bits, 32));
    return SPI_ALL_RIGHT;
}

int DecodePicture(const TInput& input, TDib& dib, const TProgress& progress) {
    TMemoryFile file{&input, 0};
    const TTiff tiff = Open(file);
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!tiff || !ReadSize(tiff.get(), width, height)) {
        return SPI_OUT_OF_ORDER;
    }
    if (std::uint64_t{width} * height > TDib::kMaxPixels) {
        return SPI_NO_MEMORY;
    }
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    if (IsSimplePalette(tiff.get())) {
        return DecodePalette(tiff.get(), w, h, dib, progress);
    }
    if (HasOwnSamples(tiff.get())) {
        return DecodeOwnSamples(tiff.get(), w, h, OrientationOf(tiff.get()), dib, progress);
    }
    return DecodeRgba(tiff.get(), w, h, dib, progress);
}

}  // namespace korvent::plugins
