#include "platform/TextCase.h"

#include <gtest/gtest.h>

namespace korvent::platform {
namespace {

struct UpperCase {
    const char* in;
    const char* out;
};

class UpperCaseTextTest : public ::testing::TestWithParam<UpperCase> {};

TEST_P(UpperCaseTextTest, UpperCases) {
    EXPECT_EQ(UpperCaseText(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Names, UpperCaseTextTest,
    ::testing::Values(UpperCase{"primoPDF", "PRIMOPDF"}, UpperCase{"クセロpdf2", "クセロPDF2"},
                      UpperCase{"ｐｄｆ", "ＰＤＦ"}, UpperCase{"café ÿ", "CAFÉ ÿ"},
                      UpperCase{"bad\xff\xe3x", "BAD\xff\xe3X"}, UpperCase{"", ""}));

TEST(TextCaseTest, SameNameIgnoresOnlyCase) {
    EXPECT_TRUE(SameTextIgnoringCase("CutePDF Writer", "cutepdf writer"));
    EXPECT_FALSE(SameTextIgnoringCase("CutePDF Writer", "CutePDF  Writer"));
}

}  // namespace
}  // namespace korvent::platform
