#include "platform/win32/ShellExecuteActions.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/Utf16.h"

namespace korvent::platform {
namespace {

// The program started for a request; its handle is closed when the object goes.
class ShellProcess final : public Process {
public:
    explicit ShellProcess(HANDLE handle) : fHandle(handle) {}
    ~ShellProcess() override { CloseHandle(fHandle); }
    ShellProcess(const ShellProcess&) = delete;
    ShellProcess& operator=(const ShellProcess&) = delete;

    bool Running() override { return WaitForSingleObject(fHandle, 0) == WAIT_TIMEOUT; }

private:
    HANDLE fHandle;
};

// The shell reports most failures in hInstApp (values up to 32); the rest only through the
// thread's last error, whose codes below 32 are the same numbers.
int ErrorCode(const SHELLEXECUTEINFOW& info) {
    const auto instance = reinterpret_cast<INT_PTR>(info.hInstApp);
    if (instance > 0 && instance <= 32) {
        return static_cast<int>(instance);
    }
    switch (const DWORD error = GetLastError()) {
        case ERROR_NO_ASSOCIATION:
            return shell_error::NoAssociation;
        case ERROR_OUTOFMEMORY:
            return shell_error::OutOfMemory;
        default:
            return static_cast<int>(error);
    }
}

}  // namespace

ShellResult ShellExecuteActions::Execute(ShellVerb verb, const std::string& path) {
    const std::wstring file = ToUtf16(path);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = verb == ShellVerb::Print ? L"print" : L"open";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOW;
    ShellResult result;
    if (!ShellExecuteExW(&info)) {
        result.error = ErrorCode(info);
    } else if (info.hProcess) {
        result.process = std::make_unique<ShellProcess>(info.hProcess);
    }
    return result;
}

}  // namespace korvent::platform
