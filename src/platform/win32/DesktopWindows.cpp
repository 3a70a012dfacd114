#include "platform/win32/DesktopWindows.h"

#include <windows.h>

#include "platform/win32/Utf16.h"

namespace korvent::platform {
namespace {

HWND Hwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

WindowHandle Handle(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
}

BOOL CALLBACK Collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<WindowHandle>*>(list)->push_back(Handle(window));
    return TRUE;
}

LPARAM ListParam(std::vector<WindowHandle>& list) {
    return reinterpret_cast<LPARAM>(&list);
}

// A time-out that SendMessageTimeout takes; a hung window is given up at once.
UINT Milliseconds(std::chrono::milliseconds timeout) {
    return static_cast<UINT>(std::max<std::chrono::milliseconds::rep>(timeout.count(), 0));
}

bool Send(HWND window, UINT message, WPARAM w, LPARAM l, std::chrono::milliseconds timeout,
          DWORD_PTR& result) {
    return SendMessageTimeoutA(window, message, w, l, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                               Milliseconds(timeout), &result) != 0;
}

// Windows of `parent` (0: the desktop) of the class, and of the caption when given, in the
// system's order; FindWindowExA matches the caption without regard to case, we do not.
HWND FindExact(HWND parent, const std::string& className, const std::optional<std::string>& caption,
               DesktopWindows& windows) {
    const std::string ansiClass = ToAnsi(className);
    const std::string ansiCaption = caption ? ToAnsi(*caption) : std::string();
    HWND after = nullptr;
    while ((after = FindWindowExA(parent, after, ansiClass.c_str(),
                                  caption ? ansiCaption.c_str() : nullptr)) != nullptr) {
        if (!caption || windows.Caption(Handle(after)) == *caption) {
            return after;
        }
    }
    return nullptr;
}

}  // namespace

std::vector<WindowHandle> DesktopWindows::TopLevelWindows() {
    std::vector<WindowHandle> windows;
    EnumWindows(Collect, ListParam(windows));
    return windows;
}

bool DesktopWindows::IsVisible(WindowHandle window) {
    return IsWindowVisible(Hwnd(window)) != 0;
}

WindowHandle DesktopWindows::Owner(WindowHandle window) {
    return Handle(GetWindow(Hwnd(window), GW_OWNER));
}

std::string DesktopWindows::ClassName(WindowHandle window) {
    char buffer[100];
    const int n = GetClassNameA(Hwnd(window), buffer, sizeof buffer);
    return n > 0 ? FromAnsi(std::string_view(buffer, static_cast<std::size_t>(n))) : std::string();
}

std::string DesktopWindows::Caption(WindowHandle window) {
    const int length = GetWindowTextLengthA(Hwnd(window));
    if (length <= 0) {
        return {};
    }
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    const int n = GetWindowTextA(Hwnd(window), buffer.data(), length + 1);
    buffer.resize(static_cast<std::size_t>(std::max(n, 0)));
    return FromAnsi(buffer);
}

std::vector<WindowHandle> DesktopWindows::ThreadWindows(WindowHandle window) {
    std::vector<WindowHandle> windows;
    const DWORD thread = GetWindowThreadProcessId(Hwnd(window), nullptr);
    if (thread != 0) {
        EnumThreadWindows(thread, Collect, ListParam(windows));
    }
    return windows;
}

std::vector<WindowHandle> DesktopWindows::Descendants(WindowHandle window) {
    std::vector<WindowHandle> windows;
    if (IsWindow(Hwnd(window))) {
        EnumChildWindows(Hwnd(window), Collect, ListParam(windows));
    }
    return windows;
}

WindowHandle DesktopWindows::FindTopLevel(const std::string& className,
                                          const std::string& caption) {
    return Handle(FindExact(nullptr, className, caption, *this));
}

WindowHandle DesktopWindows::FindChild(WindowHandle parent, const std::string& className,
                                       const std::optional<std::string>& caption) {
    if (!IsWindow(Hwnd(parent))) {
        return 0;
    }
    return Handle(FindExact(Hwnd(parent), className, caption, *this));
}

bool DesktopWindows::SetText(WindowHandle window, const std::string& text,
                             std::chrono::milliseconds timeout) {
    const std::string ansi = ToAnsi(text);
    DWORD_PTR result = 0;
    return Send(Hwnd(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ansi.c_str()), timeout,
                result) &&
           result != 0;
}

std::optional<std::string> DesktopWindows::GetText(WindowHandle window, int capacity,
                                                   std::chrono::milliseconds timeout) {
    if (capacity <= 0) {
        return std::string();
    }
    std::wstring buffer(static_cast<std::size_t>(capacity), L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(Hwnd(window), WM_GETTEXT, static_cast<WPARAM>(capacity),
                             reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG | SMTO_NORMAL, Milliseconds(timeout), &copied)) {
        return std::nullopt;
    }
    buffer.resize(std::min<std::size_t>(copied, static_cast<std::size_t>(capacity) - 1));
    return FromUtf16(buffer);
}

bool DesktopWindows::SendMouse(WindowHandle window, MouseMessage message,
                               std::chrono::milliseconds timeout) {
    const UINT code = message == MouseMessage::LeftButtonDown ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    DWORD_PTR ignored = 0;
    return Send(Hwnd(window), code, 0, 0, timeout, ignored);
}

}  // namespace korvent::platform
