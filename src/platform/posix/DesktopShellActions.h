#pragma once

#include "platform/ShellActions.h"

namespace korvent::platform {

// The desktop's actions on Linux. A path that does not exist gives 2 (3 when its folder is
// missing too), one that cannot be read 5.
// "Open" starts `xdg-open <path>` and returns its process at once (31 without xdg-open).
// "Print" sends what CUPS prints itself (PDF, PostScript, plain text, JPEG, PNG, GIF, TIFF:
// the extension names the type and the content must confirm it) to the user's default CUPS
// destination. Success carries no process: the job is queued when Execute returns, and the
// CUPS queue, not a program, carries it out. Other types give 31. No CUPS server answering
// within a few seconds, or no default destination, gives shell_error::PrintSystemUnavailable.
class DesktopShellActions final : public ShellActions {
public:
    ShellResult Execute(ShellVerb verb, const std::string& path) override;
};

}  // namespace korvent::platform
