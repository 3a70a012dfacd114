// The plug-ins shipped with the program, loaded as the host loads them.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tiff.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>

#include "plugins/BoundedChild.h"
#include "plugins/ImageEncoders.h"
#include "plugins/PluginModule.h"

namespace korvent::test {
namespace {

using ::testing::ElementsAre;

TPluginModule& Plugin(const std::string& name) {
    return TPluginModule::Cached(name);
}

std::string InfoText(TPluginModule& plugin, int number, int length = 256) {
    std::string buffer(static_cast<std::size_t>(length), '\x7F');
    const int n = plugin.GetPluginInfo(number, buffer.data(), length);
    if (n <= 0) {
        return {};
    }
    EXPECT_EQ(buffer[static_cast<std::size_t>(n)], '\0');
    return buffer.substr(0, static_cast<std::size_t>(n));
}

int DecodeMemory(TPluginModule& plugin, const TBytes& bytes, TDibBlocks& dib,
                 SPI_PROGRESS progress = nullptr, SPI_USERDATA user = 0) {
    return plugin.GetPicture(reinterpret_cast<const char*>(bytes.data()),
                             static_cast<long>(bytes.size()), SPI_INPUT_MEMORY, &dib.info,
                             &dib.bits, progress, user);
}

int InfoOfMemory(TPluginModule& plugin, const TBytes& bytes, SPI_PICTINFO& info) {
    return plugin.GetPictureInfo(reinterpret_cast<const char*>(bytes.data()),
                                 static_cast<long>(bytes.size()), SPI_INPUT_MEMORY, &info);
}

// ---- PNG files made by hand ---------------------------------------------------------------

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutBe32(TBytes& out, std::uint32_t v) {
    out.insert(out.end(), {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16),
                           static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)});
}

struct TChunk {
    const char* type;
    TBytes data;
};

void PutChunk(TBytes& png, const TChunk& chunk) {
    PutBe32(png, static_cast<std::uint32_t>(chunk.data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), chunk.type, chunk.type + 4);
    png.insert(png.end(), chunk.data.begin(), chunk.data.end());
    PutBe32(png, Crc32(png.data() + start, png.size() - start));
}

// A PNG file made chunk by chunk, for the damaged files that no encoder writes.
TBytes PngFile(const std::vector<TChunk>& chunks) {
    TBytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    for (const TChunk& chunk : chunks) {
        PutChunk(png, chunk);
    }
    return png;
}

TBytes PngHeader(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType) {
    TBytes ihdr;
    PutBe32(ihdr, width);
    PutBe32(ihdr, height);
    ihdr.insert(ihdr.end(), {static_cast<std::uint8_t>(bitDepth),
                             static_cast<std::uint8_t>(colorType), 0, 0, 0});
    return ihdr;
}

// A zlib stream holding `raw` in one stored (uncompressed) block.
TBytes ZlibStored(const TBytes& raw) {
    const auto size = static_cast<std::uint16_t>(raw.size());
    TBytes z = {0x78,
                0x01,
                0x01,
                static_cast<std::uint8_t>(size),
                static_cast<std::uint8_t>(size >> 8),
                static_cast<std::uint8_t>(~size),
                static_cast<std::uint8_t>(~size >> 8)};
    z.insert(z.end(), raw.begin(), raw.end());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBe32(z, b << 16 | a);
    return z;
}

// ---- texts ----------------------------------------------------------------------------------

struct TTextsCase {
    const char* plugin;
    const char* filters;
    const char* description;
};

class PluginTexts : public ::testing::TestWithParam<TTextsCase> {};

TEST_P(PluginTexts, ReportImageInputVersionNameAndOnePair) {
    TPluginModule& plugin = Plugin(GetParam().plugin);
    EXPECT_EQ(InfoText(plugin, 0), "00IN");
    EXPECT_THAT(InfoText(plugin, 1), ::testing::MatchesRegex(".*[0-9]+\\.[0-9]+.*"));
    EXPECT_EQ(InfoText(plugin, 2), GetParam().filters);
    EXPECT_EQ(InfoText(plugin, 3), GetParam().description);
    EXPECT_EQ(InfoText(plugin, 4), "");
    EXPECT_EQ(InfoText(plugin, -1), "");
    // A short buffer gets what fits, terminated.
    EXPECT_EQ(InfoText(plugin, 0, 3), "00");
    char untouched = 'x';
    EXPECT_EQ(plugin.GetPluginInfo(0, &untouched, 0), 0);
    EXPECT_EQ(untouched, 'x');
}

INSTANTIATE_TEST_SUITE_P(Shipped, PluginTexts,
                         ::testing::Values(TTextsCase{"ifpng", "*.png", "PNG file"},
                                           TTextsCase{"ifjpeg", "*.jpg;*.jpeg;*.jpe;*.jfif",
                                                      "JPEG file"},
                                           TTextsCase{"ifgif", "*.gif", "GIF file"},
                                           TTextsCase{"iftiff", "*.tif;*.tiff", "TIFF file"},
                                           TTextsCase{"ifwebp", "*.webp", "WebP file"}),
                         [](const auto& info) { return std::string(info.param.plugin); });

// ---- recognition by content -----------------------------------------------------------------

struct TSample {
    const char* format;
    const char* plugin;  // the plug-in that owns it, or "" for none
    std::function<TBytes()> make;
};

const std::vector<TSample>& Samples() {
    static const std::vector<TSample> samples = {
        {"png", "ifpng", [] { return EncodePng(TTestImage::Pattern(4, 3), TPngKind::Rgb); }},
        {"jpeg", "ifjpeg", [] { return EncodeJpeg(TTestImage::Pattern(8, 8), 90); }},
        {"gif", "ifgif", [] { return EncodeGif(TTestImage::Indexed(4, 3)); }},
        {"tiff_le", "iftiff", [] { return EncodeTiff(TTestImage::Pattern(4, 3), TTiffKind::Rgb); }},
        {"tiff_be", "iftiff",
         [] { return EncodeTiff(TTestImage::Pattern(4, 3), TTiffKind::BigEndian); }},
        {"webp", "ifwebp", [] { return EncodeWebp(TTestImage::Pattern(4, 3), false); }},
        {"bmp", "", [] { return TBytes{'B', 'M', 0x3E, 0, 0, 0, 0, 0, 0, 0, 0x36, 0}; }},
        {"zeros", "", [] { return TBytes(64, 0); }},
        {"riff_wave", "",
         [] { return TBytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}; }},
    };
    return samples;
}

class PluginRecognition : public ::testing::TestWithParam<const char*> {};

