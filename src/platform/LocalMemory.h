#pragma once

#include <cstddef>

namespace korvent::platform {

// Memory blocks that plug-ins allocate and hand to the program (the local-memory handles of
// the plug-in interface). On Linux they come from the C library's malloc.

// Releases a block; null is allowed.
void LocalFree(void* block);
// Bytes usable in a block (at least what was requested); 0 for null. Lets the program check
// that a block is as large as the header describing it claims before reading it.
std::size_t LocalSize(const void* block);

}  // namespace korvent::platform
