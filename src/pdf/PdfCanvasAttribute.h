#pragma once

#include <cstdint>

namespace korvent::pdf {

class TPdfFont;

// The text state of a canvas. Setters only validate and store; nothing is written.
class TPdfCanvasAttribute {
public:
    float WordSpace() const { return FWordSpace; }
    float CharSpace() const { return FCharSpace; }
    float FontSize() const { return FFontSize; }
    TPdfFont* Font() const { return FFont; }
    float Leading() const { return FLeading; }
    std::int16_t HorizontalScaling() const { return FHorizontalScaling; }

    // Each throws EPdfInvalidValue for a value outside its range (or not a number).
    void SetWordSpace(float value);        // >= 0
    void SetCharSpace(float value);        // -30..300
    void SetFontSize(float value);         // 0..300
    void SetHorizontalScaling(int value);  // 10..300
    void SetLeading(float value);          // 0..300
    void SetFont(TPdfFont* font) { FFont = font; }

private:
    float FWordSpace = 0;
    float FCharSpace = 0;
    float FFontSize = 0;
    TPdfFont* FFont = nullptr;
    float FLeading = 0;
    std::int16_t FHorizontalScaling = 100;
};

}  // namespace korvent::pdf