TEST_P(PluginRecognition, AcceptsOnlyItsOwnSignatureWhateverTheName) {
    TPluginModule& plugin = Plugin(GetParam());
    for (const auto& sample : Samples()) {
        TBytes head = sample.make();
        head.resize(2048, 0);
        const bool own = std::string(sample.plugin) == GetParam();
        // The name is deliberately misleading: only the content decides.
        EXPECT_EQ(
            plugin.IsSupported("picture.png", reinterpret_cast<SPI_DWORD_PTR>(head.data())) != 0,
            own)
            << sample.format;
    }
    // The Windows file-handle form is refused rather than dereferenced.
    EXPECT_EQ(plugin.IsSupported("x.png", 0x1234), 0);
}

TEST_P(PluginRecognition, ForeignDataIsRefusedWithNotSupported) {
    TPluginModule& plugin = Plugin(GetParam());
    for (const auto& sample : Samples()) {
        if (std::string(sample.plugin) == GetParam()) {
            continue;
        }
        TDibBlocks dib;
        EXPECT_EQ(DecodeMemory(plugin, sample.make(), dib), SPI_NOT_SUPPORT) << sample.format;
        EXPECT_EQ(dib.info, nullptr);
        EXPECT_EQ(dib.bits, nullptr);
    }
}

TEST_P(PluginRecognition, MissingFileIsAReadError) {
    TPluginModule& plugin = Plugin(GetParam());
    TDibBlocks dib;
    EXPECT_EQ(plugin.GetPicture("/nonexistent/korvent/picture", 0, SPI_INPUT_FILE, &dib.info,
                                &dib.bits, nullptr, 0),
              SPI_FILE_READ_ERROR);
    SPI_PICTINFO info{};
    EXPECT_EQ(plugin.GetPictureInfo("/nonexistent/korvent/picture", 0, SPI_INPUT_FILE, &info),
              SPI_FILE_READ_ERROR);
}

INSTANTIATE_TEST_SUITE_P(Shipped, PluginRecognition,
                         ::testing::Values("ifpng", "ifjpeg", "ifgif", "iftiff", "ifwebp"),
                         [](const auto& info) { return std::string(info.param); });

// ---- exact decoding -------------------------------------------------------------------------

struct TDecodeCase {
    const char* name;
    const char* plugin;
    std::function<TBytes()> make;
    std::function<TTestImage()> expected;
    int bitCount;
    int tolerance = 0;
};

// Palette entries with the alpha values of the transparent PNG (the first four) over white.
TTestImage IndexedOnWhite(int width, int height) {
    static constexpr std::uint8_t kAlpha[] = {255, 0, 128, 37};
    TTestImage image = TTestImage::Indexed(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int index = (x + 2 * y) % 8;
            image.At(x, y).a = index < 4 ? kAlpha[index] : 255;
        }
    }
    return OnWhite(image);
}

TTestImage Gray(int width, int height, bool alpha) {
    TTestImage image = TTestImage::Pattern(width, height, alpha);
    for (auto& p : image.pixels) {
        p.g = p.b = p.r;
    }
    return image;
}

// Where a GIF frame smaller than its screen leaves white around it.
TTestImage Framed(const TTestImage& frame, int width, int height, int left, int top) {
    TTestImage image{width, height, std::vector<TRgba>(width * height, {255, 255, 255, 255})};
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            image.At(left + x, top + y) = frame.At(x, y);
        }
    }
    return image;
}

TTestImage WithWhiteIndex(TTestImage image, const TRgba& transparent) {
    for (auto& p : image.pixels) {
        if (p == transparent) {
            p = {255, 255, 255, 255};
        }
    }
    return image;
}

// ---- TIFF samples that libtiff's RGBA reader leaves out ----

TTestImage Colors(std::vector<TRgba> colors) {
    return {static_cast<int>(colors.size()), 1, std::move(colors)};
}

TTestImage Grays(std::initializer_list<int> levels) {
    std::vector<TRgba> colors;
    for (const int level : levels) {
        const auto v = static_cast<std::uint8_t>(level);
        colors.push_back({v, v, v, 255});
    }
    return Colors(std::move(colors));
}

// One row of pixels of `how.samples` stored numbers each.
TBytes SampleRow(std::vector<double> values, TSampleTiff how) {
    how.width = static_cast<int>(values.size()) / how.samples;
    how.height = 1;
    how.values = std::move(values);
    return EncodeSampleTiff(how);
}

// The RGB test pattern with each 8-bit level stored as `store` gives it.
TBytes PatternSamples(const TTestImage& image, TSampleTiff how, double (*store)(int level)) {
    how.width = image.width;
    how.height = image.height;
    how.samples = 3;
    how.photometric = PHOTOMETRIC_RGB;
    for (const TRgba& p : image.pixels) {
        how.values.insert(how.values.end(), {store(p.r), store(p.g), store(p.b)});
    }
    return EncodeSampleTiff(how);
}

// A row of stored samples and the colours they show.
TDecodeCase SampleCase(const char* name, std::vector<double> values, TSampleTiff how,
                       TTestImage expected, int tolerance = 0) {
    return {name, "iftiff", [=] { return SampleRow(values, how); }, [=] { return expected; },
            24,   tolerance};
}

// The test pattern, stored as `store` says, shows as itself.
TDecodeCase PatternCase(const char* name, TSampleTiff how, int width, int height,
                        double (*store)(int level)) {
    const TTestImage image = TTestImage::Pattern(width, height);
    return {name, "iftiff", [=] { return PatternSamples(image, how, store); },
            [=] { return image; }, 24};
}

// L*a*b* colours as 16-bit CIELab stores them: L* over the whole range, a* and b* signed in
// steps of 1/256.
std::vector<double> Lab16(std::initializer_list<std::array<double, 3>> colors) {
    std::vector<double> values;
    for (const auto& [lightness, a, b] : colors) {
        values.insert(values.end(), {std::round(lightness / 100 * 65535), std::round(a * 256),
                                     std::round(b * 256)});
    }
    return values;
}

constexpr TRgba kWhite{255, 255, 255, 255};
constexpr TRgba kRed{255, 0, 0, 255};
constexpr TRgba kBlue{0, 0, 255, 255};

