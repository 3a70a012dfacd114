#pragma once

namespace korvent::platform {

// Whether standard error goes to a terminal that a person watches (progress lines are shown
// there only).
bool StandardErrorIsTerminal();

}  // namespace korvent::platform
