#include "platform/LocalTime.h"

namespace korvent::platform {

std::tm LocalTime(std::time_t t) {
    std::tm local{};
    localtime_s(&local, &t);
    return local;
}

}  // namespace korvent::platform