const TDecodeCase kDecodeCases[] = {
    {"png_rgb", "ifpng", [] { return EncodePng(TTestImage::Pattern(7, 5), TPngKind::Rgb); },
     [] { return TTestImage::Pattern(7, 5); }, 24},
    {"png_rgba_on_white", "ifpng",
     [] { return EncodePng(TTestImage::Pattern(7, 5, true), TPngKind::Rgba); },
     [] { return OnWhite(TTestImage::Pattern(7, 5, true)); }, 24},
    {"png_gray", "ifpng", [] { return EncodePng(Gray(6, 4, false), TPngKind::Gray); },
     [] { return Gray(6, 4, false); }, 24},
    {"png_gray_alpha", "ifpng", [] { return EncodePng(Gray(6, 4, true), TPngKind::GrayAlpha); },
     [] { return OnWhite(Gray(6, 4, true)); }, 24},
    {"png_palette_stays_8bit", "ifpng",
     [] { return EncodePng(TTestImage::Indexed(9, 4), TPngKind::Palette); },
     [] { return TTestImage::Indexed(9, 4); }, 8},
    {"png_palette_transparent", "ifpng",
     [] { return EncodePng(TTestImage::Indexed(9, 4), TPngKind::PaletteTransparent); },
     [] { return IndexedOnWhite(9, 4); }, 8},
    {"png_16bit", "ifpng", [] { return EncodePng(TTestImage::Pattern(5, 5), TPngKind::Rgb16); },
     [] { return TTestImage::Pattern(5, 5); }, 24},
    {"png_interlaced", "ifpng",
     [] { return EncodePng(TTestImage::Pattern(11, 13), TPngKind::Interlaced); },
     [] { return TTestImage::Pattern(11, 13); }, 24},
    {"gif", "ifgif", [] { return EncodeGif(TTestImage::Indexed(9, 7)); },
     [] { return TTestImage::Indexed(9, 7); }, 8},
    {"gif_interlaced", "ifgif",
     [] { return EncodeGif(TTestImage::Indexed(5, 11), {.interlaced = true}); },
     [] { return TTestImage::Indexed(5, 11); }, 8},
    {"gif_transparent", "ifgif",
     [] { return EncodeGif(TTestImage::Indexed(6, 5), {.transparent = 2}); },
     [] { return WithWhiteIndex(TTestImage::Indexed(6, 5), TTestImage::IndexedPalette()[2]); }, 8},
    {"gif_frame_on_larger_screen", "ifgif",
     [] {
         return EncodeGif(TTestImage::Indexed(5, 4),
                          {.screenWidth = 12, .screenHeight = 10, .left = 3, .top = 2});
     },
     [] { return Framed(TTestImage::Indexed(5, 4), 12, 10, 3, 2); }, 8},
    {"tiff_rgb_lzw", "iftiff", [] { return EncodeTiff(TTestImage::Pattern(7, 5), TTiffKind::Rgb); },
     [] { return TTestImage::Pattern(7, 5); }, 24},
    {"tiff_big_endian", "iftiff",
     [] { return EncodeTiff(TTestImage::Pattern(7, 5), TTiffKind::BigEndian); },
     [] { return TTestImage::Pattern(7, 5); }, 24},
    {"tiff_tiled", "iftiff",
     [] { return EncodeTiff(TTestImage::Pattern(20, 18), TTiffKind::Tiled); },
     [] { return TTestImage::Pattern(20, 18); }, 24},
    {"tiff_rgba_on_white", "iftiff",
     [] { return EncodeTiff(TTestImage::Pattern(7, 5, true), TTiffKind::RgbaUnassociated); },
     [] { return OnWhite(TTestImage::Pattern(7, 5, true)); }, 24, 1},
    {"tiff_palette8", "iftiff",
     [] { return EncodeTiff(TTestImage::Indexed(9, 4), TTiffKind::Palette8); },
     [] { return TTestImage::Indexed(9, 4); }, 8},
    {"tiff_palette4", "iftiff",
     [] { return EncodeTiff(TTestImage::Indexed(9, 4), TTiffKind::Palette4); },
     [] { return TTestImage::Indexed(9, 4); }, 8},
    SampleCase("tiff_float32_gray", {0, 0.25, 0.5, 1, -1, 3},
               {.bits = 32, .sampleFormat = SAMPLEFORMAT_IEEEFP}, Grays({0, 64, 128, 255, 0, 255})),
    SampleCase("tiff_float32_gray_stated_range", {-100, 0, 100, 50},
               {.bits = 32, .sampleFormat = SAMPLEFORMAT_IEEEFP, .minValue = -100, .maxValue = 100},
               Grays({0, 128, 255, 191})),
    SampleCase("tiff_float16_gray", {0, 0.5, 1, 0.25},
               {.bits = 16, .sampleFormat = SAMPLEFORMAT_IEEEFP}, Grays({0, 128, 255, 64})),
    PatternCase("tiff_float64_rgb_big_endian",
                {.bits = 64, .sampleFormat = SAMPLEFORMAT_IEEEFP, .bigEndian = true}, 5, 3,
                [](int v) { return v / 255.0; }),
    PatternCase("tiff_float32_rgb_separate_tiles",
                {.bits = 32, .sampleFormat = SAMPLEFORMAT_IEEEFP, .separate = true, .tiled = true},
                20, 18, [](int v) { return v / 255.0; }),
    SampleCase("tiff_float32_rgba_on_white", {1, 0, 0, 0.5, 0, 0, 0, 0, 0, 0, 1, 1},
               {.samples = 4,
                .bits = 32,
                .sampleFormat = SAMPLEFORMAT_IEEEFP,
                .photometric = PHOTOMETRIC_RGB,
                .alpha = true},
               Colors({{255, 128, 128, 255}, kWhite, kBlue})),
    PatternCase("tiff_int8_rgb", {.sampleFormat = SAMPLEFORMAT_INT}, 7, 5,
                [](int v) { return v - 128.0; }),
    SampleCase("tiff_int16_gray", {-32768, 0, 32767, -16384},
               {.bits = 16, .sampleFormat = SAMPLEFORMAT_INT}, Grays({0, 128, 255, 64})),
    SampleCase("tiff_int32_gray", {-2147483648.0, 0, 2147483647.0},
               {.bits = 32, .sampleFormat = SAMPLEFORMAT_INT}, Grays({0, 128, 255})),
    PatternCase("tiff_uint32_rgb", {.bits = 32}, 7, 5, [](int v) { return v * 16843009.0; }),
    PatternCase("tiff_uint12_rgb_separate", {.bits = 12, .separate = true}, 7, 5,
                [](int v) { return std::round(v * 4095 / 255.0); }),
    SampleCase("tiff_uint24_gray_big_endian", {0, 16777215, 8421504},
               {.bits = 24, .bigEndian = true}, Grays({0, 255, 128})),
    SampleCase("tiff_uint6_min_is_white", {0, 63, 21},
               {.bits = 6, .photometric = PHOTOMETRIC_MINISWHITE}, Grays({255, 0, 170})),
    SampleCase("tiff_cmyk16", {0,     0, 0, 0, 65535, 65535, 0,     0, 0, 65535,
                               65535, 0, 0, 0, 0,     65535, 13107, 0, 0, 13107},
               {.samples = 4, .bits = 16, .photometric = PHOTOMETRIC_SEPARATED},
               Colors({kWhite, kBlue, kRed, {0, 0, 0, 255}, {163, 204, 204, 255}})),
    SampleCase("tiff_cielab16",
               Lab16({{100, 0, 0}, {50, 0, 0}, {54.29, 80.81, 69.89}, {29.57, 68.30, -112.03}}),
               {.samples = 3, .bits = 16, .photometric = PHOTOMETRIC_CIELAB},
               Colors({kWhite, {119, 119, 119, 255}, kRed, kBlue}), 2),
    SampleCase("tiff_cielab16_white_d65", Lab16({{53.2, 80.1, 67.2}, {100, 0, 0}}),
               {.samples = 3,
                .bits = 16,
                .photometric = PHOTOMETRIC_CIELAB,
                .whiteX = 0.3127f,
                .whiteY = 0.3290f},
               Colors({kRed, kWhite}), 2),
    SampleCase("tiff_cielab8", {255, 0, 0, 128, 0, 0, 138, 81, 70},
               {.samples = 3, .photometric = PHOTOMETRIC_CIELAB},
               Colors({kWhite, {119, 119, 119, 255}, kRed}), 2),
    SampleCase("tiff_icclab8", {255, 128, 128, 0, 128, 128},
               {.samples = 3, .photometric = PHOTOMETRIC_ICCLAB}, Colors({kWhite, {0, 0, 0, 255}})),
    {"webp_lossless", "ifwebp", [] { return EncodeWebp(TTestImage::Pattern(7, 5), false); },
     [] { return TTestImage::Pattern(7, 5); }, 24},
    {"webp_alpha_on_white", "ifwebp",
     [] { return EncodeWebp(TTestImage::Pattern(7, 5, true), true); },
     [] { return OnWhite(TTestImage::Pattern(7, 5, true)); }, 24},
    {"webp_animation_first_frame", "ifwebp",
     [] {
         return EncodeAnimatedWebp(
             {TTestImage::Pattern(7, 5, true), TTestImage::Pattern(7, 5), Gray(7, 5, false)});
     },
     [] { return OnWhite(TTestImage::Pattern(7, 5, true)); }, 24},
    {"jpeg_as_libjpeg_decodes", "ifjpeg", [] { return EncodeJpeg(TTestImage::Pattern(13, 9), 95); },
     [] { return DecodeJpegReference(EncodeJpeg(TTestImage::Pattern(13, 9), 95)); }, 24},
    {"jpeg_gray", "ifjpeg", [] { return EncodeJpeg(Gray(8, 8, false), 95, {}, true); },
     [] { return DecodeJpegReference(EncodeJpeg(Gray(8, 8, false), 95, {}, true)); }, 24},
};

