#pragma once

#include <ctime>

namespace korvent::platform {

// The calendar time of `t` in the user's time zone (thread-safe, unlike std::localtime).
std::tm LocalTime(std::time_t t);

}  // namespace korvent::platform
