#pragma once

#include <filesystem>

namespace korvent::platform {

// Moves a finished file to its final path: a rename, or across file systems a copy to a
// temporary file in the target's folder, synced and renamed into place, so the final path
// never shows a partial file. With `replace` false an existing target is left alone and the
// move fails. The source is removed only once the target is complete.
bool MoveFile(const std::filesystem::path& from, const std::filesystem::path& to, bool replace);

}  // namespace korvent::platform
