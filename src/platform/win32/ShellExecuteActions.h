#pragma once

#include "platform/ShellActions.h"

namespace korvent::platform {

// The Windows shell's verbs "print" and "open" (ShellExecuteExW, no error dialogs of the
// shell's own). A refused request gives the shell's error code (2, 3, 5, 8, 27, 31, …); a
// request carried out by a program started for it gives that program to wait for.
class ShellExecuteActions final : public ShellActions {
public:
    ShellResult Execute(ShellVerb verb, const std::string& path) override;
};

}  // namespace korvent::platform
