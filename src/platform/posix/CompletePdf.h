#pragma once

#include <filesystem>

namespace korvent::platform {

// Whether the file is a PDF that its writer has finished: it starts with the PDF header and its
// last kilobyte holds the end-of-file marker. Writers append the marker last, so a file still
// being written fails the test.
bool IsCompletePdf(const std::filesystem::path& file);

}  // namespace korvent::platform
