#include "pdf/PdfCanvas.h"

#include "pdf/PdfDictionary.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfFont.h"
#include "pdf/PdfImage.h"
#include "pdf/PdfInvalidOperation.h"
#include "pdf/PdfInvalidValue.h"
#include "pdf/PdfStream.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace korvent::pdf {
namespace {

struct CanvasFixture : ::testing::Test {
    TPdfDoc doc;
    void SetUp() override {
        doc.StartDocument();
        doc.AddPage();
        auto image = std::make_unique<TPdfImage>();
        image->Attributes().SetNameItem("Type", "XObject");
        image->Attributes().SetNameItem("Subtype", "Image");
        doc.AddImage("PRJpegImage1", std::move(image));
    }
    std::string Content() { return doc.Canvas().Contents()->Data(); }
};

using PdfCanvasTest = CanvasFixture;

TEST_F(PdfCanvasTest, DrawXObjectWritesTheFourLines) {
    doc.Canvas().DrawXObject(28, 296, 539, 250, "PRJpegImage1");
    EXPECT_EQ(Content(), "/F0 10 Tf\nq\n539 0 0 250 28 296 cm\n/PRJpegImage1 Do\nQ\n");
    EXPECT_NE(doc.Canvas()
                  .GetPage()
                  ->DictionaryValueOf("Resources")
                  ->DictionaryValueOf("XObject")
                  ->ValueOf("PRJpegImage1"),
              nullptr);
}

TEST_F(PdfCanvasTest, DrawXObjectExClipsFirst) {
    doc.Canvas().DrawXObjectEx(1.5, 2.25, 30, 40, 0, 0, 10.004, 20.006, "PRJpegImage1");
    EXPECT_EQ(Content(),
              "/F0 10 Tf\nq\n0 0 10 20.01 re\nW\nn\n30 0 0 40 1.5 2.25 cm\n/PRJpegImage1 Do\nQ\n");
}

TEST_F(PdfCanvasTest, UnknownXObjectWritesNothing) {
    try {
        doc.Canvas().DrawXObject(0, 0, 1, 1, "Missing");
        FAIL();
    } catch (const EPdfInvalidValue& error) {
        EXPECT_STREQ(error.what(), "DrawXObject --XObject not found: Missing");
    }
    try {
        doc.Canvas().DrawXObjectEx(0, 0, 1, 1, 0, 0, 1, 1, "Missing");
        FAIL();
    } catch (const EPdfInvalidValue& error) {
        EXPECT_STREQ(error.what(), "DrawXObjectEx --XObject not found: Missing");
    }
    EXPECT_EQ(Content(), "/F0 10 Tf\n");
}

TEST_F(PdfCanvasTest, SameFontAndSizeIsSelectedOnce) {
    TPdfCanvas& canvas = doc.Canvas();
    canvas.SetFont("Arial", 10);
    canvas.SetFont("Times-Roman", 12);
    canvas.SetFont("Times-Roman", 12);
    canvas.SetFont("Arial", 12.5);
    EXPECT_EQ(Content(), "/F0 10 Tf\n/F1 12 Tf\n/F0 12.5 Tf\n");
    EXPECT_THROW(canvas.SetFont("Arial", 300.5f), EPdfInvalidValue);
    EXPECT_EQ(Content(), "/F0 10 Tf\n/F1 12 Tf\n/F0 12.5 Tf\n");
    canvas.SetFont("Arial", 300);
}

TEST_F(PdfCanvasTest, TextStateTravelsWithItsPage) {
    TPdfCanvas& canvas = doc.Canvas();
    canvas.SetFont("FixedWidth", 20);
    canvas.Attribute().SetCharSpace(2);
    TPdfDictionary* first = canvas.GetPage();
    doc.AddPage();
    EXPECT_EQ(canvas.Attribute().FontSize(), 10);
    canvas.SetPage(first);
    EXPECT_EQ(canvas.Attribute().FontSize(), 20);
    EXPECT_EQ(canvas.Attribute().CharSpace(), 2);
    EXPECT_EQ(canvas.Attribute().Font()->Name(), "FixedWidth");
}

TEST_F(PdfCanvasTest, PageSizeGoesIntoTheMediaBox) {
    doc.Canvas().SetPageHeight(841);
    doc.Canvas().SetPageWidth(595);
    doc.Canvas().GetPage()->DropKey("MediaBox");
    try {
        doc.Canvas().SetPageWidth(10);
        FAIL();
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "Can not chenge width of this page..");
    }
}

TEST(PdfCanvasVirtualTest, MeasuringCanvasWritesNothing) {
    TPdfDoc doc;
    TPdfCanvas& canvas = doc.StartMeasuringDocument();
    // Only the page's starting font line, written before the canvas turned virtual.
    const std::string before = canvas.Contents()->Data();
    canvas.SetFont("Times-Bold", 14);
    canvas.GSave();
    EXPECT_EQ(canvas.Contents()->Data(), before);
    EXPECT_EQ(canvas.Attribute().Font()->Name(), "Times-Bold");
}

TEST(PdfCanvasVirtualTest, NoPageNoDocument) {
    TPdfCanvas canvas(nullptr);
    EXPECT_THROW(canvas.GetPage(), EPdfInvalidOperation);
    try {
        canvas.GetDoc();
        FAIL();
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "ERROR: GetDoc documant is nil.");
    }
}

struct AttributeCase {
    const char* message;
    std::function<void(TPdfCanvasAttribute&, float)> set;
    float good;
    float bad;
};

class PdfCanvasAttributeTest : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(PdfCanvasAttributeTest, RangeIsChecked) {
    TPdfCanvasAttribute attribute;
    GetParam().set(attribute, GetParam().good);
    for (float bad : {GetParam().bad, std::nanf("")}) {
        try {
            GetParam().set(attribute, bad);
            FAIL() << bad;
        } catch (const EPdfInvalidValue& error) {
            EXPECT_STREQ(error.what(), GetParam().message);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Setters, PdfCanvasAttributeTest,
    ::testing::Values(
        AttributeCase{"SetWordSpace --invalid word space",
                      [](TPdfCanvasAttribute& a, float v) { a.SetWordSpace(v); }, 0, -0.1f},
        AttributeCase{"SetCharSpace --invalid char space",
                      [](TPdfCanvasAttribute& a, float v) { a.SetCharSpace(v); }, -30, 300.5f},
        AttributeCase{"SetCharSpace --invalid font size",
                      [](TPdfCanvasAttribute& a, float v) { a.SetFontSize(v); }, 300, 300.5f},
        AttributeCase{"SetLeading --invalid font size",
                      [](TPdfCanvasAttribute& a, float v) { a.SetLeading(v); }, 300, -1}));

TEST(PdfCanvasAttributeTest, HorizontalScaling) {
    TPdfCanvasAttribute attribute;
    attribute.SetHorizontalScaling(10);
    attribute.SetHorizontalScaling(300);
    try {
        attribute.SetHorizontalScaling(9);
        FAIL();
    } catch (const EPdfInvalidValue& error) {
        EXPECT_STREQ(error.what(), "SetHorizontalScaling --invalid font size");
    }
}

}  // namespace
}  // namespace korvent::pdf
