#include "pdf/PdfCanvasAttribute.h"

#include "pdf/PdfInvalidValue.h"

namespace korvent::pdf {
namespace {

// Written so that NaN, which compares false with everything, is refused too.
bool Within(float value, float low, float high) {
    return value >= low && value <= high;
}

}  // namespace

void TPdfCanvasAttribute::SetWordSpace(float value) {
    if (!(value >= 0)) {
        throw EPdfInvalidValue("SetWordSpace --invalid word space");
    }
    FWordSpace = value;
}

void TPdfCanvasAttribute::SetCharSpace(float value) {
    if (!Within(value, -30, 300)) {
        throw EPdfInvalidValue("SetCharSpace --invalid char space");
    }
    FCharSpace = value;
}

void TPdfCanvasAttribute::SetFontSize(float value) {
    if (!Within(value, 0, 300)) {
        throw EPdfInvalidValue("SetCharSpace --invalid font size");
    }
    FFontSize = value;
}

void TPdfCanvasAttribute::SetHorizontalScaling(int value) {
    if (value < 10 || value > 300) {
        throw EPdfInvalidValue("SetHorizontalScaling --invalid font size");
    }
    FHorizontalScaling = static_cast<std::int16_t>(value);
}

void TPdfCanvasAttribute::SetLeading(float value) {
    if (!Within(value, 0, 300)) {
        throw EPdfInvalidValue("SetLeading --invalid font size");
    }
    FLeading = value;
}

}  // namespace korvent::pdf
