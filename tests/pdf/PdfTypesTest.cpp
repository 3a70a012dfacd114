#include "PdfEmit.h"
#include "pdf/PdfArray.h"
#include "pdf/PdfBinary.h"
#include "pdf/PdfBoolean.h"
#include "pdf/PdfDictionary.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfInvalidOperation.h"
#include "pdf/PdfInvalidValue.h"
#include "pdf/PdfName.h"
#include "pdf/PdfNull.h"
#include "pdf/PdfNumber.h"
#include "pdf/PdfReal.h"
#include "pdf/PdfStream.h"
#include "pdf/PdfText.h"
#include "pdf/PdfVirtualObject.h"
#include "pdf/PdfXref.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <regex>
#include <sstream>
#include <type_traits>

namespace korvent::pdf {
namespace {

using korvent::testing::Body;
using korvent::testing::Value;

TEST(PdfTypesTest, ScalarsWriteThemselves) {
    TPdfNull null;
    TPdfBoolean yes(true);
    TPdfBoolean no(false);
    TPdfNumber negative(-42);
    TPdfNumber zero;
    TPdfReal real(12.5);
    TPdfReal third(1.0 / 3);
    TPdfReal integral(100.0);
    TPdfName empty("");
    EXPECT_EQ(Body(null), "null");
    EXPECT_EQ(Body(yes), "true");
    EXPECT_EQ(Body(no), "false");
    EXPECT_EQ(Body(negative), "-42");
    EXPECT_EQ(Body(zero), "0");
    EXPECT_EQ(Body(real), "12.5");
    EXPECT_EQ(Body(third), "0.333333333333333");
    EXPECT_EQ(Body(integral), "100");
    EXPECT_EQ(Body(empty), "/");
}

struct Escape {
    const char* input;
    const char* expected;
};

class PdfTextEscapeTest : public ::testing::TestWithParam<Escape> {};

TEST_P(PdfTextEscapeTest, LiteralForm) {
    TPdfText text(GetParam().input);
    EXPECT_EQ(Body(text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PdfTextEscapeTest,
                         ::testing::Values(Escape{"", "()"}, Escape{"a(b)", "(a\\(b\\))"},
                                           Escape{"back\\slash", "(back\\\\slash)"},
                                           Escape{"\r\n\t\b\f", "(\\r\\n\\t\\b\\f)"},
                                           // Other ASCII bytes pass unchanged.
                                           Escape{"~\x7F", "(~\x7F)"}));

class PdfNameEscapeTest : public ::testing::TestWithParam<Escape> {};

TEST_P(PdfNameEscapeTest, EscapedName) {
    TPdfName name(GetParam().input);
    EXPECT_EQ(Body(name), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PdfNameEscapeTest,
                         ::testing::Values(Escape{"A B", "/A#20B"}, Escape{"a/b", "/a#2Fb"},
                                           Escape{"\xE9", "/#E9"},
                                           Escape{"#%()<>[]{}", "/#23#25#28#29#3C#3E#5B#5D#7B#7D"},
                                           Escape{"Gothic,Bold", "/Gothic,Bold"},
                                           Escape{"\x7F", "/#7F"}));

TEST(PdfTypesTest, NonAsciiTextIsWrittenAsUtf16Hex) {
    TPdfText kanji("\x8A\xBF");  // CP932 for U+6F22
    EXPECT_EQ(Body(kanji), "<FEFF6F22>");
    TPdfText mixed("A\x82\xA0");  // "A" and hiragana a
    EXPECT_EQ(Body(mixed), "<FEFF00413042>");
    TPdfText halfWidth("\xB1\xDF");  // half-width katakana a and the semi-voiced mark
    EXPECT_EQ(Body(halfWidth), "<FEFFFF71FF9F>");
    EXPECT_TRUE(HasNonAsciiByte("x\x81\x40"));
    EXPECT_TRUE(HasNonAsciiByte("abc\xB1\xDF"));
    EXPECT_FALSE(HasNonAsciiByte("abc\x7F"));
    EXPECT_EQ(HexOfBytes("en"), "656E");
    EXPECT_EQ(UnicodeHex("\x83\x41"), "30A2");
}

struct Operand {
    double value;
    const char* expected;
};

class FormatOperandTest : public ::testing::TestWithParam<Operand> {};

TEST_P(FormatOperandTest, RoundsToTwoDecimals) {
    EXPECT_EQ(FormatOperand(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatOperandTest,
                         ::testing::Values(Operand{10, "10"}, Operand{0.5, "0.5"},
                                           Operand{1.999, "2"}, Operand{100.006, "100.01"},
                                           Operand{100.004, "100"}, Operand{-1.234, "-1.22"},
                                           Operand{0, "0"}, Operand{-0.004, "0"},
                                           Operand{595.275, "595.28"}, Operand{14400.999, "14401"},
                                           Operand{1e9, "1000000000"}));

TEST(FormatOperandTest, ValuesNoPageCanHaveAreRefused) {
    for (double bad : {std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::quiet_NaN(), 1e300, -1e300}) {
        EXPECT_THROW(FormatOperand(bad), EPdfInvalidValue) << bad;
    }
}

TEST(PdfTypesTest, DateTextIsTheCurrentLocalTime) {
    EXPECT_TRUE(std::regex_match(PdfDateText(TDateTime{}), std::regex(R"(D:\d{14})")));
}

TEST(PdfTypesTest, ArraysWriteItemsWithTrailingSpaces) {
    TPdfArray empty;
    EXPECT_EQ(Body(empty), "[]");
    TPdfArray numbers(nullptr, {3, 4});
    EXPECT_EQ(Body(numbers), "[3 4 ]");
}

TEST(PdfTypesTest, IndirectObjectsAreReferencedNotOwned) {
    TPdfXref xref;
    xref.Add(std::make_unique<TPdfNull>());
    xref.Add(std::make_unique<TPdfNull>());
    xref.Add(std::make_unique<TPdfNull>());
    xref.Add(std::make_unique<TPdfNull>());
    auto* name = xref.Add(std::make_unique<TPdfName>("Shared"));
    EXPECT_EQ(name->ObjectNumber(), 5);
    EXPECT_EQ(name->ObjectType(), TPdfObjectKind::okIndirect);

    TPdfArray array(&xref);
    array.Append(*name);
    EXPECT_EQ(Body(array), "[5 0 R ]");
    EXPECT_EQ(array.ItemAt(0), name);
    EXPECT_EQ(array.FindNameItem("Shared"), name);
    EXPECT_EQ(array.ItemAt(1), nullptr);

    TPdfArray unresolved;  // no cross-reference table
    unresolved.Append(*name);
    EXPECT_EQ(unresolved.ItemAt(0), nullptr);
    EXPECT_EQ(Body(unresolved), "[5 0 R ]");

    TPdfNumber direct(1);
    EXPECT_THROW(array.Append(direct), EPdfInvalidValue);
    EXPECT_THROW(xref.AddObject(TPdfVirtualObject::CreateVirtual(5)), EPdfInvalidOperation);
    try {
        xref.AddObject(std::make_unique<TPdfVirtualObject>(2));
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "AddObject --wrong object type.");
    }
    // A virtual object can only be made from a number.
    static_assert(!std::is_default_constructible_v<TPdfVirtualObject>);
}

TEST(PdfTypesTest, EmitAsObjectOnlyForIndirectObjects) {
    TPdfXref xref;
    auto* number = xref.Add(std::make_unique<TPdfNumber>(7));
    std::ostringstream out;
    number->EmitAsObject(out);
    EXPECT_EQ(out.str(), "1 0 obj\r\n7\r\nendobj\r\n");
    EXPECT_EQ(Value(*number), "1 0 R");
    TPdfNumber direct(3);
    try {
        direct.EmitAsObject(out);
        FAIL();
    } catch (const EPdfInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "internal error wrong object type");
    }
}

TEST(PdfTypesTest, DictionaryKeysAreUniqueAndMoveToTheEnd) {
    TPdfDictionary dictionary;
    dictionary.SetNumberItem("Length", 1);
    dictionary.SetNameItem("Type", "XObject");
    dictionary.SetNumberItem("Length", 2);
    EXPECT_EQ(dictionary.Keys(), (std::vector<std::string>{"Type", "Length"}));
    EXPECT_EQ(Body(dictionary), "<<\r\n/Type /XObject\r\n/Length 2\r\n>>");
    EXPECT_EQ(dictionary.NumberValueOf("Length")->Value(), 2);
    EXPECT_EQ(dictionary.NumberValueOf("Type"), nullptr);  // a name, not a number
    EXPECT_EQ(dictionary.ValueOf("length"), nullptr);      // keys are case-sensitive
    dictionary.DropKey("Missing");
    dictionary.DropKey("Type");
    EXPECT_EQ(dictionary.Keys(), (std::vector<std::string>{"Length"}));
}

TEST(PdfTypesTest, HiddenElementsAreFoundButNotWritten) {
    TPdfDictionary dictionary;
    dictionary.SetHiddenItem("_Font", std::make_unique<TPdfName>("Arial"));
    EXPECT_EQ(Body(dictionary), "<<\r\n>>");
    EXPECT_EQ(dictionary.NameValueOf("_Font")->Value(), "Arial");
}

TEST(PdfTypesTest, SettingNoValueFailsAndKeepsTheOldOne) {
    TPdfDictionary dictionary;
    dictionary.SetNumberItem("Count", 3);
    try {
        dictionary.SetItem("Count", std::unique_ptr<TPdfObject>());
        FAIL();
    } catch (const EPdfInvalidValue& error) {
        EXPECT_STREQ(error.what(), "internal error. wrong object.");
    }
    EXPECT_EQ(dictionary.NumberValueOf("Count")->Value(), 3);
}

TEST(PdfTypesTest, StreamsWriteLengthAndDropFlateDecode) {
    TPdfStream stream;
    EXPECT_EQ(stream.Attributes().Keys(), (std::vector<std::string>{"Length", "Filter"}));
    stream.Data() = "abc";
    stream.Attributes().ArrayValueOf("Filter")->Append(std::make_unique<TPdfName>("FlateDecode"));
    EXPECT_EQ(Body(stream), "<<\r\n/Length 3\r\n/Filter []\r\n>>\r\nstream\r\nabc\nendstream");
    stream.Attributes().ArrayValueOf("Filter")->Append(std::make_unique<TPdfName>("DCTDecode"));
    EXPECT_THAT(Body(stream), ::testing::HasSubstr("/Filter [/DCTDecode ]"));
}

TEST(PdfTypesTest, BinaryIsWrittenAsStored) {
    TPdfBinary binary;
    binary.Data() = std::string("<00 FF>\0x", 9);
    EXPECT_EQ(Body(binary), std::string("<00 FF>\0x", 9));
}

}  // namespace
}  // namespace korvent::pdf
