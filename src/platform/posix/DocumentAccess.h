#pragma once

#include <filesystem>

namespace korvent::platform {

// Whether a document can be handed to a writer: 0 when it is a readable file, otherwise the
// shell error code that names why not (shell_error).
int DocumentAccessError(const std::filesystem::path& document);

}  // namespace korvent::platform
