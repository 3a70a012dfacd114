#include "platform/Console.h"

#include <windows.h>

namespace korvent::platform {

bool StandardErrorIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace korvent::platform
