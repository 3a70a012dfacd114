#pragma once

#include <string>
#include <vector>

namespace korvent::platform {

// The desktop's recycle bin. Files go there instead of being deleted for good; a file that
// cannot be moved there stays where it is.
class RecycleBin {
public:
    virtual ~RecycleBin() = default;
    // Moves every path to the bin; returns the paths that stayed where they were.
    virtual std::vector<std::string> Recycle(const std::vector<std::string>& paths) = 0;
};

}  // namespace korvent::platform
