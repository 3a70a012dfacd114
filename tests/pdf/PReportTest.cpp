#include "pdf/PReport.h"

#include "ImagePagePdf.h"
#include "PdfCheck.h"
#include "graphics/Bitmap.h"
#include "graphics/JPEGImage.h"
#include "pdf/PRGridPanel.h"
#include "pdf/PRJpegImage.h"
#include "pdf/PRLayoutPanel.h"
#include "pdf/PROutlineRoot.h"
#include "pdf/PRPage.h"
#include "pdf/PdfInvalidOperation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

namespace korvent::pdf {
namespace {

using graphics::TBitmap;
using graphics::TJPEGImage;
using graphics::TPixelFormat;
using korvent::testing::ExpectedImagePagePdf;
using korvent::testing::ExpectValidPdf;
using korvent::testing::ReadFile;
using korvent::testing::TestFolder;
using korvent::testing::Undated;
using ::testing::HasSubstr;

TJPEGImage MakeJpeg(int width, int height, int quality = 75) {
    TBitmap bitmap(width, height, TPixelFormat::Bit24);
    for (int y = 0; y < height; ++y) {
        auto row = bitmap.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(x * 255 / width);
            row[3 * x + 1] = static_cast<std::uint8_t>(y * 255 / height);
            row[3 * x + 2] = static_cast<std::uint8_t>(((x / 40 + y / 40) % 2) * 200);
        }
    }
    TJPEGImage jpeg;
    jpeg.Assign(bitmap);
    jpeg.SetCompressionQuality(quality);
    jpeg.Compress();
    return jpeg;
}

// The page the main window lays out: page, layout panel filling the margins, one JPEG item.
struct ImagePage {
    TPRPage page{"PRPage1"};
    TPRLayoutPanel panel{"PRLayoutPanel1"};
    TPRJpegImage item{"PRJpegImage1"};

    ImagePage(int width, int height, int margin) {
        page.SetWidth(width);
        page.SetHeight(height);
        page.SetMarginTop(margin);
        page.SetMarginLeft(margin);
        page.SetMarginRight(margin);
        page.SetMarginBottom(margin);
        panel.SetParent(&page);
        panel.SetAlign(TAlign::alClient);
        item.SetParent(&panel);
        item.SetSharedImage(true);
        item.SetStretch(true);
    }
};

TEST(PReportTest, ImagePageIsWrittenByteForByte) {
    const auto folder = TestFolder("image-page");
    const TJPEGImage jpeg = MakeJpeg(1078, 500);
    ImagePage layout(595, 841, 28);
    layout.item.SetPicture(&jpeg);
    layout.item.SetBounds(0, 267, 539, 250);
    ASSERT_EQ(layout.panel.BoundsRect(), (TRect{28, 28, 567, 813}));

    TPReport report;
    report.SetFileName((folder / "image.pdf").string());
    report.BeginDocument();
    report.PrintPage(layout.page);
    report.EndDocument();
    EXPECT_FALSE(report.HasDocument());

    const std::string file = ReadFile(folder / "image.pdf");
    const std::string dated = Undated(file);
    ASSERT_EQ(dated.size(), file.size() - 2 * 14 + 2);
    const auto data = jpeg.Data();
    EXPECT_EQ(dated, ExpectedImagePagePdf({.pageWidth = 595,
                                           .pageHeight = 841,
                                           .placement = "539 0 0 250 28 296 cm",
                                           .jpeg = std::string(data.begin(), data.end()),
                                           .imageWidth = 1078,
                                           .imageHeight = 500}));
    EXPECT_EQ(file.find("1 0 obj"), 11u);
    ExpectValidPdf(folder / "image.pdf");
}

TEST(PReportTest, SharedImageIsOneObjectForTwoPages) {
    const auto folder = TestFolder("two-pages");
    const TJPEGImage jpeg = MakeJpeg(64, 48);
    ImagePage layout(400, 300, 20);
    layout.item.SetPicture(&jpeg);
    TPReport report;
    report.SetFileName((folder / "two.pdf").string());
    report.BeginDocument();
    report.PrintPage(layout.page);
    report.PrintPage(layout.page);
    EXPECT_EQ(report.PageCount(), 2);
    report.EndDocument();
    const std::string file = ReadFile(folder / "two.pdf");
    EXPECT_EQ(file.find("/Subtype /Image"), file.rfind("/Subtype /Image"));
    EXPECT_THAT(file, HasSubstr("/Count 2"));
    ExpectValidPdf(folder / "two.pdf");
}

TEST(PReportTest, UnsharedImagesGetTheirOwnNames) {
    const auto folder = TestFolder("unshared");
    const TJPEGImage jpeg = MakeJpeg(32, 32);
    ImagePage layout(300, 300, 10);
    layout.item.SetPicture(&jpeg);
    layout.item.SetSharedImage(false);
    TPReport report;
    report.SetFileName((folder / "unshared.pdf").string());
    report.BeginDocument();
    report.PrintPage(layout.page);
    report.PrintPage(layout.page);
    report.EndDocument();
    const std::string file = ReadFile(folder / "unshared.pdf");
    std::smatch names;
    const std::regex name(R"(/Name /PRJpegImage1(\d+))");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(file.begin(), file.end(), name);
         it != std::sregex_iterator(); ++it) {
        found.push_back((*it)[1]);
    }
    ASSERT_EQ(found.size(), 2u);
    EXPECT_NE(found[0], found[1]);
    ExpectValidPdf(folder / "unshared.pdf");
}

