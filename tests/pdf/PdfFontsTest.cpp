#include "pdf/PdfFontTables.h"

#include "PdfCheck.h"
#include "PdfEmit.h"
#include "pdf/PdfArray.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfDictionary.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfFont.h"
#include "pdf/PdfFontRegistry.h"
#include "pdf/PdfInvalidValue.h"
#include "pdf/PdfJpCMap.h"
#include "pdf/PdfJpFonts.h"
#include "pdf/PdfName.h"
#include "pdf/PdfNumber.h"
#include "pdf/PdfStandardFont.h"
#include "pdf/PdfText.h"
#include "pdf/PdfType0Font.h"
#include "pdf/PdfXref.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace korvent::pdf {
namespace {

using korvent::testing::Body;
using ::testing::HasSubstr;

TEST(PdfFontsTest, StandardWidthsComeFromTheMetrics) {
    TPdfXref xref;
    TPdfArial arial(xref, "Arial");
    const int expected[] = {278, 278, 355, 556, 556, 889, 667, 191};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(arial.GetCharWidth(std::string(1, static_cast<char>(32 + i)), 0), expected[i]);
    }
    EXPECT_EQ(arial.GetCharWidth("A", 0), 667);
    EXPECT_EQ(arial.GetCharWidth("a", 0), 556);
    EXPECT_EQ(arial.GetCharWidth("\xFF", 0), 500);
    EXPECT_EQ(arial.GetCharWidth("\x1F", 0), 0);  // below FirstChar
    TPdfFixedWidthBoldItalic courier(xref, "FixedWidth-BoldItalic");
    for (int code = 32; code < 256; ++code) {
        ASSERT_EQ(courier.GetCharWidth(std::string(1, static_cast<char>(code)), 0), 600) << code;
    }
}

TEST(PdfFontsTest, StandardFontDictionary) {
    TPdfXref xref;
    TPdfTimesBoldItalic times(xref, "Times-BoldItalic");
    EXPECT_EQ(Body(*times.Data()),
              "<<\r\n/Type /Font\r\n/Subtype /Type1\r\n/Encoding /WinAnsiEncoding\r\n"
              "/FirstChar 32\r\n/LastChar 255\r\n/BaseFont /Times-BoldItalic\r\n>>");
    EXPECT_EQ(times.Data()->ArrayValueOf("Widths")->ItemCount(), 224);
}

TEST(PdfFontsTest, EveryRegisteredFontCanBeUsed) {
    const char* names[] = {
        "FixedWidth",  "FixedWidth-Bold", "FixedWidth-Italic", "FixedWidth-BoldItalic",
        "Arial",       "Arial-Bold",      "Arial-Italic",      "Arial-BoldItalic",
        "Times-Roman", "Times-Bold",      "Times-Italic",      "Times-BoldItalic",
        "Gothic",      "Gothic,Bold",     "Gothic,Italic",     "Gothic,BoldItalic",
        "Mincyo",      "Mincyo,Bold",     "Mincyo,Italic",     "Mincyo,BoldItalic",
        "PGothic",     "PGothic,Bold",    "PGothic,Italic",    "PGothic,BoldItalic",
        "PMincyo",     "PMincyo,Bold",    "PMincyo,Italic",    "PMincyo,BoldItalic"};
    TPdfDoc doc;
    doc.StartDocument();
    doc.AddPage();
    int index = 1;
    for (const char* name : names) {
        doc.Canvas().SetFont(name, 9);
        EXPECT_EQ(doc.GetFont(name).Name(), name);
        EXPECT_EQ(doc.GetFont(name).Data()->NameValueOf("Name")->Value(),
                  name == std::string("Arial") ? "F0" : "F" + std::to_string(index++));
    }
    const std::string bytes = korvent::testing::Save(doc);
    EXPECT_THAT(bytes, HasSubstr("/Encoding /90msp-RKSJ-H"));
    korvent::testing::ExpectValidPdfBytes("all-fonts", bytes);
}

TEST(PdfFontsTest, JapaneseFontDictionaries) {
    TPdfXref xref;
    TPdfGothicBoldItalic gothic(xref, "Gothic,BoldItalic");
    TPdfDictionary& type0 = *gothic.Data();
    EXPECT_EQ(type0.Keys(), (std::vector<std::string>{"BaseFont", "DescendantFonts", "Type",
                                                      "Subtype", "Encoding"}));
    EXPECT_EQ(type0.NameValueOf("Encoding")->Value(), "90ms-RKSJ-H");
    auto* cidFont = dynamic_cast<TPdfDictionary*>(type0.ArrayValueOf("DescendantFonts")->ItemAt(0));
    ASSERT_NE(cidFont, nullptr);
    EXPECT_EQ(Body(*cidFont->ArrayValueOf("W")), "[231 631 500 ]");
    EXPECT_EQ(Body(*cidFont->DictionaryValueOf("CIDSystemInfo")),
              "<<\r\n/Registry (Adobe)\r\n/Ordering (Japan1)\r\n/Supplement 2\r\n>>");
    TPdfDictionary* descriptor = cidFont->DictionaryValueOf("FontDescriptor");
    EXPECT_EQ(descriptor->NumberValueOf("Flags")->Value(), 262149);
    EXPECT_EQ(descriptor->NumberValueOf("ItalicAngle")->Value(), -11);
    EXPECT_EQ(descriptor->NumberValueOf("StemV")->Value(), 156);
    EXPECT_EQ(Body(*descriptor->ArrayValueOf("FontBBox")), "[0 -141 1000 859 ]");

    TPdfPMincyo mincyo(xref, "PMincyo");
    auto* pCid =
        dynamic_cast<TPdfDictionary*>(mincyo.Data()->ArrayValueOf("DescendantFonts")->ItemAt(0));
    const std::string w = Body(*pCid->ArrayValueOf("W"));
    EXPECT_THAT(w, ::testing::StartsWith("[1 [305 219 500 "));
    const auto items = TPdfType0Font::ParseWArray(*pCid->ArrayValueOf("W"));
    EXPECT_EQ(items.size(), 95u + 64 + 63 + 8 + 10 + 26 + 26 + 83 + 63 + 23);
    EXPECT_EQ(items.front().FirstCID, 1);
    EXPECT_EQ(items.back().LastCID, 988 + 22);
}

