#pragma once

#include <stdexcept>
#include <string>

namespace korvent {

// Base of every error the program raises. what() is the exact message text, shown to the user
// as it stands where an error reaches the window.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace korvent
