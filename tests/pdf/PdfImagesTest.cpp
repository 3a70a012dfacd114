#include "pdf/PdfBitmapImage.h"

#include "PdfCheck.h"
#include "PdfEmit.h"
#include "graphics/Bitmap.h"
#include "graphics/JPEGImage.h"
#include "pdf/PdfArray.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfClassNotFound.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfImage.h"
#include "pdf/PdfImageRegistry.h"
#include "pdf/PdfInvalidImageFormat.h"
#include "pdf/PdfInvalidValue.h"
#include "pdf/PdfJpegImage.h"
#include "pdf/PdfNumber.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace korvent::pdf {
namespace {

using graphics::TBitmap;
using graphics::TJPEGImage;
using graphics::TPixelFormat;
using graphics::TRgb;
using ::testing::HasSubstr;
using namespace std::string_literals;
using korvent::testing::Body;

TEST(PdfImagesTest, JpegDataGoesInUnchanged) {
    TBitmap bitmap(640, 480, TPixelFormat::Bit24);
    bitmap.SetPixelColor(5, 5, {200, 10, 10});
    TJPEGImage jpeg;
    jpeg.Assign(bitmap);
    const auto image = CreateImageObject(jpeg, "Pdf-Jpeg");
    const auto data = jpeg.Data();
    EXPECT_EQ(image->Data(), std::string(data.begin(), data.end()));
    EXPECT_EQ(static_cast<unsigned char>(image->Data()[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(image->Data()[1]), 0xD8);
    const std::string body = Body(*image);
    EXPECT_THAT(body, ::testing::StartsWith(
                          "<<\r\n/Length " + std::to_string(data.size()) +
                          "\r\n/Filter [/DCTDecode ]\r\n/Type /XObject\r\n/Subtype /Image\r\n"
                          "/ColorSpace /DeviceRGB\r\n/Width 640\r\n/Height 480\r\n"
                          "/BitsPerComponent 8\r\n>>\r\nstream\r\n"));
}

TEST(PdfImagesTest, JpegCreatorRefusesOtherPictures) {
    TBitmap bitmap(2, 2);
    try {
        CreateImageObject(bitmap, "Pdf-Jpeg");
        FAIL();
    } catch (const EPdfInvalidValue& error) {
        EXPECT_STREQ(error.what(), "only jpeg image is allowed.");
    }
    TJPEGImage empty;
    EXPECT_THROW(CreateImageObject(empty, "Pdf-Jpeg"), EPdfInvalidImageFormat);
    EXPECT_THROW(CreateImageObject(bitmap, "Pdf-Png"), EPdfClassNotFound);
}

TEST(PdfImagesTest, OneBitBecomesIndexedWithAFullPalette) {
    TBitmap bitmap(3, 2, TPixelFormat::Bit1);
    bitmap.SetPalette({{0, 0, 0}, {255, 128, 1}});
    bitmap.SetPixelColor(1, 0, {255, 128, 1});
    const auto image = CreateImageObject(bitmap, "Pdf-Bitmap");
    EXPECT_EQ(image->Data(), std::string("\0\1\0\0\0\0", 6));
    const std::string colorSpace = Body(*image->Attributes().ArrayValueOf("ColorSpace"));
    EXPECT_THAT(colorSpace,
                ::testing::StartsWith("[/Indexed /DeviceRGB 255 <000000 FF8001 000000 "));
    EXPECT_THAT(colorSpace, ::testing::EndsWith("000000 > ]"));
    EXPECT_EQ(colorSpace.size(), std::string("[/Indexed /DeviceRGB 255 <> ]").size() + 256 * 7);
    EXPECT_EQ(image->Attributes().Keys(),
              (std::vector<std::string>{"Length", "Filter", "Type", "Subtype", "ColorSpace",
                                        "Width", "Height", "BitsPerComponent"}));
}

class PdfBitmapDepthTest : public ::testing::TestWithParam<TPixelFormat> {};

// Colour depths become three bytes per pixel, red first, no padding and no alpha.
TEST_P(PdfBitmapDepthTest, WrittenAsRgbRows) {
    TBitmap bitmap(3, 2, GetParam());
    bitmap.SetPixelColor(0, 0, {255, 0, 0});
    bitmap.SetPixelColor(2, 1, {0, 0, 255});
    const auto image = CreateImageObject(bitmap, "Pdf-Bitmap");
    ASSERT_EQ(image->Data().size(), 18u);
    EXPECT_EQ(image->Data().substr(0, 3), "\xFF\0\0"s);
    EXPECT_EQ(image->Data().substr(15, 3), "\0\0\xFF"s);
    EXPECT_EQ(image->Attributes().NameValueOf("ColorSpace")->Value(), "DeviceRGB");
}

INSTANTIATE_TEST_SUITE_P(Depths, PdfBitmapDepthTest,
                         ::testing::Values(TPixelFormat::Bit16, TPixelFormat::Bit24,
                                           TPixelFormat::Bit32));

TEST(PdfImagesTest, IndexedColourSpaceNeedsAnEightBitPalette) {
    TBitmap colour(1, 1, TPixelFormat::Bit24);
    try {
        TPdfBitmapImage::CreateIndexedColorSpace(colour);
        FAIL();
    } catch (const EPdfInvalidImageFormat& error) {
        EXPECT_STREQ(error.what(), "only 8 bit color image is allowed.");
    }
    TBitmap noPalette(1, 1, TPixelFormat::Bit8);
    noPalette.SetPalette({});
    try {
        CreateImageObject(noPalette, "Pdf-Bitmap");
        FAIL();
    } catch (const EPdfInvalidImageFormat& error) {
        EXPECT_STREQ(error.what(), "failed to get Palette..");
    }
}

// Pages with a bitmap image of each depth pass the checks and render.
TEST(PdfImagesTest, BitmapImagesRender) {
    TPdfDoc doc;
    doc.StartDocument();
    doc.AddPage();
    int n = 0;
    for (TPixelFormat format : {TPixelFormat::Bit1, TPixelFormat::Bit4, TPixelFormat::Bit8,
                                TPixelFormat::Bit16, TPixelFormat::Bit24, TPixelFormat::Bit32}) {
        TBitmap bitmap(17, 9, TPixelFormat::Bit24);
        for (int x = 0; x < 17; ++x) {
            bitmap.SetPixelColor(x, x % 9, {static_cast<std::uint8_t>(x * 15), 0, 255});
        }
        bitmap.SetPixelFormat(format);
        const std::string name = "Image" + std::to_string(n);
        doc.AddImage(name, CreateImageObject(bitmap, "Pdf-Bitmap"));
        doc.Canvas().DrawXObject(20 + 90 * n, 400, 85, 45, name);
        ++n;
    }
    korvent::testing::ExpectValidPdfBytes("bitmap-depths", korvent::testing::Save(doc));
}

}  // namespace
}  // namespace korvent::pdf
