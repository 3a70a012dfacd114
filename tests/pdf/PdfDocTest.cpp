#include "pdf/PdfDoc.h"

#include "PdfCheck.h"
#include "PdfEmit.h"
#include "pdf/PdfArray.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfCatalog.h"
#include "pdf/PdfClassNotFound.h"
#include "pdf/PdfDestination.h"
#include "pdf/PdfDictionary.h"
#include "pdf/PdfImage.h"
#include "pdf/PdfInfo.h"
#include "pdf/PdfInvalidOperation.h"
#include "pdf/PdfInvalidValue.h"
#include "pdf/PdfName.h"
#include "pdf/PdfOutlineRoot.h"
#include "pdf/PdfXObject.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace korvent::pdf {
namespace {

using korvent::testing::Save;
using ::testing::HasSubstr;

std::unique_ptr<TPdfImage> TinyImage() {
    auto image = std::make_unique<TPdfImage>();
    image->Attributes().SetNameItem("Type", "XObject");
    image->Attributes().SetNameItem("Subtype", "Image");
    image->Attributes().SetNameItem("ColorSpace", "DeviceRGB");
    image->Attributes().SetNumberItem("Width", 1);
    image->Attributes().SetNumberItem("Height", 1);
    image->Attributes().SetNumberItem("BitsPerComponent", 8);
    image->Data() = std::string("\xFF\x00\x00", 3);
    return image;
}

TEST(PdfDocTest, EmptyPageStillSelectsTheStartingFont) {
    TPdfDoc doc;
    doc.StartDocument();
    doc.AddPage();
    const std::string file = Save(doc);
    EXPECT_EQ(file.substr(0, 11), "%PDF-1.2 \r\n");
    EXPECT_EQ(file.find("1 0 obj"), 11u);
    EXPECT_THAT(file, HasSubstr("stream\r\n/F0 10 Tf\n\nendstream"));
    EXPECT_THAT(file, HasSubstr("/MediaBox [0 0 596 842 ]"));
    EXPECT_THAT(file, HasSubstr("/BaseFont /Helvetica\r\n/Name /F0\r\n"));
    EXPECT_THAT(file, HasSubstr("xref\r\n0 7\r\n0000000000 65535 f\r\n0000000011 00000 n\r\n"));
    EXPECT_THAT(file, HasSubstr("trailer\r\n<<\r\n/Size 7\r\n/Root 1 0 R\r\n/Info 2 0 R\r\n>>"));
    korvent::testing::ExpectValidPdfBytes("empty-page", file);
}

TEST(PdfDocTest, SavingTwiceWritesTheSameFileFromTheStart) {
    TPdfDoc doc;
    doc.StartDocument();
    doc.AddPage();
    std::stringstream out;
    doc.SaveToStream(out);
    const std::string first = out.str();
    doc.SaveToStream(out);
    EXPECT_EQ(out.str().size(), first.size());
    EXPECT_EQ(out.str().substr(0, 200), first.substr(0, 200));
}

TEST(PdfDocTest, XrefLinesAreTwentyBytes) {
    TPdfDoc doc;
    doc.StartDocument();
    doc.AddPage();
    doc.AddImage("Img", TinyImage());
    const std::string file = Save(doc);
    const std::size_t xref = file.find("xref\r\n0 8\r\n");
    ASSERT_NE(xref, std::string::npos);
    const std::string lines = file.substr(xref + 11, 8 * 20);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(lines.substr(static_cast<std::size_t>(i) * 20 + 18, 2), "\r\n");
    }
    EXPECT_EQ(lines.substr(0, 20), "0000000000 65535 f\r\n");
    // startxref points at the keyword.
    const std::size_t start = file.find("startxref\r\n") + 11;
    EXPECT_EQ(std::stoul(file.substr(start)), xref);
}

TEST(PdfDocTest, ImagesAreRegisteredOnceByName) {
    TPdfDoc doc;
    doc.StartDocument();
    doc.AddPage();
    doc.AddImage("Img", TinyImage());
    try {
        doc.AddImage("Img", TinyImage());
        FAIL();
    } catch (const korvent::Exception& error) {
        EXPECT_STREQ(error.what(), "AddImage --the image named Img is already exists..");
    }
    auto notImage = std::make_unique<TPdfImage>();
    notImage->Attributes().SetNameItem("Type", "XObject");
    try {
        doc.AddImage("Other", std::move(notImage));
        FAIL();
    } catch (const korvent::Exception& error) {
        EXPECT_STREQ(error.what(), "AddImage --the image is not valid TPdfImage..");
    }
    EXPECT_EQ(doc.FindXObject("Other"), nullptr);
    EXPECT_NE(doc.FindXObject("Img"), nullptr);
    doc.Canvas().DrawXObject(0, 0, 10, 10, "Img");
    korvent::testing::ExpectValidPdfBytes("image-registered", Save(doc));
}

