#pragma once

#include <string>

namespace korvent::app {

// Whether anything (file or folder) exists at `path`; false when it cannot be told.
bool PathExists(const std::string& path);
// Whether `path` is a regular file (links followed); false when it cannot be told.
bool IsRegularFile(const std::string& path);

}  // namespace korvent::app
