#pragma once

#include <filesystem>
#include <system_error>

namespace korvent::platform {

enum class MoveMode { Replace, KeepExisting };

// Moves a finished file to its final path so that a reader never sees part of it there: a
// rename within one file system; across file systems a copy to a temporary file in the target
// folder, synced, then renamed into place, and only then is the source removed. KeepExisting
// refuses (file_exists) when the target exists, without a window in which another file could
// slip in. On any error the target is as it was and the source is kept. A source that cannot
// be removed after its copy is in place stays where it was; the move counts as done.
std::error_code MoveFile(const std::filesystem::path& from, const std::filesystem::path& to,
                         MoveMode mode);

}  // namespace korvent::platform
