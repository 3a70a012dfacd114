#pragma once

#include "platform/RecycleBin.h"

namespace korvent::platform {

// The freedesktop.org trash through GIO: files on the home volume go to the user's trash
// ($XDG_DATA_HOME/Trash), files on other volumes to that volume's trash folder, each with its
// .trashinfo so that the desktop can restore it. GIO never falls back to deleting, so a file
// without a reachable trash folder stays where it is.
class GioRecycleBin final : public RecycleBin {
public:
    std::vector<std::string> Recycle(const std::vector<std::string>& paths) override;
};

}  // namespace korvent::platform
