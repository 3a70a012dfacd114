#pragma once

#include "platform/RecycleBin.h"

namespace korvent::platform {

// The Windows recycle bin through the shell's file operation, without questions or progress
// windows. A file the shell refuses stays where it is. Where a drive has no bin (network
// drives) the shell itself deletes for good; asking first would need a dialog that nobody may
// be there to answer.
class ShellRecycleBin final : public RecycleBin {
public:
    std::vector<std::string> Recycle(const std::vector<std::string>& paths) override;
};

}  // namespace korvent::platform
