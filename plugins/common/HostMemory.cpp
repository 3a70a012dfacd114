#include "HostMemory.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace korvent::plugins {

#ifdef _WIN32
void* HostAlloc(std::size_t size) {
    return LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, size);
}

void HostFree(void* block) {
    LocalFree(block);
}
#else
void* HostAlloc(std::size_t size) {
    return std::calloc(1, size);
}

void HostFree(void* block) {
    std::free(block);
}
#endif

}  // namespace korvent::plugins
