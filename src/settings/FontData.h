#pragma once

#include <cstdint>
#include <string>

namespace korvent::settings {

// A font as the settings store keeps it: name, size in points, colour (0x00BBGGRR, or a system
// colour with the high byte set), style bits (1 bold, 2 italic, 4 underline, 8 strike-out) and
// character set.
struct FontData {
    std::string Name = "ＭＳ Ｐゴシック";
    int Size = 9;
    std::int32_t Color = 0x00000000;
    int Style = 0;
    int Charset = 128;  // SHIFTJIS_CHARSET
};

}  // namespace korvent::settings
