#include "settings/ValueText.h"

#include <gtest/gtest.h>

#include "platform/Exception.h"

namespace korvent::settings {
namespace {

struct FloatCase {
    double value;
    char separator;
    const char* text;
    friend void PrintTo(const FloatCase& c, std::ostream* os) { *os << c.text; }
};
class GeneralFloat : public ::testing::TestWithParam<FloatCase> {};

TEST_P(GeneralFloat, Formats) {
    EXPECT_EQ(FormatGeneralFloat(GetParam().value, GetParam().separator), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GeneralFloat,
    ::testing::Values(FloatCase{10.0, '.', "10"}, FloatCase{0.5, ',', "0,5"},
                      FloatCase{-2.25, '.', "-2.25"}, FloatCase{0.0001, '.', "0.0001"},
                      FloatCase{0.00001, '.', "1E-5"}, FloatCase{1e20, '.', "1E20"},
                      FloatCase{1.0 / 3.0, '.', "0.333333333333333"},
                      FloatCase{123456789012345678.0, '.', "1.23456789012346E17"},
                      FloatCase{0.0, '.', "0"}));

TEST(ColorText, StandardIdentifiersAndHex) {
    EXPECT_EQ(ColorToText(0x000000), "clBlack");
    EXPECT_EQ(ColorToText(static_cast<std::int32_t>(0xFF00000F)), "clBtnFace");
    EXPECT_EQ(ColorToText(0x123456), "$00123456");
    EXPECT_EQ(TextToColor("clbtnface"), static_cast<std::int32_t>(0xFF00000F));
    EXPECT_EQ(TextToColor("$00123456"), 0x123456);
    EXPECT_EQ(TextToColor("255"), 255);
    EXPECT_THROW(TextToColor("red"), Exception);
}

}  // namespace
}  // namespace korvent::settings
