#pragma once

#include <array>

namespace korvent::plugins {

// A white point as CIE xy chromaticity.
struct TChromaticity {
    double x;
    double y;
};

// The white that L*a*b* values are relative to when a file names none (the graphic arts' D50).
constexpr TChromaticity kD50{0.3457, 0.3585};
constexpr TChromaticity kD65{0.3127, 0.3290};

// CIE L*a*b* values relative to `white`, shown on an sRGB display: L*a*b* to XYZ, XYZ adapted
// to sRGB's D65 white (Bradford), then sRGB's primaries and tone curve. The white itself comes
// out as sRGB white whatever its chromaticity.
class TLabToSrgb {
public:
    explicit TLabToSrgb(TChromaticity white);

    // sRGB red, green and blue from 0 to 1; colours outside sRGB are clipped.
    std::array<double, 3> Convert(double lightness, double a, double b) const;

private:
    using TMatrix = std::array<std::array<double, 3>, 3>;

    std::array<double, 3> fWhite;
    TMatrix fToLinearRgb;
};

}  // namespace korvent::plugins