TEST(PdfDocTest, RegisterXObjectChecks) {
    TPdfDoc doc;
    doc.StartDocument();
    const auto message = [&](std::unique_ptr<TPdfStream> object, const char* name) {
        try {
            doc.RegisterXObject(std::move(object), name);
        } catch (const EPdfInvalidValue& error) {
            return std::string(error.what());
        }
        return std::string("(registered)");
    };
    EXPECT_EQ(message(nullptr, "A"), "RegisterXObject --AObject is null");
    EXPECT_EQ(message(std::make_unique<TPdfStream>(), "A"), "RegisterXObject --not XObject");
    auto form = std::make_unique<TPdfXObject>();
    form->Attributes().SetNameItem("Type", "XObject");
    EXPECT_EQ(message(std::move(form), "A"), "(registered)");
    auto second = std::make_unique<TPdfXObject>();
    second->Attributes().SetNameItem("Type", "XObject");
    EXPECT_EQ(message(std::move(second), "A"), "RegisterXObject --dupulicate name: A");
}

struct StateCase {
    const char* message;
    std::function<void(TPdfDoc&)> call;
};

class PdfDocStateTest : public ::testing::TestWithParam<StateCase> {};

TEST_P(PdfDocStateTest, NeedsADocument) {
    TPdfDoc doc;
    try {
        GetParam().call(doc);
        FAIL() << "no failure";
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Calls, PdfDocStateTest,
    ::testing::Values(
        StateCase{"GetCanvas --Document is null", [](TPdfDoc& d) { d.Canvas(); }},
        StateCase{"GetInfo --this method can not use this state..", [](TPdfDoc& d) { d.Info(); }},
        StateCase{"GetRoot --this method can not use this state..", [](TPdfDoc& d) { d.Root(); }},
        StateCase{"GetOutlineRoot --document is null..", [](TPdfDoc& d) { d.OutlineRoot(); }},
        StateCase{"GetOutlineRoot --not use outline mode..",
                  [](TPdfDoc& d) {
                      d.StartDocument();
                      d.OutlineRoot();
                  }},
        StateCase{"GetFont --document is null.", [](TPdfDoc& d) { d.GetFont("Arial"); }},
        StateCase{"AddPage --current pages null.", [](TPdfDoc& d) { d.AddPage(); }},
        StateCase{"SaveToStream --there is no document to save.",
                  [](TPdfDoc& d) {
                      std::ostringstream out;
                      d.SaveToStream(out);
                  }},
        StateCase{"GetPage --the Page is nil",
                  [](TPdfDoc& d) {
                      d.StartDocument();
                      std::ostringstream out;
                      d.SaveToStream(out);
                  }},
        // The operations that register objects, called before a document is started or after
        // it was discarded, must fail instead of reaching for a cross-reference table.
        StateCase{"CreateFont --document is null.", [](TPdfDoc& d) { d.CreateFont("Arial"); }},
        StateCase{"AddImage --document is null.",
                  [](TPdfDoc& d) { d.AddImage("Img", TinyImage()); }},
        StateCase{"RegisterXObject --document is null.",
                  [](TPdfDoc& d) {
                      auto form = std::make_unique<TPdfXObject>();
                      form->Attributes().SetNameItem("Type", "XObject");
                      d.RegisterXObject(std::move(form), "Form");
                  }},
        StateCase{"CreatePages --document is null.", [](TPdfDoc& d) {
                      d.StartDocument();
                      d.DiscardDocument();
                      d.CreatePages(nullptr);
                  }}));

TEST(PdfDocTest, UnknownFontClass) {
    TPdfDoc doc;
    doc.StartDocument();
    EXPECT_THROW(doc.GetFont("Wingdings"), EPdfClassNotFound);
}

TEST(PdfDocTest, OutlinesAndOpenAction) {
    TPdfDoc doc;
    doc.SetUseOutlines(true);
    doc.StartDocument();
    doc.AddPage();
    TPdfDestination destination(doc.Canvas().GetPage());
    destination.SetDestinationType(TPdfDestinationType::dtXYZ);
    destination.SetElement(0, 10);
    destination.SetElement(1, 700);
    doc.Root().SetOpenAction(&destination);
    TPdfOutlineEntry* chapter = doc.OutlineRoot().AddChild();
    chapter->SetTitle("One");
    chapter->SetDest(&destination);
    TPdfOutlineEntry* second = doc.OutlineRoot().AddChild();
    second->SetTitle("Two");
    second->AddChild()->SetTitle("Two.1");
    const std::string file = Save(doc);
    EXPECT_THAT(file, HasSubstr("/OpenAction [5 0 R /XYZ 10 700 1 ]"));
    EXPECT_THAT(file, HasSubstr("/Title (One)"));
    EXPECT_THAT(file, HasSubstr("/Count -1"));  // a closed entry with one child
    korvent::testing::ExpectValidPdfBytes("outlines", file);
    // The first four objects: catalog, outline root, info, pages.
    EXPECT_THAT(file, HasSubstr("2 0 obj\r\n<<\r\n/Type /Outlines"));
    EXPECT_THAT(file, HasSubstr("/Info 3 0 R"));
}

TEST(PdfDocTest, DiscardAndRestart) {
    TPdfDoc doc;
    doc.StartDocument();
    doc.AddPage();
    doc.AddImage("Img", TinyImage());
    doc.StartDocument();
    EXPECT_EQ(doc.FindXObject("Img"), nullptr);
    doc.AddPage();
    EXPECT_THAT(Save(doc), HasSubstr("/Name /F0"));
    doc.DiscardDocument();
    EXPECT_FALSE(doc.HasDoc());
    doc.DiscardDocument();
}

}  // namespace
}  // namespace korvent::pdf