void ExpectPixels(const TTestImage& actual, const TTestImage& expected, int tolerance) {
    ASSERT_EQ(actual.width, expected.width);
    ASSERT_EQ(actual.height, expected.height);
    int mismatches = 0;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const TRgba& a = actual.At(x, y);
            const TRgba& e = expected.At(x, y);
            if (std::abs(a.r - e.r) > tolerance || std::abs(a.g - e.g) > tolerance ||
                std::abs(a.b - e.b) > tolerance) {
                if (++mismatches <= 5) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << "): got " << int(a.r) << ","
                                  << int(a.g) << "," << int(a.b) << " expected " << int(e.r) << ","
                                  << int(e.g) << "," << int(e.b);
                }
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

class PluginDecode : public ::testing::TestWithParam<TDecodeCase> {};

TEST_P(PluginDecode, MemoryInputGivesTheSourcePixelsBottomUp) {
    const TDecodeCase& c = GetParam();
    TPluginModule& plugin = Plugin(c.plugin);
    const TBytes bytes = c.make();
    TDibBlocks dib;
    ASSERT_EQ(DecodeMemory(plugin, bytes, dib), SPI_ALL_RIGHT);
    const SPI_BITMAPINFOHEADER header = dib.Header();
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_GT(header.biHeight, 0) << "bottom-up rows";
    EXPECT_EQ(header.biBitCount, c.bitCount);
    EXPECT_EQ(header.biCompression, 0u);
    if (c.bitCount == 8) {
        EXPECT_GT(header.biClrUsed, 0u);
        EXPECT_LE(header.biClrUsed, 256u);
    }
    ExpectPixels(dib.Pixels(), c.expected(), c.tolerance);
}

TEST_P(PluginDecode, FileInputAtAnOffsetGivesTheSamePixelsAndInfo) {
    const TDecodeCase& c = GetParam();
    TPluginModule& plugin = Plugin(c.plugin);
    TBytes bytes(128, 0xA5);  // a MacBinary-like prefix
    const TBytes image = c.make();
    bytes.insert(bytes.end(), image.begin(), image.end());
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("korvent-plugin-" + std::string(c.name) + ".img"))
                                 .string();
    WriteFileBytes(path, bytes);

    TDibBlocks dib;
    ASSERT_EQ(
        plugin.GetPicture(path.c_str(), 128, SPI_INPUT_FILE, &dib.info, &dib.bits, nullptr, 0),
        SPI_ALL_RIGHT);
    const TTestImage expected = c.expected();
    ExpectPixels(dib.Pixels(), expected, c.tolerance);

    SPI_PICTINFO info{};
    ASSERT_EQ(plugin.GetPictureInfo(path.c_str(), 128, SPI_INPUT_FILE, &info), SPI_ALL_RIGHT);
    EXPECT_EQ(info.width, expected.width);
    EXPECT_EQ(info.height, expected.height);
    EXPECT_GT(info.colorDepth, 0);
    const void* text = info.hInfo;  // a packed member: copied before comparing
    EXPECT_EQ(text, nullptr);
    // At offset 0 the prefix is in the way.
    TDibBlocks none;
    EXPECT_EQ(
        plugin.GetPicture(path.c_str(), 0, SPI_INPUT_FILE, &none.info, &none.bits, nullptr, 0),
        SPI_NOT_SUPPORT);
    std::filesystem::remove(path);
}

// Progress goes up to the whole, and a non-zero answer stops the plug-in with nothing leaked.
struct TProgressLog {
    std::vector<std::pair<int, int>> calls;
    int stopAt = -1;
};

int SPI_CALL RecordProgress(int num, int denom, SPI_USERDATA user) {
    auto* log = reinterpret_cast<TProgressLog*>(user);
    log->calls.emplace_back(num, denom);
    return static_cast<int>(log->calls.size()) == log->stopAt ? 1 : 0;
}

