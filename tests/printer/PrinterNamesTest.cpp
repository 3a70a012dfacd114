#include "printer/PrinterNames.h"

#include <gtest/gtest.h>

namespace korvent::printer {
namespace {

struct UpperCase {
    const char* in;
    const char* out;
};

class UpperCaseNameTest : public ::testing::TestWithParam<UpperCase> {};

TEST_P(UpperCaseNameTest, UpperCases) {
    EXPECT_EQ(UpperCaseName(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Names, UpperCaseNameTest,
    ::testing::Values(UpperCase{"primoPDF", "PRIMOPDF"}, UpperCase{"クセロpdf2", "クセロPDF2"},
                      UpperCase{"ｐｄｆ", "ＰＤＦ"}, UpperCase{"café ÿ", "CAFÉ ÿ"},
                      UpperCase{"bad\xff\xe3x", "BAD\xff\xe3X"}, UpperCase{"", ""}));

TEST(PrinterNamesTest, SameNameIgnoresOnlyCase) {
    EXPECT_TRUE(SameNameIgnoringCase("CutePDF Writer", "cutepdf writer"));
    EXPECT_FALSE(SameNameIgnoringCase("CutePDF Writer", "CutePDF  Writer"));
}

}  // namespace
}  // namespace korvent::printer
