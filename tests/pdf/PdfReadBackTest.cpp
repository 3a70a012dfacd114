// Files written by the PDF writer, read back by independent readers: what they show must be
// what was written.
#include "PdfCheck.h"
#include "PdfEmit.h"
#include "graphics/Bitmap.h"
#include "graphics/JPEGImage.h"
#include "pdf/PdfArray.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfImage.h"
#include "pdf/PdfImageRegistry.h"
#include "pdf/PdfInfo.h"
#include "pdf/PdfName.h"
#include "pdf/PdfOutlineEntry.h"
#include "pdf/PdfOutlineRoot.h"
#include "pdf/PdfStream.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <sstream>

namespace korvent::pdf {
namespace {

using korvent::testing::MissingReader;
using korvent::testing::ProgramResult;
using korvent::testing::RunProgram;
using korvent::testing::TestFolder;
using ::testing::HasSubstr;

std::filesystem::path Write(TPdfDoc& doc, const std::string& name) {
    const auto path = TestFolder(name) / (name + ".pdf");
    korvent::testing::WriteFile(path, korvent::testing::Save(doc));
    return path;
}

struct TextCase {
    const char* label;
    const char* cp932;
    const char* utf8;
};

class PdfTextReadBackTest : public ::testing::TestWithParam<TextCase> {};

// The document title and an outline title, as poppler and qpdf show them.
TEST_P(PdfTextReadBackTest, TitlesReadAsWritten) {
    if (const std::string missing = MissingReader({"pdfinfo", "qpdf"}); !missing.empty()) {
        GTEST_SKIP() << missing;
    }
    TPdfDoc doc;
    doc.SetUseOutlines(true);
    doc.StartDocument();
    doc.AddPage();
    doc.Info().SetTitle(GetParam().cp932);
    doc.OutlineRoot().AddChild()->SetTitle(GetParam().cp932);
    const auto pdf = Write(doc, std::string("title-") + GetParam().label);

    const ProgramResult info = RunProgram({"pdfinfo", "-enc", "UTF-8", pdf.string()});
    std::istringstream lines(info.output);
    std::string line;
    while (std::getline(lines, line) && !line.starts_with("Title:")) {
    }
    ASSERT_TRUE(line.starts_with("Title:")) << info.output;
    EXPECT_EQ(line.substr(line.find_first_not_of(' ', 6)), GetParam().utf8) << info.output;
    const ProgramResult json = RunProgram({"qpdf", "--json", "--json-key=outlines", pdf.string()});
    EXPECT_THAT(json.output, HasSubstr("\"title\": \"" + std::string(GetParam().utf8) + "\""));
}

INSTANTIATE_TEST_SUITE_P(Cases, PdfTextReadBackTest,
                         ::testing::Values(TextCase{"ascii", "Report (draft)", "Report (draft)"},
                                           TextCase{"kanji", "\x93\xfa\x96\x7b", "日本"},
                                           TextCase{"halfwidth", "\xB6\xC0\xB6\xC5", "ｶﾀｶﾅ"},
                                           TextCase{"mixed", "A\x82\xA0 \xB1", "Aあ ｱ"}),
                         [](const auto& info) { return std::string(info.param.label); });

// Names that are not plain identifiers still paint: the content stream uses the escaped name
// that the resources hold.
TEST(PdfReadBackTest, AnyImageNamePaints) {
    if (const std::string missing = MissingReader({"qpdf", "pdftoppm", "gs"}); !missing.empty()) {
        GTEST_SKIP() << missing;
    }
    TPdfDoc doc;
    doc.StartDocument();
    doc.AddPage();
    const std::array<std::string, 4> names = {"PRJpegImage1", "My Pic(1)", "a/b#<c>[d]{e}%",
                                              "\x89\xe6\x91\x9c"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        graphics::TBitmap bitmap(2, 2, graphics::TPixelFormat::Bit24);
        doc.AddImage(names[i], CreateImageObject(bitmap, "Pdf-Bitmap"));
        doc.Canvas().DrawXObjectEx(20 + 100.0 * i, 400, 80, 80, 0, 0, 595, 842, names[i]);
    }
    EXPECT_THAT(doc.Canvas().Contents()->Data(), HasSubstr("/My#20Pic#281#29 Do\n"));
    const auto pdf = Write(doc, "image-names");
    korvent::testing::ExpectValidPdf(pdf);
    korvent::testing::ExpectGhostscriptReads(pdf);
}

// The colour of a page's centre, rendered by Ghostscript.
std::array<int, 3> CentreColour(const std::filesystem::path& pdf) {
    const auto ppm = pdf.parent_path() / "page.ppm";
    RunProgram({"gs", "-q", "-dNOPAUSE", "-dBATCH", "-sDEVICE=ppmraw", "-r8",
                "-sOutputFile=" + ppm.string(), pdf.string()});
    std::istringstream in(korvent::testing::ReadFile(ppm));
    std::string line;
    std::getline(in, line);  // P6
    while (in.peek() == '#') {
        std::getline(in, line);
    }
    int width = 0, height = 0, maxValue = 0;
    in >> width >> height >> maxValue;
    in.get();
    in.seekg((height / 2 * width + width / 2) * 3, std::ios::cur);
    std::array<int, 3> rgb{-1, -1, -1};
    for (int& component : rgb) {
        component = in.get();
    }
    return rgb;
}

struct JpegCase {
    const char* device;  // Ghostscript's JPEG output device that makes the picture
    const char* colorSpace;
    const char* decode;  // the Decode array, or empty for none
    std::array<int, 3> rgb;
};

class PdfJpegReadBackTest : public ::testing::TestWithParam<JpegCase> {};

// A blue page made into a JPEG of each colour model comes back blue (grey for greyscale), as
// Ghostscript's colour management renders blue in that model.
TEST_P(PdfJpegReadBackTest, ColourSpaceFollowsTheComponents) {
    if (const std::string missing = MissingReader({"gs"}); !missing.empty()) {
        GTEST_SKIP() << missing;
    }
    const auto folder = TestFolder(std::string("jpeg-") + GetParam().device);
    const auto source = folder / "source.jpg";
    RunProgram({"gs", "-q", "-dNOPAUSE", "-dBATCH", std::string("-sDEVICE=") + GetParam().device,
                "-g40x30", "-sOutputFile=" + source.string(), "-c",
                "0 0 1 setrgbcolor clippath fill showpage"});
    const std::string bytes = korvent::testing::ReadFile(source);
    graphics::TJPEGImage jpeg;
    jpeg.LoadFromMemory(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));

