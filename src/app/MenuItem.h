#pragma once

#include <string>

namespace korvent::app {

// One entry of a pop-up menu; an item with the caption "-" is a separator.
struct MenuItem {
    std::string Name;
    std::string Caption;
    bool IsSeparator() const { return Caption == "-"; }
};

}  // namespace korvent::app
