#pragma once

#include <cstdint>

namespace korvent::pdf {

// Descriptor values of one Japanese font style.
struct TPdfJpFontStyle {
    const char* name;  // registered name and BaseFont
    std::int32_t flags;
    std::int32_t italicAngle;
    std::int32_t stemV;
};

}  // namespace korvent::pdf
