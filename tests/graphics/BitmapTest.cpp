#include "graphics/Bitmap.h"

#include "BmpBuilder.h"
#include "TestPaths.h"
#include "graphics/InvalidGraphic.h"
#include "graphics/PixelCodec.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

namespace korvent::graphics {
namespace {

using testing::BmpLayout;
using testing::BuildBmp;
using testing::BuildInfo;
using ::testing::HasSubstr;

constexpr TRgb kRed{255, 0, 0};
constexpr TRgb kGreen{0, 255, 0};
constexpr TRgb kBlue{0, 0, 255};
constexpr TRgb kWhite{255, 255, 255};
constexpr TRgb kBlack{0, 0, 0};

TBitmap Load(const std::vector<std::uint8_t>& bytes) {
    TBitmap bitmap;
    bitmap.LoadFromMemory(bytes);
    return bitmap;
}

std::string SaveToString(const TBitmap& bitmap) {
    std::ostringstream out;
    bitmap.SaveToStream(out);
    return out.str();
}

std::string LoadError(const std::vector<std::uint8_t>& bytes) {
    try {
        Load(bytes);
    } catch (const EInvalidGraphic& error) {
        return error.what();
    }
    return "(loaded)";
}

// 24-bit, 2 x 2: the file's first row is the picture's bottom row unless the height is negative.
// A decoder's block becomes the bitmap's rows in place, turned top to bottom when stored
// bottom-up, and is freed with the decoder's function; a block too short for the picture is
// refused (and freed all the same).
TEST(BitmapAdoptTest, RowsAreTakenInPlaceAndTurned) {
    static int freed = 0;
    const auto makeRows = [](std::size_t size) {
        auto* block = static_cast<std::uint8_t*>(std::malloc(size));
        for (std::size_t i = 0; i < size; ++i) {
            block[i] = static_cast<std::uint8_t>(i / 4);  // one value per 4-byte row
        }
        return TPixelBlock(block, size, [](void* p) {
            ++freed;
            std::free(p);
        });
    };
    for (const bool bottomUp : {false, true}) {
        TBitmap bitmap;
        bitmap.AdoptPixels(1, 3, TPixelFormat::Bit24, makeRows(12), bottomUp);
        EXPECT_EQ(bitmap.ScanLine(0)[0], bottomUp ? 2 : 0);
        EXPECT_EQ(bitmap.ScanLine(2)[0], bottomUp ? 0 : 2);
        EXPECT_EQ(bitmap.ScanLine(1)[0], 1);
    }
    EXPECT_EQ(freed, 2);
    TBitmap bitmap(2, 2);
    EXPECT_THROW(bitmap.AdoptPixels(1, 4, TPixelFormat::Bit24, makeRows(12), false),
                 EInvalidGraphic);
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(freed, 3);
}

TEST(BitmapReadTest, BottomUpAndTopDownRowsLandTopToBottom) {
    BmpLayout layout{.width = 2, .height = 2, .bits = 24};
    layout.pixels = {0,   0, 255, 0,   255, 0,   0, 0,   // red, green (+2 pad)
                     255, 0, 0,   255, 255, 255, 0, 0};  // blue, white
    const TBitmap bottomUp = Load(BuildBmp(layout));
    EXPECT_EQ(bottomUp.PixelColor(0, 1), kRed);
    EXPECT_EQ(bottomUp.PixelColor(1, 1), kGreen);
    EXPECT_EQ(bottomUp.PixelColor(0, 0), kBlue);
    EXPECT_EQ(bottomUp.PixelColor(1, 0), kWhite);

    layout.height = -2;
    const TBitmap topDown = Load(BuildBmp(layout));
    EXPECT_EQ(topDown.Height(), 2);
    EXPECT_EQ(topDown.PixelColor(0, 0), kRed);
    EXPECT_EQ(topDown.PixelColor(1, 1), kWhite);
}

TEST(BitmapReadTest, IndexedDepthsUnpackFromTheHighBits) {
    BmpLayout one{.width = 10, .height = 1, .bits = 1, .palette = {kBlack, kRed}};
    one.pixels = {0b10100000, 0b01000000, 0, 0};
    const TBitmap b1 = Load(BuildBmp(one));
    EXPECT_EQ(b1.PixelFormat(), TPixelFormat::Bit1);
    EXPECT_EQ(b1.PixelColor(0, 0), kRed);
    EXPECT_EQ(b1.PixelColor(1, 0), kBlack);
    EXPECT_EQ(b1.PixelColor(2, 0), kRed);
    EXPECT_EQ(b1.PixelColor(9, 0), kRed);

    BmpLayout four{.width = 3, .height = 1, .bits = 4, .palette = {kBlack, kRed, kGreen}};
    four.pixels = {0x12, 0x00, 0, 0};
    const TBitmap b4 = Load(BuildBmp(four));
    EXPECT_EQ(b4.Palette().size(), 3u);
    EXPECT_EQ(b4.PixelColor(0, 0), kRed);
    EXPECT_EQ(b4.PixelColor(1, 0), kGreen);
    EXPECT_EQ(b4.PixelColor(2, 0), kBlack);
}

TEST(BitmapReadTest, CoreHeaderWithThreeByteColourTable) {
    BmpLayout layout{
        .width = 2, .height = 1, .bits = 8, .headerSize = 12, .palette = {kBlue, kRed}};
    layout.pixels = {1, 0, 0, 0};
    const TBitmap bitmap = Load(BuildBmp(layout));
    EXPECT_EQ(bitmap.PixelColor(0, 0), kRed);
    EXPECT_EQ(bitmap.PixelColor(1, 0), kBlue);
}

TEST(BitmapReadTest, SixteenBitMasksAreKept) {
    BmpLayout layout{.width = 2, .height = 1, .bits = 16, .compression = 3};
    layout.masks = {0xF800, 0x07E0, 0x001F};
    layout.pixels = {0x00, 0xF8, 0xE0, 0x07};  // pure red, pure green in 5-6-5
    const TBitmap bitmap = Load(BuildBmp(layout));
    EXPECT_EQ(bitmap.BitMasks(), kMasks565);
    EXPECT_EQ(bitmap.PixelColor(0, 0), kRed);
    EXPECT_EQ(bitmap.PixelColor(1, 0), kGreen);

    // Saved again with its masks, read again with the same colours.
    const std::string saved = SaveToString(bitmap);
    const TBitmap again = Load({saved.begin(), saved.end()});
    EXPECT_EQ(again.BitMasks(), kMasks565);
    EXPECT_EQ(again.PixelColor(1, 0), kGreen);
}

TEST(BitmapReadTest, ThirtyTwoBitMasksAreNormalisedToBgra) {
    BmpLayout layout{.width = 1, .height = 1, .bits = 32, .compression = 3};
    layout.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // red in the lowest byte
    layout.pixels = {0x10, 0x20, 0x30, 0x00};
    const TBitmap bitmap = Load(BuildBmp(layout));
    EXPECT_EQ(bitmap.PixelColor(0, 0), (TRgb{0x10, 0x20, 0x30}));
    EXPECT_EQ(bitmap.ScanLine(0)[0], 0x30);  // blue first in memory
}

TEST(BitmapReadTest, V5HeaderCarriesItsMasksInside) {
    BmpLayout layout{.width = 1, .height = 1, .bits = 16, .compression = 3, .headerSize = 124};
    std::vector<std::uint8_t> bytes = BuildBmp(layout);
    // Masks live at offset 40 of the info header.
    const std::size_t masks = 14 + 40;
    for (auto [i, mask] : {std::pair{0, 0xF800u}, {1, 0x07E0u}, {2, 0x001Fu}}) {
        for (int b = 0; b < 4; ++b) {
            bytes[masks + 4 * i + b] = static_cast<std::uint8_t>(mask >> (8 * b));
        }
    }
    bytes.insert(bytes.end(), {0xE0, 0x07, 0, 0});
    EXPECT_EQ(Load(bytes).PixelColor(0, 0), kGreen);
}

// The run-length example of the format's documentation: runs, literals, a move, line end.
TEST(BitmapReadTest, Rle8DecodesRunsLiteralsMovesAndLineEnds) {
    BmpLayout layout{.width = 20, .height = 3, .bits = 8, .compression = 1};
    for (int i = 0; i < 256; ++i) {
        layout.palette.push_back({static_cast<std::uint8_t>(i), 0, 0});
    }
    layout.pixels = {0x03, 0x04, 0x05, 0x06, 0x00, 0x03, 0x45, 0x56, 0x67, 0x00, 0x02, 0x78,
                     0x00, 0x02, 0x05, 0x01, 0x02, 0x78, 0x00, 0x00, 0x09, 0x1E, 0x00, 0x01};
    layout.sizeImage = static_cast<std::uint32_t>(layout.pixels.size());
    const TBitmap bitmap = Load(BuildBmp(layout));
    const auto bottom = bitmap.ScanLine(2);
    EXPECT_THAT(std::vector<int>(bottom.begin(), bottom.begin() + 14),
                ::testing::ElementsAre(4, 4, 4, 6, 6, 6, 6, 6, 0x45, 0x56, 0x67, 0x78, 0x78, 0));
    const auto middle = bitmap.ScanLine(1);
    EXPECT_EQ(middle[17], 0);
    EXPECT_EQ(middle[18], 0x78);
    EXPECT_EQ(middle[19], 0x78);
    const auto top = bitmap.ScanLine(0);
    EXPECT_EQ(top[8], 0x1E);
    EXPECT_EQ(top[9], 0);
}

TEST(BitmapReadTest, Rle4AlternatesNibblesAndPadsLiterals) {
    BmpLayout layout{.width = 8, .height = 1, .bits = 4, .compression = 2};
    layout.palette = pixel::DefaultPalette(TPixelFormat::Bit4);
    layout.pixels = {0x05, 0x12, 0x00, 0x03, 0x34, 0x50, 0x00, 0x01};
    const TBitmap bitmap = Load(BuildBmp(layout));
    std::vector<int> indexes;
    for (int x = 0; x < 8; ++x) {
        const auto row = bitmap.ScanLine(0);
        indexes.push_back((row[x / 2] >> ((x & 1) ? 0 : 4)) & 15);
    }
    EXPECT_THAT(indexes, ::testing::ElementsAre(1, 2, 1, 2, 1, 3, 4, 5));
}

TEST(BitmapReadTest, RunsPastTheRightEdgeAreClipped) {
    BmpLayout layout{
        .width = 2, .height = 2, .bits = 8, .compression = 1, .palette = {kBlack, kRed}};
    layout.pixels = {0xFF, 0x01, 0x00, 0x00, 0x00, 0x02, 0xFF, 0x40, 0x00, 0x01};
    const TBitmap bitmap = Load(BuildBmp(layout));
    EXPECT_EQ(bitmap.PixelColor(1, 1), kRed);
    EXPECT_EQ(bitmap.PixelColor(0, 0), kBlack);  // the move left the top row untouched
}

TEST(BitmapReadTest, ColourTableIsCutAtThePixelOffset) {
    // Claims 256 colours but stores two before the pixels start.
    BmpLayout layout{
        .width = 1, .height = 1, .bits = 8, .palette = {kBlack, kGreen}, .colorsUsed = 0};
    layout.pixels = {1, 0, 0, 0};
    const TBitmap bitmap = Load(BuildBmp(layout));
    EXPECT_EQ(bitmap.Palette().size(), 2u);
    EXPECT_EQ(bitmap.PixelColor(0, 0), kGreen);
}

TEST(BitmapReadTest, ZeroPixelOffsetMeansPixelsFollowTheTable) {
    BmpLayout layout{.width = 1, .height = 1, .bits = 24, .pixelOffsetZero = true};
    layout.pixels = {255, 0, 0, 0};
    EXPECT_EQ(Load(BuildBmp(layout)).PixelColor(0, 0), kBlue);
}

TEST(BitmapReadTest, StreamReadingStopsAfterThePicture) {
    BmpLayout layout{.width = 1, .height = 1, .bits = 24};
    layout.pixels = {1, 2, 3, 0};
    const std::vector<std::uint8_t> one = BuildBmp(layout);
    std::string two(one.begin(), one.end());
    two += two;
    std::istringstream in(two);
    TBitmap first;
    first.LoadFromStream(in);
    EXPECT_EQ(static_cast<std::size_t>(in.tellg()), one.size());
    TBitmap second;
    second.LoadFromStream(in);
    EXPECT_EQ(second.PixelColor(0, 0), (TRgb{3, 2, 1}));
}

TEST(BitmapReadTest, PackedDibWithBottomUpBits) {
    BmpLayout layout{.width = 2, .height = 2, .bits = 8, .palette = {kBlack, kRed, kGreen, kBlue}};
    const std::vector<std::uint8_t> info = BuildInfo(layout);
    const std::vector<std::uint8_t> bits = {1, 2, 0, 0, 3, 0, 0, 0};
    TBitmap bitmap;
    bitmap.LoadFromDib(info, bits);
    EXPECT_EQ(bitmap.PixelColor(0, 1), kRed);
    EXPECT_EQ(bitmap.PixelColor(1, 1), kGreen);
    EXPECT_EQ(bitmap.PixelColor(0, 0), kBlue);
    EXPECT_THROW(bitmap.LoadFromDib(info, std::span(bits).first(5)), EInvalidGraphic);
    EXPECT_EQ(bitmap.PixelColor(0, 0), kBlue);
}

struct BadFile {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* message;
};

std::vector<std::uint8_t> Valid24() {
    BmpLayout layout{.width = 2, .height = 2, .bits = 24};
    layout.pixels.assign(16, 0x7F);
    return BuildBmp(layout);
}

std::vector<std::uint8_t> With(BmpLayout layout) {
    return BuildBmp(layout);
}

std::vector<std::uint8_t> Truncated(std::vector<std::uint8_t> bytes, std::size_t keep) {
    bytes.resize(keep);
    return bytes;
}

std::vector<std::uint8_t> Patched(std::vector<std::uint8_t> bytes, std::size_t at,
                                  std::vector<std::uint8_t> patch) {
    std::copy(patch.begin(), patch.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

class BitmapBadFileTest : public ::testing::TestWithParam<BadFile> {};

TEST_P(BitmapBadFileTest, RefusedWithAClearMessage) {
    EXPECT_EQ(LoadError(GetParam().bytes), std::string("Invalid BMP: ") + GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BitmapBadFileTest,
    ::testing::Values(
        BadFile{"Empty", {}, "file is too short for a bitmap file header"},
        BadFile{"NotBm", Patched(Valid24(), 0, {'P', 'K'}), "the file does not start with \"BM\""},
        BadFile{"HeaderCut", Truncated(Valid24(), 30), "file is truncated in the bitmap header"},
        BadFile{"HeaderSize", Patched(Valid24(), 14, {8, 0, 0, 0}), "unsupported header size 8"},
        BadFile{"HugeHeader", Patched(Valid24(), 14, {0, 0, 0, 0x10}),
                "unsupported header size 268435456"},
        BadFile{"Depth", Patched(Valid24(), 28, {2, 0}), "unsupported bit depth 2"},
        BadFile{"NegativeWidth", Patched(Valid24(), 18, {0xFE, 0xFF, 0xFF, 0xFF}),
                "negative width -2"},
        BadFile{"TooLarge", Patched(Valid24(), 18, {0, 0, 1, 0, 1, 0x10, 0, 0}),
                "picture too large: 65536 x 4097 pixels"},
        BadFile{"MinHeight", Patched(Valid24(), 22, {0, 0, 0, 0x80}),
                "picture too large: 2 x 2147483648 pixels"},
        BadFile{"ZeroWidth", Patched(Valid24(), 18, {0, 0, 0, 0}), "empty picture (0 x 2)"},
        BadFile{"Compression", Patched(Valid24(), 30, {4}), "unsupported compression 4"},
        BadFile{"PixelsCut", Truncated(Valid24(), 60), "file is truncated in the pixel data"},
        BadFile{"RleDepth", With({.width = 1, .height = 1, .bits = 4, .compression = 1}),
                "RLE compression does not match the bit depth 4"},
        BadFile{"RleTopDown",
                With({.width = 1, .height = -1, .bits = 8, .compression = 1, .pixels = {0, 1}}),
                "an RLE picture cannot be stored top-down"},
        BadFile{
            "RleEndsEarly",
            With({.width = 1, .height = 3, .bits = 8, .compression = 1, .pixels = {1, 0, 0, 0}}),
            "RLE data ends before the picture is complete"},
        BadFile{
            "RleLiteralCut",
            With({.width = 8, .height = 1, .bits = 8, .compression = 1, .pixels = {0, 5, 1, 2}}),
            "RLE data ends inside literal pixels"},
        BadFile{"RleMoveCut",
                With({.width = 8, .height = 2, .bits = 8, .compression = 1, .pixels = {0, 2, 1}}),
                "RLE data ends inside a position change"},
        BadFile{"MasksOn24", With({.width = 1, .height = 1, .bits = 24, .compression = 3}),
                "colour masks need 16 or 32 bits per pixel, not 24"},
        BadFile{"MasksCut",
                With({.width = 1, .height = 1, .bits = 16, .compression = 3, .masks = {0xF800}}),
                "file is truncated in the colour masks"},
        BadFile{"MaskGaps",
                With({.width = 1,
                      .height = 1,
                      .bits = 16,
                      .compression = 3,
                      .masks = {0xF00F, 0x07E0, 0x001F},
                      .pixels = {0, 0, 0, 0}}),
                "invalid colour mask"},
        BadFile{"MaskBeyond16",
                With({.width = 1,
                      .height = 1,
                      .bits = 16,
                      .compression = 3,
                      .masks = {0xFF0000, 0x07E0, 0x001F},
                      .pixels = {0, 0, 0, 0}}),
                "invalid colour mask"},
        BadFile{"ColourCount", With({.width = 1, .height = 1, .bits = 8, .colorsUsed = 0x7FFFFFFF}),
                "colour table of 2147483647 entries"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every prefix of valid files either loads or is refused cleanly; nothing else happens.
TEST(BitmapReadTest, EveryTruncationIsRefusedOrRead) {
    BmpLayout rle{.width = 20, .height = 3, .bits = 8, .compression = 1, .palette = {kRed}};
    rle.pixels = {0x03, 0x04, 0x00, 0x03, 0x45, 0x56, 0x67, 0x00, 0x00,
                  0x02, 0x05, 0x01, 0x00, 0x00, 0x09, 0x1E, 0x00, 0x01};
    BmpLayout masked{
        .width = 3, .height = 2, .bits = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F}};
    masked.pixels.assign(16, 0xA5);
    for (const auto& file : {Valid24(), BuildBmp(rle), BuildBmp(masked)}) {
        for (std::size_t keep = 0; keep < file.size(); ++keep) {
            TBitmap bitmap(1, 1);
            try {
                bitmap.LoadFromMemory(std::span(file).first(keep));
            } catch (const EInvalidGraphic&) {
                EXPECT_EQ(bitmap.Width(), 1) << "a failed load changed the bitmap";
            }
        }
    }
}

class BitmapRoundTripTest : public ::testing::TestWithParam<TPixelFormat> {};

// A picture saved and read again is the same, bit for bit, at each depth.
TEST_P(BitmapRoundTripTest, SaveThenLoadKeepsEveryByte) {
    TBitmap bitmap(7, 5, GetParam());
    for (int y = 0; y < bitmap.Height(); ++y) {
        auto row = bitmap.ScanLine(y);
        const std::size_t used = (7 * static_cast<std::size_t>(bitmap.BitsPerPixel()) + 7) / 8;
        for (std::size_t i = 0; i < used; ++i) {
            row[i] = static_cast<std::uint8_t>(y * 31 + i * 7 + 1);
        }
    }
    const std::string saved = SaveToString(bitmap);
    const TBitmap again = Load({saved.begin(), saved.end()});
    EXPECT_EQ(again.PixelFormat(), GetParam());
    EXPECT_EQ(again.Width(), 7);
    EXPECT_EQ(again.Height(), 5);
    EXPECT_EQ(again.Palette(), bitmap.Palette());
    EXPECT_TRUE(std::ranges::equal(again.Bits(), bitmap.Bits()));
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapRoundTripTest,
                         ::testing::Values(TPixelFormat::Bit1, TPixelFormat::Bit4,
                                           TPixelFormat::Bit8, TPixelFormat::Bit16,
                                           TPixelFormat::Bit24, TPixelFormat::Bit32));

TEST(BitmapFileTest, SaveToFileAndLoadFromFile) {
    const auto path = std::filesystem::path(KORVENT_BINARY_DIR) / "bitmap-file-test.bmp";
    TBitmap bitmap(3, 2);
    bitmap.SetPixelColor(2, 1, kBlue);
    bitmap.SaveToFile(path);
    TBitmap again;
    again.LoadFromFile(path);
    EXPECT_EQ(again.PixelColor(2, 1), kBlue);
    std::filesystem::remove(path);
    try {
        again.LoadFromFile(path);
        FAIL() << "missing file loaded";
    } catch (const EInvalidGraphic& error) {
        EXPECT_THAT(error.what(), HasSubstr("Cannot open file"));
    }
}

struct Conversion {
    TPixelFormat from;
    TPixelFormat to;
};

class BitmapConversionTest : public ::testing::TestWithParam<Conversion> {};

// Four colours survive a conversion between any two depths that can hold them.
TEST_P(BitmapConversionTest, FewColoursSurvive) {
    const auto [from, to] = GetParam();
    TBitmap source(4, 3, TPixelFormat::Bit24);
    const TRgb colours[] = {kRed, kGreen, kBlue, kWhite};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            source.SetPixelColor(x, y, colours[(x + y) % 4]);
        }
    }
    source.SetPixelFormat(from);
    source.SetPixelFormat(to);
    EXPECT_EQ(source.PixelFormat(), to);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(source.PixelColor(x, y), colours[(x + y) % 4]) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, BitmapConversionTest,
                         ::testing::Values(Conversion{TPixelFormat::Bit24, TPixelFormat::Bit8},
                                           Conversion{TPixelFormat::Bit24, TPixelFormat::Bit4},
                                           Conversion{TPixelFormat::Bit8, TPixelFormat::Bit24},
                                           Conversion{TPixelFormat::Bit4, TPixelFormat::Bit8},
                                           Conversion{TPixelFormat::Bit8, TPixelFormat::Bit4},
                                           Conversion{TPixelFormat::Bit24, TPixelFormat::Bit16},
                                           Conversion{TPixelFormat::Bit16, TPixelFormat::Bit32},
                                           Conversion{TPixelFormat::Bit32, TPixelFormat::Bit24}));

TEST(BitmapConversionTest, OneBitKeepsIndexesAndPaletteWhenWidened) {
    TBitmap bitmap(9, 1, TPixelFormat::Bit1);
    bitmap.SetPalette({kBlue, kRed});
    bitmap.ScanLine(0)[0] = 0b10000001;
    bitmap.ScanLine(0)[1] = 0b10000000;
    bitmap.SetPixelFormat(TPixelFormat::Bit8);
    EXPECT_EQ(bitmap.Palette(), (std::vector<TRgb>{kBlue, kRed}));
    const auto row = bitmap.ScanLine(0);
    EXPECT_THAT(std::vector<int>(row.begin(), row.begin() + 9),
                ::testing::ElementsAre(1, 0, 0, 0, 0, 0, 0, 1, 1));
}

TEST(BitmapConversionTest, ManyColoursMapToTheFixedPalette) {
    TBitmap bitmap(300, 1, TPixelFormat::Bit24);
    for (int x = 0; x < 300; ++x) {
        bitmap.SetPixelColor(x, 0,
                             {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(x / 2), 7});
    }
    bitmap.SetPixelFormat(TPixelFormat::Bit8);
    EXPECT_EQ(bitmap.Palette().size(), 256u);
    const TRgb near = bitmap.PixelColor(255, 0);
    EXPECT_NEAR(near.red, 255, 20);
    EXPECT_NEAR(near.green, 127, 20);
    EXPECT_NEAR(near.blue, 0, 43);
}

TEST(BitmapTest, SetSizeKeepsTheTopLeftCorner) {
    TBitmap bitmap(2, 2, TPixelFormat::Bit24);
    bitmap.SetPixelColor(0, 0, kRed);
    bitmap.SetPixelColor(1, 1, kGreen);
    bitmap.SetSize(3, 1);
    EXPECT_EQ(bitmap.PixelColor(0, 0), kRed);
    EXPECT_EQ(bitmap.PixelColor(2, 0), kBlack);
    EXPECT_EQ(bitmap.Stride(), 12u);
    EXPECT_THROW(bitmap.SetSize(1 << 15, 1 << 14), EInvalidGraphic);
    EXPECT_EQ(bitmap.Width(), 3);
}

TEST(BitmapTest, OutOfRangeAccessIsRefused) {
    TBitmap bitmap(2, 2);
    EXPECT_THROW(bitmap.ScanLine(2), EInvalidGraphic);
    EXPECT_THROW(bitmap.ScanLine(-1), EInvalidGraphic);
    EXPECT_THROW(bitmap.PixelColor(2, 0), EInvalidGraphic);
    EXPECT_THROW(bitmap.SetBitMasks(kMasks565), EInvalidGraphic);
}

TEST(BitmapTest, IndexBeyondTheTableReadsBlack) {
    TBitmap bitmap(1, 1, TPixelFormat::Bit8);
    bitmap.SetPalette({kWhite});
    bitmap.ScanLine(0)[0] = 200;
    EXPECT_EQ(bitmap.PixelColor(0, 0), kBlack);
    bitmap.SetPixelFormat(TPixelFormat::Bit24);
    EXPECT_EQ(bitmap.PixelColor(0, 0), kBlack);
}

}  // namespace
}  // namespace korvent::graphics