TEST(PReportTest, ItemGeometryFlipsToPdfCoordinates) {
    const auto folder = TestFolder("geometry");
    TBitmap bitmap(20, 10, TPixelFormat::Bit24);
    TPRPage page;
    TPRLayoutPanel panel;
    panel.SetParent(&page);
    panel.SetAlign(TAlign::alClient);
    TPRImage stretched("Stretched");
    stretched.SetParent(&panel);
    stretched.SetPicture(&bitmap);
    stretched.SetBounds(10, 20, 200, 100);
    TPRImage clipped("Clipped");
    clipped.SetParent(&panel);
    clipped.SetPicture(&bitmap);
    clipped.SetStretch(false);
    clipped.SetBounds(0, 0, 15, 5);
    TPRImage hidden("Hidden");
    hidden.SetParent(&panel);
    hidden.SetPicture(&bitmap);
    hidden.SetPrintable(false);

    TPReport report;
    report.SetFileName((folder / "geometry.pdf").string());
    report.BeginDocument();
    report.PrintPage(page);
    report.EndDocument();
    const std::string file = ReadFile(folder / "geometry.pdf");
    EXPECT_THAT(file, HasSubstr("/MediaBox [0 0 596 842 ]"));
    EXPECT_THAT(file, HasSubstr("q\n200 0 0 100 42 690 cm\n/Stretched Do\nQ\n"));
    EXPECT_THAT(file, HasSubstr("q\n32 805 15 5 re\nW\nn\n20 0 0 10 32 800 cm\n/Clipped Do\nQ\n"));
    EXPECT_EQ(file.find("Hidden"), std::string::npos);
    ExpectValidPdf(folder / "geometry.pdf");
}

TEST(PReportTest, GridPanelRepeatsItsCell) {
    const auto folder = TestFolder("grid");
    TBitmap bitmap(4, 4, TPixelFormat::Bit8);
    TPRPage page;
    TPRGridPanel grid;
    grid.SetParent(&page);
    grid.SetBounds(32, 32, 200, 100);
    grid.SetColCount(2);
    grid.SetRowCount(2);
    EXPECT_EQ(grid.CellPanel().Width(), 100);
    EXPECT_EQ(grid.CellPanel().Height(), 50);
    TPRImage cellImage("Cell");
    cellImage.SetParent(&grid);
    EXPECT_EQ(cellImage.Parent(), &grid.CellPanel());
    cellImage.SetPicture(&bitmap);
    cellImage.SetBounds(0, 0, 10, 10);
    std::vector<std::pair<int, int>> order;
    grid.BeforePrintChild = [&](TPRGridPanel&, TPRCanvas&, int col, int row, const TRect&) {
        order.emplace_back(col, row);
    };
    grid.SetPrintDirection(TPrintDirection::pdVert);
    TPReport report;
    report.SetFileName((folder / "grid.pdf").string());
    report.BeginDocument();
    report.PrintPage(page);
    report.EndDocument();
    EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
    const std::string file = ReadFile(folder / "grid.pdf");
    EXPECT_THAT(file, HasSubstr("10 0 0 10 132 750 cm"));
    EXPECT_THROW(grid.SetColCount(0), korvent::Exception);
    try {
        grid.SetRowCount(11);
        FAIL();
    } catch (const korvent::Exception& error) {
        EXPECT_STREQ(error.what(), "invalid rowcount");
    }
    ExpectValidPdf(folder / "grid.pdf");
}

