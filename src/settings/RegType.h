#pragma once

namespace korvent::settings {

// Back ends of the settings manager, in their stored order.
enum TRegType { rtReg = 0, rtIni = 1 };

}  // namespace korvent::settings