TEST_P(PluginDecode, ReportsProgressAndStopsWhenAsked) {
    const TDecodeCase& c = GetParam();
    TPluginModule& plugin = Plugin(c.plugin);
    const TBytes bytes = c.make();
    TProgressLog log;
    {
        TDibBlocks dib;
        ASSERT_EQ(
            DecodeMemory(plugin, bytes, dib, RecordProgress, reinterpret_cast<SPI_USERDATA>(&log)),
            SPI_ALL_RIGHT);
    }
    ASSERT_FALSE(log.calls.empty());
    EXPECT_EQ(log.calls.back().first, log.calls.back().second);
    for (std::size_t i = 1; i < log.calls.size(); ++i) {
        EXPECT_LE(log.calls[i - 1].first, log.calls[i].first);
    }

    TProgressLog stopping;
    stopping.stopAt = 1;
    TDibBlocks dib;
    EXPECT_EQ(
        DecodeMemory(plugin, bytes, dib, RecordProgress, reinterpret_cast<SPI_USERDATA>(&stopping)),
        SPI_ABORT);
    EXPECT_EQ(stopping.calls.size(), 1u);
    EXPECT_EQ(dib.info, nullptr);
    EXPECT_EQ(dib.bits, nullptr);
}

// Every prefix of a valid file and a run of damaged copies: an error code or a picture, never
// a crash or a read outside the data (ASan watches).
TEST_P(PluginDecode, TruncatedOrDamagedDataNeverCrashes) {
    const TDecodeCase& c = GetParam();
    TPluginModule& plugin = Plugin(c.plugin);
    const TBytes bytes = c.make();
    for (std::size_t length = 0; length < bytes.size(); length += 1 + length / 8) {
        const TBytes cut(bytes.begin(), bytes.begin() + static_cast<long>(length));
        TDibBlocks dib;
        const int result = DecodeMemory(plugin, cut, dib);
        if (result == SPI_ALL_RIGHT) {
            EXPECT_NE(dib.info, nullptr);
            EXPECT_NE(dib.bits, nullptr);
        } else {
            EXPECT_THAT(result, ::testing::AnyOf(SPI_NOT_SUPPORT, SPI_OUT_OF_ORDER))
                << "length " << length;
        }
    }
    std::uint32_t seed = 12345;
    for (int round = 0; round < 40; ++round) {
        TBytes damaged = bytes;
        for (int k = 0; k < 3; ++k) {
            seed = seed * 1103515245u + 12345u;
            damaged[(seed >> 8) % damaged.size()] ^= static_cast<std::uint8_t>(1u << (seed % 8));
        }
        TDibBlocks dib;
        DecodeMemory(plugin, damaged, dib);
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, PluginDecode, ::testing::ValuesIn(kDecodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A 2 x 1 GIF with a two-colour table (blue, red) whose transparent index, 3, lies beyond the
// table; the first pixel has that index, the second index 0.
TBytes GifTransparentBeyondTable() {
    return {'G',  'I',  'F',  '8',  '9', 'a', 2, 0, 1, 0, 0x80, 0, 0,  // screen, 2 colours
            0,    0,    255,  255,  0,   0,                            // blue, red
            0x21, 0xF9, 4,    1,    0,   0,   3, 0,                    // transparent index 3
            ',',  0,    0,    0,    0,   2,   0, 1, 0, 0,              // image descriptor
            2,    2,    0x1C, 0x0A, 0,                                 // LZW: clear, 3, 0, end
            ';'};
}

TEST(PluginDecodeGif, ATransparentIndexBeyondTheColourTableShowsWhite) {
    TDibBlocks dib;
    ASSERT_EQ(DecodeMemory(Plugin("ifgif"), GifTransparentBeyondTable(), dib), SPI_ALL_RIGHT);
    ASSERT_EQ(dib.Header().biBitCount, 8);
    ASSERT_GE(dib.Header().biClrUsed, 4u);  // every index in the picture has its entry
    ExpectPixels(dib.Pixels(), TTestImage{2, 1, {{255, 255, 255, 255}, {0, 0, 255, 255}}}, 0);
}

TEST(PluginDecodeGif, AZeroScreenTakesTheFramesExtentForPictureAndInfo) {
    TBytes gif = GifTransparentBeyondTable();
    std::fill(gif.begin() + 6, gif.begin() + 10, std::uint8_t{0});  // screen 0 x 0
    TDibBlocks dib;
    ASSERT_EQ(DecodeMemory(Plugin("ifgif"), gif, dib), SPI_ALL_RIGHT);
    EXPECT_EQ(dib.Header().biWidth, 2);
    EXPECT_EQ(dib.Header().biHeight, 1);
    SPI_PICTINFO info{};
    ASSERT_EQ(InfoOfMemory(Plugin("ifgif"), gif, info), SPI_ALL_RIGHT);
    EXPECT_EQ(info.width, 2);
    EXPECT_EQ(info.height, 1);
}

// ---- JPEG orientation -----------------------------------------------------------------------

struct TOrientationCase {
    const char* name;
    TBytes app1;
    int upright;  // the orientation the picture must be turned by
};

class JpegOrientation : public ::testing::TestWithParam<TOrientationCase> {};

TEST_P(JpegOrientation, PhonePhotosComeOutUpright) {
    const TTestImage stored = TTestImage::Pattern(16, 8);
    const TBytes plain = EncodeJpeg(stored, 95);
    const TBytes tagged = EncodeJpeg(stored, 95, GetParam().app1);
    const TTestImage expected = Oriented(DecodeJpegReference(plain), GetParam().upright);

    TDibBlocks dib;
    ASSERT_EQ(DecodeMemory(Plugin("ifjpeg"), tagged, dib), SPI_ALL_RIGHT);
    ExpectPixels(dib.Pixels(), expected, 0);

    SPI_PICTINFO info{};
    ASSERT_EQ(InfoOfMemory(Plugin("ifjpeg"), tagged, info), SPI_ALL_RIGHT);
    EXPECT_EQ(info.width, expected.width);
    EXPECT_EQ(info.height, expected.height);
}

TBytes BrokenExif() {
    TBytes exif = ExifWithOrientation(6);
    exif.resize(exif.size() - 14);  // the orientation entry is cut off
    return exif;
}

TBytes WrongTypeExif() {
    TBytes exif = ExifWithOrientation(6);
    exif[6 + 8 + 2 + 12 + 2] = 4;  // the orientation entry claims LONG instead of SHORT
    return exif;
}

INSTANTIATE_TEST_SUITE_P(
    Exif, JpegOrientation,
    ::testing::Values(TOrientationCase{"none", {}, 1},
                      TOrientationCase{"o1", ExifWithOrientation(1), 1},
                      TOrientationCase{"o2", ExifWithOrientation(2), 2},
                      TOrientationCase{"o3", ExifWithOrientation(3), 3},
                      TOrientationCase{"o4", ExifWithOrientation(4), 4},
                      TOrientationCase{"o5", ExifWithOrientation(5), 5},
                      TOrientationCase{"o6", ExifWithOrientation(6), 6},
                      TOrientationCase{"o7", ExifWithOrientation(7), 7},
                      TOrientationCase{"o8", ExifWithOrientation(8), 8},
                      TOrientationCase{"o6_motorola", ExifWithOrientation(6, true), 6},
                      TOrientationCase{"zero_is_as_stored", ExifWithOrientation(0), 1},
                      TOrientationCase{"nine_is_as_stored", ExifWithOrientation(9), 1},
                      TOrientationCase{"cut_off_entry", BrokenExif(), 1},
                      TOrientationCase{"wrong_type", WrongTypeExif(), 1},
                      TOrientationCase{"not_exif", TBytes{'h', 't', 't', 'p', ':', '/', '/'}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- sizes beyond the limit -----------------------------------------------------------------

TBytes HugePng() {
    return PngFile({{"IHDR", PngHeader(20000, 20000, 8, 2)},
                    {"IDAT", {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}},
                    {"IEND", {}}});
}

TBytes HugeJpeg() {
    TBytes jpeg = EncodeJpeg(TTestImage::Pattern(8, 8), 90);
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC1)) {
            for (const std::size_t at : {i + 5, i + 7}) {  // height, width: 65000 each
                jpeg[at] = 0xFD;
                jpeg[at + 1] = 0xE8;
            }
            break;
        }
    }
    return jpeg;
}

// Just under the pixel limit, but progressive and without subsampling: libjpeg would need
// 16383 x 16383 x 3 x 2 bytes of coefficients, beyond the plug-in's work memory.
TBytes ProgressiveBeyondWorkMemory() {
    TBytes jpeg = EncodeJpeg(TTestImage::Pattern(8, 8), 90);
    for (std::size_t i = 2; i + 14 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 1] = 0xC2;  // progressive
            for (const std::size_t at : {i + 5, i + 7}) {
                jpeg[at] = 0x3F;
                jpeg[at + 1] = 0xFF;
            }
            jpeg[i + 11] = 0x11;  // luma sampled as the chroma: 4:4:4
            break;
        }
    }
    return jpeg;
}

TBytes HugeGif() {
    return {'G',  'I', 'F',  '8',  '9', 'a',  0xFF, 0xFF, 0xFF, 0xFF,
            0x80, 0,   0,    0,    0,   0,    255,  255,  255,      // two-colour table
            ',',  0,   0,    0,    0,   0xFF, 0xFF, 0xFF, 0xFF, 0,  // image descriptor
            2,    2,   0x4C, 0x01, 0,   ';'};
}

struct TTiffEntry {
    unsigned tag;
    unsigned type;  // 2 ASCII, 3 SHORT, 4 LONG
    unsigned count;
    unsigned value;
};

// A one-strip grey TIFF described by its header alone; the strip holds a single byte. `extra`
// entries join the directory in tag order.
TBytes HeaderOnlyTiff(unsigned width, unsigned height, unsigned bits, unsigned samples,
                      std::vector<TTiffEntry> extra = {}) {
    TBytes t = {'I', 'I', 42, 0, 8, 0, 0, 0};
    auto u16 = [&](unsigned v) {
        t.insert(t.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
    };
    auto u32 = [&](unsigned v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    extra.insert(extra.end(), {{256, 4, 1, width},
                               {257, 4, 1, height},
                               {258, 3, 1, bits},
                               {262, 3, 1, 1},  // grey
                               {273, 4, 1, 8},  // strip offset
                               {277, 3, 1, samples},
                               {278, 4, 1, height},  // rows per strip
                               {279, 4, 1, 1}});     // strip byte count
    std::sort(extra.begin(), extra.end(),
              [](const TTiffEntry& a, const TTiffEntry& b) { return a.tag < b.tag; });
    u16(static_cast<unsigned>(extra.size()));
    for (const TTiffEntry& e : extra) {
        u16(e.tag);
        u16(e.type);
        u32(e.count);
        if (e.type == 3) {
            u16(e.value);
            u16(0);
        } else {
            u32(e.value);
        }
    }
    u32(0);
    return t;
}

TBytes HugeTiff() {
    return HeaderOnlyTiff(30000, 30000, 8, 1);
}

struct THugeCase {
    const char* name;
    const char* plugin;
    TBytes (*make)();
};

class PluginLimits : public ::testing::TestWithParam<THugeCase> {};

TEST_P(PluginLimits, PicturesAboveTwoToTheTwentyEightPixelsFailBeforeAllocating) {
    TDibBlocks dib;
    EXPECT_EQ(DecodeMemory(Plugin(GetParam().plugin), GetParam().make(), dib), SPI_NO_MEMORY);
    EXPECT_EQ(dib.info, nullptr);
    EXPECT_EQ(dib.bits, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Shipped, PluginLimits,
                         ::testing::Values(THugeCase{"png", "ifpng", HugePng},
                                           THugeCase{"jpeg", "ifjpeg", HugeJpeg},
                                           THugeCase{"gif", "ifgif", HugeGif},
                                           THugeCase{"tiff", "iftiff", HugeTiff}),
                         [](const auto& info) { return std::string(info.param.name); });

// Bits per sample and samples per pixel are 16-bit fields each; their product must not wrap.
TEST(PluginLimits, AbsurdSampleFieldsGiveAtMostThirtyTwoBitsOfDepth) {
    const TBytes tiff = HeaderOnlyTiff(2, 2, 65284, 62977);
    SPI_PICTINFO info{};
    ASSERT_EQ(InfoOfMemory(Plugin("iftiff"), tiff, info), SPI_ALL_RIGHT);
    EXPECT_EQ(info.colorDepth, 32);
}

// Floating-point samples in planes of their own are read a strip of every plane at a time; one
// strip of 16384 rows of each of three planes, 3 GB, is refused before anything is allocated.
TEST(PluginLimits, TiffStripsOfSeparatePlanesBeyondTheBandLimitFailBeforeAllocating) {
    const TBytes tiff =
        HeaderOnlyTiff(16384, 16384, 64, 3,
                       {{284, 3, 1, PLANARCONFIG_SEPARATE}, {339, 3, 1, SAMPLEFORMAT_IEEEFP}});
    TDibBlocks dib;
    EXPECT_EQ(DecodeMemory(Plugin("iftiff"), tiff, dib), SPI_NO_MEMORY);
    EXPECT_EQ(dib.info, nullptr);
    EXPECT_EQ(dib.bits, nullptr);
}

// Within the pixel limit the plug-in decodes what the format allows, also beyond the million
// pixels per row or column that libpng accepts unless told otherwise.
TEST(PluginLimits, APngWiderThanAMillionPixelsDecodes) {
    const TTestImage image = Gray(1000001, 1, false);
    TDibBlocks dib;
    ASSERT_EQ(DecodeMemory(Plugin("ifpng"), EncodePng(image, TPngKind::Gray), dib), SPI_ALL_RIGHT);
    ExpectPixels(dib.Pixels(), image, 0);
}

// Twelve bits per sample, which the 8-bit libjpeg cannot decode.
TBytes TwelveBitJpeg() {
    TBytes jpeg = EncodeJpeg(TTestImage::Pattern(8, 8), 90);
    for (std::size_t i = 2; i + 4 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 4] = 12;
            break;
        }
    }
    return jpeg;
}

struct TJpegRefusalCase {
    const char* name;
    TBytes (*make)();
    int result;
};

class JpegRefusal : public ::testing::TestWithParam<TJpegRefusalCase> {};

// Not corrupt data: a picture beyond the memory the decoder may use, or of a kind it cannot
// decode, is refused with the code that says so, for the picture and for its information.
TEST_P(JpegRefusal, NamesTheReason) {
    const TBytes bytes = GetParam().make();
    TDibBlocks dib;
    EXPECT_EQ(DecodeMemory(Plugin("ifjpeg"), bytes, dib), GetParam().result);
    EXPECT_EQ(dib.info, nullptr);
    EXPECT_EQ(dib.bits, nullptr);
    if (GetParam().result == SPI_NOT_SUPPORT) {
        SPI_PICTINFO info{};
        EXPECT_EQ(InfoOfMemory(Plugin("ifjpeg"), bytes, info), SPI_NOT_SUPPORT);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shipped, JpegRefusal,
    ::testing::Values(TJpegRefusalCase{"beyond_work_memory", ProgressiveBeyondWorkMemory,
                                       SPI_NO_MEMORY},
                      TJpegRefusalCase{"twelve_bit", TwelveBitJpeg, SPI_NOT_SUPPORT}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- colour tables that do not cover the pixels --------------------------------------------

TRgba PaletteColor(int i) {
    return {static_cast<std::uint8_t>(40 + 50 * i), static_cast<std::uint8_t>(200 - 60 * i),
            static_cast<std::uint8_t>(90 + i), 255};
}

// A one-row palette PNG whose palette has `entries` colours while its pixels take `indexes`.
TBytes ShortPalettePng(int bitDepth, int entries, const std::vector<int>& indexes) {
    TBytes plte;
    for (int i = 0; i < entries; ++i) {
        const TRgba c = PaletteColor(i);
        plte.insert(plte.end(), {c.r, c.g, c.b});
    }
    TBytes row(1 + (indexes.size() * bitDepth + 7) / 8, 0);  // filter type 0 first
    for (std::size_t x = 0; x < indexes.size(); ++x) {
        const std::size_t bit = x * bitDepth;
        row[1 + bit / 8] |= static_cast<std::uint8_t>(indexes[x] << (8 - bitDepth - bit % 8));
    }
    return PngFile({{"IHDR", PngHeader(static_cast<std::uint32_t>(indexes.size()), 1, bitDepth, 3)},
                    {"PLTE", plte},
                    {"IDAT", ZlibStored(row)},
                    {"IEND", {}}});
}

// The colours of `indexes` in a table of `entries` colours padded with black.
TTestImage PaddedColors(int entries, const std::vector<int>& indexes) {
    TTestImage image{static_cast<int>(indexes.size()), 1, {}};
    for (const int index : indexes) {
        image.pixels.push_back(index < entries ? PaletteColor(index) : TRgba{0, 0, 0, 255});
    }
    return image;
}

// A 2 x 1 GIF whose table holds two colours while its image data, of 8-bit code size, has the
// indexes 1 and 200.
TBytes GifIndexBeyondTable() {
    const TRgba c0 = PaletteColor(0);
    const TRgba c1 = PaletteColor(1);
    TBytes gif = {'G',  'I',  'F',  '8',  '9', 'a', 2, 0, 1, 0, 0x80, 0, 0, c0.r, c0.g,
                  c0.b, c1.r, c1.g, c1.b, ',', 0,   0, 0, 0, 2, 0,    1, 0, 0,    8};
    // Nine-bit codes, lowest bit first: clear, 1, 200, end.
    TBytes data;
    unsigned bits = 0;
    int used = 0;
    for (const unsigned code : {256u, 1u, 200u, 257u}) {
        bits |= code << used;
        for (used += 9; used >= 8; used -= 8, bits >>= 8) {
            data.push_back(static_cast<std::uint8_t>(bits));
        }
    }
    data.push_back(static_cast<std::uint8_t>(bits));
    gif.push_back(static_cast<std::uint8_t>(data.size()));
    gif.insert(gif.end(), data.begin(), data.end());
    gif.insert(gif.end(), {0, ';'});
    return gif;
}

struct TIndexCase {
    const char* name;
    const char* plugin;
    std::function<TBytes()> make;
    std::function<TTestImage()> expected;
};

class PaletteBeyondTable : public ::testing::TestWithParam<TIndexCase> {};

TEST_P(PaletteBeyondTable, EveryIndexHasAnEntryAndThoseBeyondTheFilesTableShowBlack) {
    TDibBlocks dib;
    ASSERT_EQ(DecodeMemory(Plugin(GetParam().plugin), GetParam().make(), dib), SPI_ALL_RIGHT);
    EXPECT_EQ(dib.Header().biBitCount, 8);
    ASSERT_EQ(dib.Malformation(), "");
    ExpectPixels(dib.Pixels(), GetParam().expected(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Shipped, PaletteBeyondTable,
    ::testing::Values(TIndexCase{"png_1bit_one_colour", "ifpng",
                                 [] {
                                     return ShortPalettePng(1, 1, {0, 1, 1});
                                 },
                                 [] {
                                     return PaddedColors(1, {0, 1, 1});
                                 }},
                      TIndexCase{"png_2bit", "ifpng",
                                 [] {
                                     return ShortPalettePng(2, 2, {0, 1, 2, 3});
                                 },
                                 [] {
                                     return PaddedColors(2, {0, 1, 2, 3});
                                 }},
                      TIndexCase{"png_4bit", "ifpng",
                                 [] {
                                     return ShortPalettePng(4, 3, {2, 15, 0, 9});
                                 },
                                 [] {
                                     return PaddedColors(3, {2, 15, 0, 9});
                                 }},
                      TIndexCase{"png_8bit", "ifpng",
                                 [] {
                                     return ShortPalettePng(8, 2, {1, 255, 0, 17});
                                 },
                                 [] {
                                     return PaddedColors(2, {1, 255, 0, 17});
                                 }},
                      TIndexCase{"gif_code_size_beyond_table", "ifgif", GifIndexBeyondTable,
                                 [] {
                                     return PaddedColors(2, {1, 200});
                                 }}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- small files that declare huge contents -------------------------------------------------

// 57 bytes: a 1 x 1 picture, then a chunk that claims a gigabyte and holds 16 bytes.
TBytes PngWithHugeChunk(const char* type) {
    TBytes png = PngFile({{"IHDR", PngHeader(1, 1, 8, 2)}});
    PutBe32(png, 0x40000000);
    png.insert(png.end(), type, type + 4);
    const char text[] = "Comment\0a little";
    png.insert(png.end(), text, text + 16);
    return png;
}

// A description whose count claims a gigabyte of text in a file of a hundred bytes.
TBytes TiffWithHugeTag() {
    return HeaderOnlyTiff(1, 1, 8, 1, {{270, 2, 0x40000000, 8}});
}

struct TBombCase {
    const char* name;
    const char* plugin;
    std::function<TBytes()> make;
    const char* results = "3 3";  // of GetPictureInfo and GetPicture
};

class DeclaredHugeContent : public ::testing::TestWithParam<TBombCase> {};

// The memory bound fails the child if the plug-in allocates what the file only declares.
TEST_P(DeclaredHugeContent, FailsWithinAFewMegabytes) {
    TPluginModule& plugin = Plugin(GetParam().plugin);
    const TBytes bytes = GetParam().make();
    const TChildOutcome outcome = RunBounded(
        [&] {
            SPI_PICTINFO info{};
            TDibBlocks dib;
            const int infoResult = InfoOfMemory(plugin, bytes, info);
            return std::to_string(infoResult) + " " +
                   std::to_string(DecodeMemory(plugin, bytes, dib));
        },
        30, 16);
    ASSERT_TRUE(outcome.finished) << outcome.failure;
    EXPECT_EQ(outcome.answer, GetParam().results);
}

INSTANTIATE_TEST_SUITE_P(
    Shipped, DeclaredHugeContent,
    ::testing::Values(TBombCase{"png_tEXt", "ifpng", [] { return PngWithHugeChunk("tEXt"); }},
                      TBombCase{"png_zTXt", "ifpng", [] { return PngWithHugeChunk("zTXt"); }},
                      TBombCase{"png_iTXt", "ifpng", [] { return PngWithHugeChunk("iTXt"); }},
                      TBombCase{"png_sPLT", "ifpng", [] { return PngWithHugeChunk("sPLT"); }},
                      TBombCase{"png_pCAL", "ifpng", [] { return PngWithHugeChunk("pCAL"); }},
                      TBombCase{"png_sCAL", "ifpng", [] { return PngWithHugeChunk("sCAL"); }},
                      TBombCase{"png_iCCP", "ifpng", [] { return PngWithHugeChunk("iCCP"); }},
                      TBombCase{"png_eXIf", "ifpng", [] { return PngWithHugeChunk("eXIf"); }},
                      TBombCase{"png_unknown", "ifpng", [] { return PngWithHugeChunk("juNK"); }},
                      // The damaged tag is dropped; the picture it describes decodes.
                      TBombCase{"tiff_description", "iftiff", TiffWithHugeTag, "0 0"}),
    [](const auto& info) { return std::string(info.param.name); });

// The tile width in the first directory of a little-endian TIFF set to `width`, which libtiff
// only writes in multiples of 16.
TBytes WithTileWidth(TBytes tiff, std::uint8_t width) {
    const std::size_t directory = tiff[4] | tiff[5] << 8 | tiff[6] << 16 | tiff[7] << 24;
    for (std::size_t e = directory + 2; e + 12 <= tiff.size(); e += 12) {
        if (tiff[e] == 0x42 && tiff[e + 1] == 0x01) {  // tag 322
            tiff[e + 8] = width;
            break;
        }
    }
    return tiff;
}

// Complex numbers, which libtiff's RGBA reader would show as unsigned integers, and tiles whose
// rows of 12-bit samples end inside a byte, where samples are not where a row of tiles says.
TEST(PluginDecodeTiff, SamplesItCannotShowAreRefusedAsUnsupported) {
    TDibBlocks dib;
    EXPECT_EQ(
        DecodeMemory(Plugin("iftiff"),
                     SampleRow({1, 2, 3, 4}, {.bits = 16, .sampleFormat = SAMPLEFORMAT_COMPLEXINT}),
                     dib),
        SPI_NOT_SUPPORT);
    const TBytes oddTiles =
        WithTileWidth(SampleRow({0, 1, 2, 3, 4, 5}, {.bits = 12, .tiled = true}), 15);
    EXPECT_EQ(DecodeMemory(Plugin("iftiff"), oddTiles, dib), SPI_NOT_SUPPORT);
}

// ---- TIFF orientation -----------------------------------------------------------------------

class TiffOrientation : public ::testing::TestWithParam<std::tuple<TTiffKind, int>> {};

TEST_P(TiffOrientation, PicturesComeOutUprightAlsoWhenTurnedByAQuarter) {
    const auto [kind, orientation] = GetParam();
    const TTestImage stored =
        kind == TTiffKind::Palette8 ? TTestImage::Indexed(7, 4) : TTestImage::Pattern(7, 4);
    const TBytes bytes = EncodeTiff(stored, kind, orientation);
    const TTestImage expected = Oriented(stored, orientation);

    TDibBlocks dib;
    ASSERT_EQ(DecodeMemory(Plugin("iftiff"), bytes, dib), SPI_ALL_RIGHT);
    ExpectPixels(dib.Pixels(), expected, 0);
    SPI_PICTINFO info{};
    ASSERT_EQ(InfoOfMemory(Plugin("iftiff"), bytes, info), SPI_ALL_RIGHT);
    EXPECT_EQ(info.width, expected.width);
    EXPECT_EQ(info.height, expected.height);
}

INSTANTIATE_TEST_SUITE_P(Shipped, TiffOrientation,
                         ::testing::Combine(::testing::Values(TTiffKind::Rgb, TTiffKind::Tiled,
                                                              TTiffKind::Palette8),
                                            ::testing::Range(1, 9)),
                         [](const auto& info) {
                             const TTiffKind kind = std::get<0>(info.param);
                             const char* name = kind == TTiffKind::Rgb     ? "rgb"
                                                : kind == TTiffKind::Tiled ? "tiled"
                                                                           : "palette";
                             return name + std::string("_o") +
                                    std::to_string(std::get<1>(info.param));
                         });

}  // namespace
}  // namespace korvent::test
