#pragma once

#include <memory>

#include "graphics/Graphic.h"

namespace korvent::graphics {

// A kind of picture as a value, so that it can be stored and compared: what the picture-format
// registry maps file extensions to. Each picture class has one constant instance.
struct TGraphicClass {
    const char* Name;
    std::unique_ptr<TGraphic> (*Create)();
};

}  // namespace korvent::graphics
