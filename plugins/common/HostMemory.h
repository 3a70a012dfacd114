#pragma once

#include <cstddef>

namespace korvent::plugins {

// Blocks handed to the host, which frees them as the plug-in interface says: local memory on
// Windows (LocalFree), the C library's heap elsewhere (free). Null when there is no memory.
void* HostAlloc(std::size_t size);  // zero-filled
void HostFree(void* block);         // null is allowed

}  // namespace korvent::plugins
