#include "graphics/JPEGImage.h"

#include "TestPaths.h"
#include "graphics/InvalidGraphic.h"
#include "pdf/RunProgram.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace korvent::graphics {
namespace {

using ::testing::HasSubstr;

// A smooth picture with some detail, so that quality changes show in the data size.
TBitmap Gradient(int width, int height) {
    TBitmap bitmap(width, height, TPixelFormat::Bit24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.SetPixelColor(x, y,
                                 {static_cast<std::uint8_t>(x * 255 / width),
                                  static_cast<std::uint8_t>(y * 255 / height),
                                  static_cast<std::uint8_t>((x * y) % 251)});
        }
    }
    return bitmap;
}

TEST(JPEGImageTest, CompressesABitmapIntoJfifData) {
    TJPEGImage jpeg;
    EXPECT_TRUE(jpeg.Empty());
    jpeg.Assign(Gradient(640, 480));
    EXPECT_EQ(jpeg.Width(), 640);
    EXPECT_EQ(jpeg.Height(), 480);
    const auto data = jpeg.Data();
    ASSERT_GT(data.size(), 100u);
    EXPECT_EQ(data[0], 0xFF);
    EXPECT_EQ(data[1], 0xD8);
    EXPECT_EQ(data[data.size() - 2], 0xFF);
    EXPECT_EQ(data[data.size() - 1], 0xD9);
    // JFIF marker, then no progressive (SOF2) frame: baseline SOF0 only.
    const std::string bytes(data.begin(), data.end());
    EXPECT_EQ(bytes.substr(6, 4), "JFIF");
    EXPECT_NE(bytes.find("\xFF\xC0"), std::string::npos);
    EXPECT_EQ(bytes.find("\xFF\xC2"), std::string::npos);
}

TEST(JPEGImageTest, QualityChangesTheDataAndIsRangeChecked) {
    TJPEGImage jpeg;
    jpeg.Assign(Gradient(200, 100));
    jpeg.SetCompressionQuality(10);
    jpeg.Compress();
    const std::size_t low = jpeg.Data().size();
    jpeg.SetCompressionQuality(100);
    jpeg.Compress();
    EXPECT_GT(jpeg.Data().size(), low);
    for (int bad : {0, 101, -5}) {
        EXPECT_THROW(jpeg.SetCompressionQuality(bad), EInvalidGraphic) << bad;
    }
    EXPECT_EQ(jpeg.CompressionQuality(), 100);
}

TEST(JPEGImageTest, IndexedBitmapsAreCompressedAsColour) {
    TBitmap bitmap(16, 16, TPixelFormat::Bit4);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            bitmap.SetPixelColor(x, y, {255, 0, 0});
        }
    }
    TJPEGImage jpeg;
    jpeg.Assign(bitmap);
    TBitmap decoded;
    decoded.Assign(TJPEGImage(jpeg));
    EXPECT_EQ(decoded.PixelFormat(), TPixelFormat::Bit24);
    // A decoded copy of compressed data: the red block is still red.
    TJPEGImage reloaded;
    reloaded.LoadFromMemory(jpeg.Data());
    const TRgb dot = reloaded.ToBitmap().PixelColor(3, 3);
    EXPECT_GT(dot.red, 128);
    EXPECT_LT(dot.green, 128);
}

TEST(JPEGImageTest, CopiesShareTheCompressedData) {
    TJPEGImage jpeg;
    jpeg.Assign(Gradient(64, 64));
    const auto original = jpeg.Data();
    TJPEGImage copy;
    copy.Assign(jpeg);
    EXPECT_EQ(copy.Data().data(), original.data());
    EXPECT_EQ(copy.Width(), 64);
}

// A handed-over bitmap compresses like an assigned one; once released, only the data remains
// and still reads as the picture.
TEST(JPEGImageTest, HandedOverBitmapIsCompressedThenReleased) {
    TJPEGImage assigned;
    assigned.Assign(Gradient(120, 80));
    TJPEGImage taken;
    taken.TakeBitmap(Gradient(120, 80));
    EXPECT_EQ(taken.Data().size(), assigned.Data().size());
    taken.ReleaseBitmap();
    EXPECT_FALSE(taken.Empty());
    EXPECT_EQ(taken.Width(), 120);
    EXPECT_EQ(taken.ToBitmap().Height(), 80);
    EXPECT_TRUE(std::equal(taken.Data().begin(), taken.Data().end(), assigned.Data().begin()));
}

// A picture made from a bitmap without pixels has nothing to compress, so it is empty like a
// new one: consumers that skip empty pictures must not run into a compression error.
TEST(JPEGImageTest, FromAnEmptyBitmapItIsEmpty) {
    for (const TBitmap& source : {TBitmap(), TBitmap(0, 5), TBitmap(5, 0, TPixelFormat::Bit8)}) {
        TJPEGImage jpeg;
        jpeg.Assign(source);
        EXPECT_TRUE(jpeg.Empty());
        EXPECT_EQ(jpeg.Width() * jpeg.Height(), 0);
        jpeg.Assign(Gradient(4, 4));
        EXPECT_FALSE(jpeg.Empty());
    }
}

TEST(JPEGImageTest, NonJpegDataIsRefused) {
    TJPEGImage jpeg;
    std::istringstream in("BM not a jpeg at all");
    try {
        jpeg.LoadFromStream(in);
        FAIL() << "loaded";
    } catch (const EInvalidGraphic& error) {
        EXPECT_THAT(error.what(), HasSubstr("Invalid JPEG"));
    }
    EXPECT_TRUE(jpeg.Empty());
    EXPECT_THROW(jpeg.LoadFromMemory({}), EInvalidGraphic);
}

TEST(JPEGImageTest, TruncatedDataLoadsItsHeaderButDecodesWithoutCrashing) {
    TJPEGImage jpeg;
    jpeg.Assign(Gradient(64, 64));
    const auto data = jpeg.Data();
    TJPEGImage cut;
    cut.LoadFromMemory(data.first(data.size() / 2));
    EXPECT_EQ(cut.Width(), 64);
    EXPECT_EQ(cut.ToBitmap().Width(), 64);
}

// Same bytes as the reference encoder with the settings the program promises.
TEST(JPEGImageTest, MatchesTheReferenceEncoderByteForByte) {
    const auto folder = std::filesystem::path(KORVENT_BINARY_DIR) / "jpeg-reference-test";
    std::filesystem::create_directories(folder);
    const TBitmap bitmap = Gradient(333, 217);
    bitmap.SaveToFile(folder / "in.bmp");
    const auto result = korvent::testing::RunProgram(
        {"cjpeg", "-quality", "75", "-dct", "float", "-baseline", "-outfile",
         (folder / "ref.jpg").string(), (folder / "in.bmp").string()});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    std::ifstream in(folder / "ref.jpg", std::ios::binary);
    const std::vector<std::uint8_t> reference{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
    TJPEGImage jpeg;
    jpeg.Assign(bitmap);
    jpeg.SetCompressionQuality(75);
    const auto data = jpeg.Data();
    EXPECT_TRUE(std::ranges::equal(data, reference));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace korvent::graphics
