#include "platform/LocalMemory.h"

#include <windows.h>

namespace korvent::platform {

// Plug-ins hand over blocks of the system's local heap, as the plug-in interface defines.
void LocalFree(void* block) {
    ::LocalFree(static_cast<HLOCAL>(block));
}

std::size_t LocalSize(const void* block) {
    return block ? ::LocalSize(const_cast<HLOCAL>(block)) : 0;
}

}  // namespace korvent::platform
