#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <stdexcept>

#include "FormFixture.h"
#include "TestPaths.h"
#include "app/ImagePage.h"
#include "graphics/Bitmap.h"
#include "pdf/ImagePagePdf.h"
#include "pdf/PdfCheck.h"
#include "plugins/ImageEncoders.h"

namespace korvent::app {
namespace {

using graphics::TBitmap;
using graphics::TJPEGImage;
using graphics::TRect;

// Four blocks of colour that any of the formats keeps recognisable: red, green, blue and, at
// the bottom right, black that is see-through where `hole` is asked for.
test::TTestImage Quadrants(int width, int height, bool hole) {
    test::TTestImage image{width, height, {}};
    image.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            test::TRgba& p = image.At(x, y);
            p = !bottom ? (right ? test::TRgba{0, 255, 0} : test::TRgba{255, 0, 0})
                        : (right ? test::TRgba{0, 0, 0, hole ? std::uint8_t{0} : std::uint8_t{255}}
                                 : test::TRgba{0, 0, 255});
        }
    }
    return image;
}

TBitmap ToBitmap(const test::TTestImage& image) {
    TBitmap bitmap(image.width, image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const test::TRgba& p = image.At(x, y);
            bitmap.SetPixelColor(x, y, {p.r, p.g, p.b});
        }
    }
    return bitmap;
}

class ImagePageTest : public FormFixture {
protected:
    ImagePageTest() { pluginFolderTemplate.app = std::string(KORVENT_PLUGIN_DIR) + "/"; }

    std::string WritePicture(const std::string& name, const test::TBytes& bytes) {
        const std::string path = (temp / name).string();
        test::WriteFileBytes(path, bytes);
        return path;
    }
    std::string WriteBmp(const std::string& name, const TBitmap& bitmap) {
        const std::string path = (temp / name).string();
        bitmap.SaveToFile(path);
        return path;
    }
    std::string WriteBmp(int width, int height) {
        return WriteBmp("picture.bmp", ToBitmap(Quadrants(width, height, false)));
    }

    // Converts `path` as the run's current entry.
    void Convert(const std::string& path) {
        form->FFilePaths.push_back(path);
        form->Run.FStartedCount = static_cast<int>(form->FFilePaths.size());
        form->Run.FRunning = true;
        form->ConvertGraphicFileToPDF();
    }

    const TImagePage& Page() const { return form->ImagePage(); }
    std::string Pdf(const std::string& name) const { return (desktop / name).string(); }
};

TEST_F(ImagePageTest, WorkedExampleIsWrittenByteForByte) {
    Create();
    FormModel& m = M();
    // A4 portrait with 10 mm margins, picture fitted and centred, chosen through the handlers.
    m.RadioGroupGrPaperSize.ItemIndex = 0;
    form->RadioGroupGrPaperSizeClick();
    m.CmbPaperSize.ItemIndex = 1;
    form->CmbPaperSizeChange();
    m.RGPaperDirection.ItemIndex = 0;
    form->RGPaperDirectionClick();
    for (auto [field, changed] : {std::pair{&m.MarginTop, &TMainForm::MarginTopChange},
                                  {&m.MarginBottom, &TMainForm::MarginBottomChange},
                                  {&m.MarginLeft, &TMainForm::MarginLeftChange},
                                  {&m.MarginRight, &TMainForm::MarginRightChange}}) {
        field->Value = 10;
        ((*form).*changed)();
    }
    const TBitmap bitmap = ToBitmap(Quadrants(1078, 500, false));
    Convert(WriteBmp("worked.bmp", bitmap));

    // The picture is compressed at the page's quality, 75.
    TJPEGImage reference;
    reference.Assign(bitmap);
    reference.SetCompressionQuality(75);
    const auto data = reference.Data();
    const std::string pdf = Pdf("worked.pdf");
    EXPECT_EQ(testing::Undated(testing::ReadFile(pdf)),
              testing::ExpectedImagePagePdf({.pageWidth = 595,
                                             .pageHeight = 841,
                                             .placement = "539 0 0 250 28 296 cm",
                                             .jpeg = std::string(data.begin(), data.end()),
                                             .imageWidth = 1078,
                                             .imageHeight = 500}));
    EXPECT_EQ(form->Run.FMergeFiles, std::vector<std::string>{pdf});
    EXPECT_EQ(form->Run.FProducedFiles, std::vector<std::string>{pdf});
    EXPECT_TRUE(messages.Calls().empty());
    testing::ExpectValidPdf(pdf);
}

