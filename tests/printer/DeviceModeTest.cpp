#include "platform/DeviceMode.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvent::platform {
namespace {

TEST(DeviceModeTest, NameIsCutAtACharacterBoundary) {
    DeviceMode mode("クセロPDFクセロPDFクセロPDF");          // 36 bytes of UTF-8
    EXPECT_EQ(mode.DeviceName(), "クセロPDFクセロPDFクセ");  // 30 of at most 31 bytes
    EXPECT_EQ(mode.Bytes()[DeviceMode::kNameLength - 1], 0);
}

TEST(DeviceModeTest, ValidateRepairsHeaderAndInvalidFieldsFromTheDefaults) {
    DeviceMode defaults("Office");
    defaults.SetPaperSize(DeviceMode::kPaperLetter);
    defaults.SetPaperWidth(2159);
    defaults.SetPaperLength(2794);
    defaults.SetCopies(2);
    defaults.SetDuplex(DeviceMode::kDuplexLongEdge);

    std::vector<std::uint8_t> stored(300, 0xFF);  // longer than the block, all values invalid
    DeviceMode mode("Office");
    mode.Overlay(stored);
    mode.Validate(defaults);
    EXPECT_EQ(mode.DeviceName(), "Office");
    EXPECT_EQ(mode.RecordSize(), DeviceMode::kSize);
    EXPECT_EQ(mode.DriverExtra(), 0);
    EXPECT_EQ(mode.PaperSize(), DeviceMode::kPaperLetter);
    EXPECT_EQ(mode.PaperWidth(), 2159);
    EXPECT_EQ(mode.Copies(), 2);
    EXPECT_EQ(mode.Duplex(), DeviceMode::kDuplexLongEdge);
    EXPECT_EQ(mode.Orientation(), DeviceMode::kPortrait);
    EXPECT_EQ(mode.Size(), DeviceMode::kSize);
}

TEST(DeviceModeTest, ValidKnownPaperCodeDecidesTheSize) {
    DeviceMode mode("P");
    mode.SetPaperSize(DeviceMode::kPaperB5);
    mode.SetPaperWidth(1);
    mode.SetOrientation(DeviceMode::kLandscape);
    mode.Validate(DeviceMode("P"));
    EXPECT_EQ(mode.PaperSize(), DeviceMode::kPaperB5);
    EXPECT_EQ(mode.PaperWidth(), 1820);
    EXPECT_EQ(mode.PaperLength(), 2570);
    EXPECT_EQ(mode.Orientation(), DeviceMode::kLandscape);
}

struct PaperCase {
    int width;
    int length;
    std::int16_t code;
};

class PaperCodeTest : public ::testing::TestWithParam<PaperCase> {};

TEST_P(PaperCodeTest, SizeMapsToCode) {
    EXPECT_EQ(DeviceMode::PaperCodeForSize(GetParam().width, GetParam().length), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PaperCodeTest,
                         ::testing::Values(PaperCase{21000, 29700, DeviceMode::kPaperA4},
                                           PaperCase{20990, 29700, DeviceMode::kPaperA4},
                                           PaperCase{21590, 27940, DeviceMode::kPaperLetter},
                                           PaperCase{18200, 25700, DeviceMode::kPaperB5},
                                           PaperCase{17600, 25000, DeviceMode::kPaperUser},
                                           PaperCase{29700, 21000, DeviceMode::kPaperUser}));

}  // namespace
}  // namespace korvent::platform
