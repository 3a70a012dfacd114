#include "platform/LocalMemory.h"

#include <malloc.h>

#include <cstdlib>

namespace korvent::platform {

void LocalFree(void* block) {
    std::free(block);
}

std::size_t LocalSize(const void* block) {
    return block ? malloc_usable_size(const_cast<void*>(block)) : 0;
}

}  // namespace korvent::platform