struct GeometryCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> stored;  // Image settings before the show
    std::function<void(TMainForm&, FormModel&)> change;       // through the page's handlers
    int pictureWidth;
    int pictureHeight;
    int pageWidth;
    int pageHeight;
    int marginTop;
    TRect item;  // left, top, right, bottom in the content box
};

void PrintTo(const GeometryCase& c, std::ostream* out) {
    *out << c.name;
}

class ImageGeometryTest : public ImagePageTest,
                          public ::testing::WithParamInterface<GeometryCase> {};

TEST_P(ImageGeometryTest, PageAndPlacement) {
    const GeometryCase& c = GetParam();
    for (const auto& [ident, value] : c.stored) {
        profiles.WriteString(kIni, "Image", ident, value);
    }
    Create();
    if (c.change) {
        c.change(*form, M());
    }
    Convert(WriteBmp(c.pictureWidth, c.pictureHeight));
    ASSERT_TRUE(std::filesystem::exists(Pdf("picture.pdf")));
    EXPECT_EQ(Page().PRPage1.Width(), c.pageWidth);
    EXPECT_EQ(Page().PRPage1.Height(), c.pageHeight);
    EXPECT_EQ(Page().PRPage1.MarginTop(), c.marginTop);
    EXPECT_EQ(Page().PRJpegImage1.BoundsRect(), c.item);
}

