#include "platform/Console.h"

#include <unistd.h>

namespace korvent::platform {

bool StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) != 0;
}

}  // namespace korvent::platform