    auto image = CreateImageObject(jpeg, "Pdf-Jpeg");
    EXPECT_EQ(image->Attributes().NameValueOf("ColorSpace")->Value(), GetParam().colorSpace);
    TPdfArray* decode = image->Attributes().ArrayValueOf("Decode");
    EXPECT_EQ(decode != nullptr ? korvent::testing::Body(*decode) : "", GetParam().decode);
    TPdfDoc doc;
    doc.StartDocument();
    doc.AddPage();
    doc.AddImage("Picture", std::move(image));
    doc.Canvas().DrawXObject(0, 0, 595, 842, "Picture");
    const auto pdf = Write(doc, std::string("jpeg-page-") + GetParam().device);
    korvent::testing::ExpectGhostscriptReads(pdf);
    const std::array<int, 3> rgb = CentreColour(pdf);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(rgb[i], GetParam().rgb[i], 40) << "component " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Models, PdfJpegReadBackTest,
    ::testing::Values(JpegCase{"jpeggray", "DeviceGray", "", {70, 70, 70}},
                      JpegCase{"jpeg", "DeviceRGB", "", {0, 0, 255}},
                      JpegCase{"jpegcmyk", "DeviceCMYK", "[1 0 1 0 1 0 1 0 ]", {58, 83, 164}}),
    [](const auto& info) { return std::string(info.param.device); });

// Japanese text in a CID font: its descriptor names the font, and poppler extracts the text.
TEST(PdfReadBackTest, JapaneseFontTextIsExtracted) {
    if (const std::string missing = MissingReader({"pdftotext", "qpdf", "gs"}); !missing.empty()) {
        GTEST_SKIP() << missing;
    }
    TPdfDoc doc;
    doc.StartDocument();
    doc.AddPage();
    doc.Canvas().SetFont("PGothic,Bold", 12);
    doc.Canvas().WriteString("BT 20 700 Td <93FA967B> Tj ET\n");  // CP932 for "日本"
    const auto pdf = Write(doc, "japanese-font");
    const ProgramResult text = RunProgram({"pdftotext", "-enc", "UTF-8", pdf.string(), "-"});
    EXPECT_EQ(text.exitCode, 0) << text.output;
    EXPECT_THAT(text.output, HasSubstr("日本"));
    const ProgramResult json = RunProgram({"qpdf", "--json", "--json-key=qpdf", pdf.string()});
    EXPECT_THAT(json.output, HasSubstr("\"/FontName\": \"/PGothic,Bold\""));
    korvent::testing::ExpectGhostscriptReads(pdf);
}

}  // namespace
}  // namespace korvent::pdf