void Select(TMainForm& form, Control& control, int index, void (TMainForm::*clicked)()) {
    control.ItemIndex = index;
    (form.*clicked)();
}
void Enter(TMainForm& form, Control& control, int value, void (TMainForm::*changed)()) {
    control.Value = value;
    (form.*changed)();
}
void Tick(TMainForm& form, Control& control, bool checked, void (TMainForm::*clicked)()) {
    control.Checked = checked;
    (form.*clicked)();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImageGeometryTest,
    ::testing::Values(
        GeometryCase{"LandscapeB5",
                     {},
                     [](TMainForm& f, FormModel& m) {
                         Select(f, m.CmbPaperSize, 3, &TMainForm::CmbPaperSizeChange);
                         Select(f, m.RGPaperDirection, 1, &TMainForm::RGPaperDirectionClick);
                     },
                     1078,
                     500,
                     728,
                     515,
                     28,
                     {0, 74, 672, 385}},
        GeometryCase{"UserPaperIgnoresTheOrientation",
                     {{"Paper", "1"}, {"Direction", "1"}},
                     [](TMainForm& f, FormModel& m) {
                         Select(f, m.RadioGroupGrPaperSize, 1,
                                &TMainForm::RadioGroupGrPaperSizeClick);
                         Enter(f, m.EdtPaperWidth, 100, &TMainForm::EdtPaperWidthChange);
                         Enter(f, m.EdtPaperHeight, 50, &TMainForm::EdtPaperHeightChange);
                     },
                     1078,
                     500,
                     283,
                     141,
                     28,
                     {22, 0, 205, 85}},
        GeometryCase{"PaperFollowsThePicture",
                     {},
                     [](TMainForm& f, FormModel& m) {
                         Select(f, m.RadioGroupGrPaperSize, 2,
                                &TMainForm::RadioGroupGrPaperSizeClick);
                     },
                     640,
                     480,
                     696,
                     536,
                     28,
                     {0, 0, 640, 480}},
        GeometryCase{"PaperFollowsAGivenWidthAndTheItemFallsBackToTheFit",
                     {{"PaperSize", "2"}, {"ImageSize", "1"}, {"UserImageWidth", "50"}},
                     nullptr,
                     640,
                     480,
                     197,
                     163,
                     28,
                     {0, 1, 141, 106}},
        GeometryCase{"WidthGivenInMillimetres",
                     {},
                     [](TMainForm& f, FormModel& m) {
                         Select(f, m.RGImageSize, 1, &TMainForm::RGImageSizeClick);
                         Enter(f, m.EdtImageWidth, 50, &TMainForm::EdtImageWidthChange);
                     },
                     1078,
                     500,
                     595,
                     841,
                     28,
                     {199, 360, 340, 425}},
        GeometryCase{"WidthLargerThanTheBoxFallsBackToTheFit",
                     {{"Paper", "1"}, {"ImageSize", "1"}, {"UserImageWidth", "300"}},
                     nullptr,
                     1078,
                     500,
                     595,
                     841,
                     28,
                     {0, 267, 539, 517}},
        GeometryCase{"HeightLargerThanTheBoxFallsBackToTheFit",
                     {{"Paper", "1"}, {"ImageSize", "2"}, {"UserImageHeight", "300"}},
                     nullptr,
                     1078,
                     500,
                     595,
                     841,
                     28,
                     {0, 267, 539, 517}},
        GeometryCase{"AspectOffStretchesToTheBox",
                     {},
                     [](TMainForm& f, FormModel& m) {
                         Tick(f, m.ChkBoxGraphicPropotion, false,
                              &TMainForm::ChkBoxGraphicPropotionClick);
                     },
                     1078,
                     500,
                     595,
                     841,
                     28,
                     {0, 0, 539, 785}},
        GeometryCase{"CentreOffTouchesTheTopMarginButStaysCentredAcross",
                     {},
                     [](TMainForm& f, FormModel& m) {
                         Tick(f, m.ChkBoxGraphicCenter, false,
                              &TMainForm::ChkBoxGraphicCenterClick);
                     },
                     500,
                     1078,
                     595,
                     841,
                     28,
                     {87, 0, 451, 785}},
        GeometryCase{"ShowTimeMarginOf23mmKeepsTheFormMargin",
                     {{"Paper", "1"}, {"MargineTop", "23"}},
                     nullptr,
                     1078,
                     500,
                     595,
                     841,
                     32,
                     {0, 265, 539, 515}},
        GeometryCase{"MarginFieldChangedAfterTheShowTakesEffect",
                     {{"Paper", "1"}, {"MargineTop", "23"}},
                     [](TMainForm& f, FormModel& m) {
                         Enter(f, m.MarginTop, 24, &TMainForm::MarginTopChange);
                     },
                     1078,
                     500,
                     595,
                     841,
                     68,
                     {0, 247, 539, 497}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImagePageTest, PaperModesSetTheCaptionAndTheCheckBoxes) {
    Create();
    FormModel& m = M();
    Tick(*form, m.ChkBoxGraphicCenter, false, &TMainForm::ChkBoxGraphicCenterClick);
    Select(*form, m.RadioGroupGrPaperSize, 2, &TMainForm::RadioGroupGrPaperSizeClick);
    EXPECT_EQ(m.RGImageSize.Items[0], "原寸");
    EXPECT_TRUE(m.ChkBoxGraphicCenter.Checked);
    EXPECT_FALSE(m.ChkBoxGraphicCenter.Enabled);
    EXPECT_FALSE(m.ChkBoxGraphicPropotion.Enabled);
    EXPECT_NE(Ini().find("Center=1"), std::string::npos);
    EXPECT_NE(Ini().find("PaperSize=2"), std::string::npos);
    Select(*form, m.RadioGroupGrPaperSize, 1, &TMainForm::RadioGroupGrPaperSizeClick);
    EXPECT_EQ(m.RGImageSize.Items[0], "用紙に合わせる");
    EXPECT_TRUE(m.ChkBoxGraphicCenter.Enabled);
    EXPECT_TRUE(m.ChkBoxGraphicPropotion.Enabled);
}

TEST(MillimetresToPoints, RoundsDownAndRefusesOverflow) {
    for (auto [mm, points] : {std::pair{-1, -3},
                              {0, 0},
                              {1, 2},
                              {2, 5},
                              {5, 14},
                              {10, 28},
                              {20, 56},
                              {100, 283},
                              {127, 360},
                              {297, 841},
                              {9999, 28343}}) {
        EXPECT_EQ(TMainForm::mmTopoint(mm), points) << mm;
    }
    EXPECT_THROW(TMainForm::mmTopoint(30'000'000), std::overflow_error);
}

struct FormatCase {
    const char* name;
    const char* file;
    std::function<test::TBytes()> encode;
    test::TTestImage expected;  // as it should stand on the page
};

void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.name;
}

class ImageFormatTest : public ImagePageTest, public ::testing::WithParamInterface<FormatCase> {};

// Each shipped plug-in's format, and bitmaps, through a whole conversion; the JPEG on the
// page shows the picture upright with transparency over white.
TEST_P(ImageFormatTest, ConvertsToAValidPdf) {
    const FormatCase& c = GetParam();
    Create();
    Convert(WritePicture(c.file, c.encode()));
    ASSERT_TRUE(messages.Calls().empty()) << messages.Calls()[0].text;
    const std::string pdf =
        Pdf(std::filesystem::path(c.file).replace_extension(".pdf").filename().string());
    ASSERT_EQ(form->Run.FProducedFiles, std::vector<std::string>{pdf});
    testing::ExpectValidPdf(pdf);

    const TJPEGImage& jpeg = Page().FJpeg;
    ASSERT_EQ(jpeg.Width(), c.expected.width);
    ASSERT_EQ(jpeg.Height(), c.expected.height);
    const TBitmap page = jpeg.ToBitmap();
    for (auto [fx, fy] : {std::pair{1, 1}, {3, 1}, {1, 3}, {3, 3}}) {
        const int x = c.expected.width * fx / 4;
        const int y = c.expected.height * fy / 4;
        const test::TRgba want = c.expected.At(x, y);
        const graphics::TRgb got = page.PixelColor(x, y);
        EXPECT_NEAR(got.red, want.r, 40) << x << "," << y;
        EXPECT_NEAR(got.green, want.g, 40) << x << "," << y;
        EXPECT_NEAR(got.blue, want.b, 40) << x << "," << y;
    }
}

const test::TTestImage kOpaque = Quadrants(64, 48, false);
const test::TTestImage kHole = Quadrants(64, 48, true);

INSTANTIATE_TEST_SUITE_P(
    Formats, ImageFormatTest,
    ::testing::Values(
        FormatCase{"PngWithTransparency", "alpha.png",
                   [] { return test::EncodePng(kHole, test::TPngKind::Rgba); },
                   test::OnWhite(kHole)},
        FormatCase{"JpegTurnedUpright", "photo.jpg",
                   [] { return test::EncodeJpeg(kOpaque, 95, test::ExifWithOrientation(6)); },
                   test::Oriented(kOpaque, 6)},
        FormatCase{"Gif", "anim.gif", [] { return test::EncodeGif(kHole, {.transparent = 0}); },
                   test::OnWhite(kHole)},
        FormatCase{"Tiff", "scan.tif",
                   [] { return test::EncodeTiff(kOpaque, test::TTiffKind::Rgb); }, kOpaque},
        FormatCase{"Webp", "web.webp", [] { return test::EncodeWebp(kHole, true); },
                   test::OnWhite(kHole)},
        FormatCase{"Bmp", "plain.BMP",
                   [] {
                       std::ostringstream out;
                       ToBitmap(kOpaque).SaveToStream(out);
                       const std::string bytes = out.str();
                       return test::TBytes(bytes.begin(), bytes.end());
                   },
                   kOpaque}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImagePageTest, UnreadablePictureIsReportedAndTheRunGoesOn) {
    Create();
    const std::string broken = WritePicture("broken.png", test::TBytes(300, 0x5A));
    Convert(broken);
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0].text,
              broken + "はファイルが読み込めません。\n\rファイルを確認してください。");
    EXPECT_EQ(messages.Calls()[0].caption, "KorventＰＤＦ");
    EXPECT_FALSE(std::filesystem::exists(Pdf("broken.pdf")));
    EXPECT_TRUE(form->Run.FMergeFiles.empty());

    Convert(WriteBmp(64, 48));
    EXPECT_EQ(form->Run.FMergeFiles, std::vector<std::string>{Pdf("picture.pdf")});
}

