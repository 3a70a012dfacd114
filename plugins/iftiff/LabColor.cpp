#include "LabColor.h"

#include <algorithm>
#include <cmath>

namespace korvent::plugins {
namespace {

using TVector = std::array<double, 3>;
using TMatrix = std::array<std::array<double, 3>, 3>;

// Bradford's cone response matrix and its inverse.
constexpr TMatrix kBradford = {
    {{0.8951, 0.2664, -0.1614}, {-0.7502, 1.7135, 0.0367}, {0.0389, -0.0685, 1.0296}}};
constexpr TMatrix kBradfordInverse = {{{0.9869929, -0.1470543, 0.1599627},
                                       {0.4323053, 0.5183603, 0.0492912},
                                       {-0.0085287, 0.0400428, 0.9684867}}};
// XYZ (D65) to linear sRGB.
constexpr TMatrix kXyzToSrgb = {{{3.2404542, -1.5371385, -0.4985314},
                                 {-0.9692660, 1.8760108, 0.0415560},
                                 {0.0556434, -0.2040259, 1.0572252}}};

TVector Times(const TMatrix& m, const TVector& v) {
    TVector out{};
    for (std::size_t i = 0; i < 3; ++i) {
        out[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    }
    return out;
}

TMatrix Times(const TMatrix& a, const TMatrix& b) {
    TMatrix out{};
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = 0; j < 3; ++j) {
            out[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
        }
    }
    return out;
}

TVector WhiteXyz(TChromaticity white) {
    return {white.x / white.y, 1.0, (1.0 - white.x - white.y) / white.y};
}

// Bradford's adaptation of XYZ colours seen under `from` to how they look under `to`.
TMatrix Adaptation(const TVector& from, const TVector& to) {
    const TVector coneFrom = Times(kBradford, from);
    const TVector coneTo = Times(kBradford, to);
    TMatrix scale{};
    for (std::size_t i = 0; i < 3; ++i) {
        scale[i][i] = coneTo[i] / coneFrom[i];
    }
    return Times(kBradfordInverse, Times(scale, kBradford));
}

// The inverse of L*a*b*'s cube-root curve, with its linear part near black.
double LabInverse(double t) {
    constexpr double kDelta = 6.0 / 29.0;
    return t > kDelta ? t * t * t : 3.0 * kDelta * kDelta * (t - 4.0 / 29.0);
}

double SrgbEncoded(double linear) {
    const double c = std::clamp(linear, 0.0, 1.0);
    return c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
}

}  // namespace

TLabToSrgb::TLabToSrgb(TChromaticity white)
    : fWhite(WhiteXyz(white)),
      fToLinearRgb(Times(kXyzToSrgb, Adaptation(WhiteXyz(white), WhiteXyz(kD65)))) {}

std::array<double, 3> TLabToSrgb::Convert(double lightness, double a, double b) const {
    const double fy = (lightness + 16.0) / 116.0;
    const TVector xyz = {fWhite[0] * LabInverse(fy + a / 500.0), fWhite[1] * LabInverse(fy),
                         fWhite[2] * LabInverse(fy - b / 200.0)};
    const TVector rgb = Times(fToLinearRgb, xyz);
    return {SrgbEncoded(rgb[0]), SrgbEncoded(rgb[1]), SrgbEncoded(rgb[2])};
}

}  // namespace korvent::plugins