TEST(PReportTest, PlacementRules) {
    TPRPage page;
    TPRLayoutPanel panel;
    TPRJpegImage item;
    TPRGridPanel grid;
    try {
        panel.SetParent(&item);
        FAIL();
    } catch (const korvent::Exception& error) {
        EXPECT_STREQ(error.what(), "TPRPage can not set on TPRJpegImage");
    }
    try {
        item.SetParent(&page);
        FAIL();
    } catch (const korvent::Exception& error) {
        EXPECT_STREQ(error.what(), "this component must set on TPRPanel");
    }
    panel.SetParent(&grid);
    EXPECT_EQ(panel.Parent(), &grid.CellPanel());
    EXPECT_EQ(item.Parent(), nullptr);
}

TEST(PReportTest, PictureKindIsChecked) {
    TPRJpegImage jpegItem;
    TPRImage bitmapItem;
    const TBitmap bitmap(2, 2);
    const TJPEGImage jpeg = MakeJpeg(8, 8);
    try {
        jpegItem.SetPicture(&bitmap);
        FAIL();
    } catch (const korvent::Exception& error) {
        EXPECT_STREQ(error.what(), "only jpeg image is allowed.");
    }
    try {
        bitmapItem.SetPicture(&jpeg);
        FAIL();
    } catch (const korvent::Exception& error) {
        EXPECT_STREQ(error.what(), "only bitmap image is allowed.");
    }
    const TBitmap empty;
    jpegItem.SetPicture(&empty);
    EXPECT_EQ(jpegItem.Picture(), nullptr);
    // A JPEG picture made from a bitmap without pixels counts as empty too.
    TJPEGImage fromEmpty;
    fromEmpty.Assign(empty);
    jpegItem.SetPicture(&fromEmpty);
    EXPECT_EQ(jpegItem.Picture(), nullptr);
}

TEST(PReportTest, MarginRules) {
    TPRPage page;
    page.SetMarginLeft(300);  // not below 596 / 2
    EXPECT_EQ(page.MarginLeft(), 32);
    page.SetMarginTop(297);
    EXPECT_EQ(page.MarginTop(), 297);
    page.SetMarginBottom(-1);
    EXPECT_EQ(page.MarginBottom(), 32);
    TPRLayoutPanel panel;
    panel.SetParent(&page);
    panel.SetAlign(TAlign::alClient);
    page.SetMarginRight(10);
    EXPECT_EQ(panel.BoundsRect(), (TRect{32, 297, 586, 810}));
}

struct SetterCase {
    const char* message;
    std::function<void(TPReport&)> set;
};

class PReportSetterTest : public ::testing::TestWithParam<SetterCase> {};