TEST_F(ImagePageTest, UnwritableFolderIsReportedNamingTheFileAndTheRunGoesOn) {
    Create();
    form->OutputDir = (temp / "missing").string();
    Convert(WriteBmp(64, 48));
    const std::string lost = (temp / "missing" / "picture.pdf").string();
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0].text.rfind(lost + "にPDFファイルを書き込めません。", 0), 0u)
        << messages.Calls()[0].text;
    EXPECT_TRUE(form->Run.FProducedFiles.empty());
    EXPECT_FALSE(std::filesystem::exists(temp / "missing"));

    form->OutputDir = desktop.string();
    Convert(WriteBmp(64, 48));
    EXPECT_EQ(form->Run.FProducedFiles, std::vector<std::string>{Pdf("picture.pdf")});
}

// A stop during the conversion is completed by it; a scroll bar at 0 still converts.
TEST_F(ImagePageTest, QualityZeroConvertsAndAStopIsCompleted) {
    Create();
    M().ScrollBar1.Value = 0;
    timer.SetEnabled(true);
    M().LblFName.Text = "picture.bmp";
    form->FFilePaths = {WriteBmp(64, 48)};
    form->Run.FStartedCount = 1;
    form->Run.FRunning = false;
    form->ConvertGraphicFileToPDF();
    EXPECT_TRUE(std::filesystem::exists(Pdf("picture.pdf")));
    EXPECT_EQ(Page().FJpeg.CompressionQuality(), 1);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(M().LblFName.Text, "");
}

// The same-name policy applies to pictures: a second conversion of one name gets "_new".
TEST_F(ImagePageTest, SecondPictureOfTheSameNameGetsItsOwnFile) {
    Create();
    const std::string picture = WriteBmp(64, 48);
    Convert(picture);
    Convert(picture);
    EXPECT_EQ(form->Run.FProducedFiles,
              (std::vector<std::string>{Pdf("picture.pdf"), Pdf("picture_new.pdf")}));
    testing::ExpectValidPdf(Pdf("picture_new.pdf"));
}

}  // namespace
}  // namespace korvent::app
