#include "platform/TextCodec.h"

#include <gtest/gtest.h>

namespace korvent::platform {
namespace {

// "日本語" in CP932 and UTF-8.
const std::string kCp932 = "\x93\xFA\x96\x7B\x8C\xEA";
const std::string kUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";

TEST(TextCodec, RoundTripsJapanese) {
    EXPECT_EQ(Utf8ToCp932(kUtf8), kCp932);
    EXPECT_EQ(Cp932ToUtf8(kCp932), kUtf8);
}

TEST(TextCodec, Utf16OfCp932) {
    EXPECT_EQ(Cp932ToUtf16("A" + kCp932), u"A日本語");
    // The wave dash of CP932 (0x8160) is U+FF5E, not U+301C.
    EXPECT_EQ(Cp932ToUtf16("\x81\x60"), u"\uFF5E");
}

TEST(TextCodec, UnconvertibleCharactersBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80"
                          "b"),
              "a?b");  // an emoji has no CP932 form
    EXPECT_EQ(Utf8ToCp932("a\xFF"
                          "b"),
              "a?b");
}

TEST(TextCodec, TruncatedDoubleByteCharacterIsReplaced) {
    EXPECT_EQ(Cp932ToUtf8("A\x93"), "A\xEF\xBF\xBD");
}

struct Utf8Case {
    const char* text;
    bool valid;
    friend void PrintTo(const Utf8Case& c, std::ostream* os) {
        *os << ::testing::PrintToString(std::string(c.text));
    }
};

class Utf8Validity : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Validity, Detects) {
    EXPECT_EQ(IsValidUtf8(GetParam().text), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Samples, Utf8Validity,
                         ::testing::Values(Utf8Case{"", true}, Utf8Case{"plain", true},
                                           Utf8Case{"\xE6\x97\xA5", true},
                                           Utf8Case{"\xF0\x9F\x98\x80", true},
                                           Utf8Case{"\x93\xFA\x96\x7B", false},    // CP932
                                           Utf8Case{"\xE6\x97", false},            // cut short
                                           Utf8Case{"\xC0\xAF", false},            // overlong
                                           Utf8Case{"\xED\xA0\x80", false},        // surrogate
                                           Utf8Case{"\xF4\x90\x80\x80", false}));  // above U+10FFFF

}  // namespace
}  // namespace korvent::platform
