#pragma once

#include <cstdint>

namespace korvent::pdf {

// CIDs first..last share one width.
struct TPdfCIDWidthItem {
    std::int32_t FirstCID = 0;
    std::int32_t LastCID = 0;
    std::int32_t Width = 0;
};

}  // namespace korvent::pdf