TEST_P(PReportSetterTest, RefusedWhileADocumentIsOpen) {
    TPReport report;
    GetParam().set(report);  // allowed while closed
    report.BeginDocument();
    try {
        GetParam().set(report);
        FAIL() << "accepted";
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
    EXPECT_TRUE(report.HasDocument());
    report.SetFileName("other.pdf");  // always allowed
    report.AbortDocument();
}

INSTANTIATE_TEST_SUITE_P(
    Setters, PReportSetterTest,
    ::testing::Values(
        SetterCase{"SetAuthor --invalid operation.", [](TPReport& r) { r.SetAuthor("a"); }},
        SetterCase{"SetCreationDate --invalid operation.",
                   [](TPReport& r) { r.SetCreationDate({}); }},
        SetterCase{"SetCreator --invalid operation.", [](TPReport& r) { r.SetCreator("c"); }},
        SetterCase{"SetKeyWords --invalid operation.", [](TPReport& r) { r.SetKeywords("k"); }},
        SetterCase{"SetModDate --invalid operation.", [](TPReport& r) { r.SetModDate({}); }},
        SetterCase{"SetSubject --invalid operation.", [](TPReport& r) { r.SetSubject("s"); }},
        SetterCase{"SetTitle --invalid operation.", [](TPReport& r) { r.SetTitle("t"); }},
        SetterCase{"SetPageLayout --invalid operation.",
                   [](TPReport& r) { r.SetPageLayout(TPdfPageLayout::plOneColumn); }},
        SetterCase{"SetPageMode --invalid operation.",
                   [](TPReport& r) { r.SetPageMode(TPdfPageMode::pmUseThumbs); }},
        SetterCase{"SetNonFullScreenPageMode --invalid operation.",
                   [](TPReport& r) { r.SetNonFullScreenPageMode(TPdfPageMode::pmUseOutlines); }},
        SetterCase{"SetUseOutlines --invalid operation.",
                   [](TPReport& r) { r.SetUseOutlines(true); }},
        SetterCase{"SetViewerPreference --invalid operation.",
                   [](TPReport& r) { r.SetViewerPreference(vpFitWindow); }}));

TEST(PReportTest, OperationsWithoutADocument) {
    TPReport report;
    TPRPage page;
    try {
        report.EndDocument();
        FAIL();
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "document is null..");
    }
    try {
        report.PrintPage(page);
        FAIL();
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "PrintPage --document is null..");
    }
}

// A file that cannot be written leaves the old file whole and the document open.
TEST(PReportTest, FailedEndDocumentKeepsTheOldFileAndTheDocument) {
    const auto folder = TestFolder("atomic");
    const auto target = folder / "out.pdf";
    korvent::testing::WriteFile(target, "old contents");
    TPRPage page;
    TPReport report;
    report.SetFileName((folder / "missing-folder" / "out.pdf").string());
    report.BeginDocument();
    report.PrintPage(page);
    try {
        report.EndDocument();
        FAIL();
    } catch (const korvent::Exception& error) {
        EXPECT_THAT(error.what(), HasSubstr("missing-folder"));
    }
    EXPECT_TRUE(report.HasDocument());
    report.SetFileName(target.string());
    report.EndDocument();
    EXPECT_THAT(ReadFile(target), ::testing::StartsWith("%PDF-1.2"));
    // No temporary file is left beside the target.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
    ExpectValidPdf(target);
}

TEST(PReportTest, CatalogAndInfoSettingsReachTheFile) {
    const auto folder = TestFolder("settings");
    TPRPage page;
    TPReport report;
    report.SetFileName((folder / "settings.pdf").string());
    report.SetTitle("Report (draft)");
    report.SetAuthor("\x93\xfa\x96\x7b");  // CP932 for "日本"
    report.SetPageMode(TPdfPageMode::pmUseOutlines);
    report.SetPageLayout(TPdfPageLayout::plOneColumn);
    report.SetNonFullScreenPageMode(TPdfPageMode::pmFullScreen);
    EXPECT_EQ(report.NonFullScreenPageMode(), TPdfPageMode::pmUseNone);
    report.SetNonFullScreenPageMode(TPdfPageMode::pmUseThumbs);
    report.SetViewerPreference(vpHideToolbar | vpCenterWindow);
    report.SetUseOutlines(true);
    report.BeginDocument();
    TPROutlineEntry& chapter = report.OutlineRoot()->AddChild();
    chapter.SetTitle("Chapter");
    chapter.AddChild().SetTitle("Section");
    report.PrintPage(page);
    report.EndDocument();
    const std::string file = ReadFile(folder / "settings.pdf");
    EXPECT_THAT(file, HasSubstr("/Title (Report \\(draft\\))"));
    EXPECT_THAT(file, HasSubstr("/Author <FEFF65E5672C>"));
    EXPECT_THAT(file, HasSubstr("/PageMode /UseOutlines\r\n/PageLayout /OneColumn\r\n"));
    EXPECT_THAT(file, HasSubstr("/NonFullScreenPageMode /UseThumbs\r\n/HideToolbar true\r\n"
                                "/CenterWindow true\r\n"));
    EXPECT_THAT(file, HasSubstr("/Type /Outlines"));
    ExpectValidPdf(folder / "settings.pdf");
}

}  // namespace
}  // namespace korvent::pdf