struct CidCase {
    const char* text;
    int position;
    int fixedCid;
    int proportionalCid;
};

class PdfCidLookupTest : public ::testing::TestWithParam<CidCase> {};

TEST_P(PdfCidLookupTest, CodesMapThroughTheCMaps) {
    const auto& c = GetParam();
    const int code = CharCodeAt(c.text, c.position);
    EXPECT_EQ(code < 0 ? -1 : CodeToCID(tables::k90msRKSJH, code), c.fixedCid);
    EXPECT_EQ(code < 0 ? -1 : CodeToCID(tables::k90mspRKSJH, code), c.proportionalCid);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PdfCidLookupTest,
    ::testing::Values(CidCase{"A", 0, 231 + 0x21, 1 + 0x21}, CidCase{" ", 0, 231, 1},
                      CidCase{"\x81\x40", 0, 633, 633},            // ideographic space
                      CidCase{"\x81\x40", 1, -1, -1},              // trail byte
                      CidCase{"a\x82\x9F", 1, 842, 842},           // hiragana small a
                      CidCase{"\xB1", 0, 326 + 0x11, 326 + 0x11},  // half-width katakana
                      CidCase{"\x80", 0, 0, 0},                    // in no range
                      CidCase{"A", 5, -1, -1}));

TEST(PdfCidLookupTest, TablesHoldTheResourceRanges) {
    // The CMap resources used list 171 and 170 ranges.
    EXPECT_EQ(tables::k90msRKSJH.size(), 171u);
    EXPECT_EQ(tables::k90mspRKSJH.size(), 170u);
}

TEST(PdfFontsTest, JapaneseWidths) {
    TPdfXref xref;
    TPdfGothic fixed(xref, "Gothic");
    EXPECT_EQ(fixed.GetCharWidth("A", 0), 500);
    EXPECT_EQ(fixed.GetCharWidth("\x8A\xBF", 0), 1000);  // kanji: DW
    EXPECT_EQ(fixed.GetCharWidth("\x8A\xBF", 1), 0);     // trail byte
    TPdfPGothic proportional(xref, "PGothic");
    EXPECT_EQ(proportional.GetCharWidth(" ", 0), 305);
    EXPECT_EQ(proportional.GetCharWidth("!", 0), 219);
    EXPECT_EQ(proportional.GetCharWidth("\"", 0), 500);
    EXPECT_EQ(proportional.GetCharWidth("A", 0), tables::kProportionalWidthRuns[0].widths[33]);
    EXPECT_EQ(proportional.GetCharWidth("\x80", 0), 500);  // CID 0, single byte: MissingWidth
}

struct WCase {
    const char* name;
    std::function<void(TPdfArray&)> fill;
    const char* message;
};

class PdfWArrayTest : public ::testing::TestWithParam<WCase> {};

TEST_P(PdfWArrayTest, MalformedArraysAreRefused) {
    TPdfArray array;
    GetParam().fill(array);
    try {
        TPdfType0Font::ParseWArray(array);
        FAIL();
    } catch (const EPdfInvalidValue& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PdfWArrayTest,
    ::testing::Values(WCase{"StartNotNumber",
                            [](TPdfArray& a) { a.Append(std::make_unique<TPdfName>("x")); },
                            "invalid W array start pos.."},
                      WCase{"RangeWithoutWidth",
                            [](TPdfArray& a) {
                                a.Append(std::make_unique<TPdfNumber>(1));
                                a.Append(std::make_unique<TPdfNumber>(5));
                                a.Append(std::make_unique<TPdfText>("w"));
                            },
                            "invalid W array end pos.."},
                      WCase{"RangeCut",
                            [](TPdfArray& a) {
                                a.Append(std::make_unique<TPdfNumber>(1));
                                a.Append(std::make_unique<TPdfNumber>(5));
                            },
                            "invalid W array end pos.."},
                      WCase{"NeitherNumberNorArray",
                            [](TPdfArray& a) {
                                a.Append(std::make_unique<TPdfNumber>(1));
                                a.Append(std::make_unique<TPdfName>("w"));
                            },
                            "invalid W array value.."},
                      WCase{"StartOnly",
                            [](TPdfArray& a) { a.Append(std::make_unique<TPdfNumber>(1)); },
                            "invalid W array value.."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PdfWArrayTest, BothFormsAreRead) {
    TPdfArray array;
    array.Append(std::make_unique<TPdfNumber>(1));
    array.Append(std::make_unique<TPdfArray>(nullptr, std::initializer_list<int>{10, 20}));
    array.Append(std::make_unique<TPdfNumber>(5));
    array.Append(std::make_unique<TPdfNumber>(7));
    array.Append(std::make_unique<TPdfNumber>(300));
    const auto items = TPdfType0Font::ParseWArray(array);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].FirstCID, 1);
    EXPECT_EQ(items[0].Width, 10);
    EXPECT_EQ(items[1].FirstCID, 2);
    EXPECT_EQ(items[1].Width, 20);
    EXPECT_EQ(items[2].FirstCID, 5);
    EXPECT_EQ(items[2].LastCID, 7);
    EXPECT_EQ(items[2].Width, 300);
}

}  // namespace
}  // namespace korvent::pdf
