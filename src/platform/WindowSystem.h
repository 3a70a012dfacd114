#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvent::platform {

// A window of any program on the desktop; 0 is no window.
using WindowHandle = std::uintptr_t;

enum class MouseMessage { LeftButtonDown, LeftButtonUp };

// The windows of other programs, reached only through what a window system tells everyone:
// classes, captions, owners, threads and children, and messages sent with a time-out. Texts are
// UTF-8; a Windows implementation converts from the system code page. Every operation on a
// window that no longer exists fails quietly (empty text, no windows, false).
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Every top-level window in z-order from the topmost, hidden and owned ones included.
    virtual std::vector<WindowHandle> TopLevelWindows() = 0;
    virtual bool IsVisible(WindowHandle window) = 0;
    // The owner window, or 0.
    virtual WindowHandle Owner(WindowHandle window) = 0;
    // The class name, at most 99 characters.
    virtual std::string ClassName(WindowHandle window) = 0;
    virtual std::string Caption(WindowHandle window) = 0;
    // The top-level windows of the thread that created `window`, in the system's order.
    virtual std::vector<WindowHandle> ThreadWindows(WindowHandle window) = 0;
    // All descendants of `window`, parents before their children.
    virtual std::vector<WindowHandle> Descendants(WindowHandle window) = 0;
    // The first top-level window, hidden and owned ones included, whose class equals
    // `className` ignoring letter case and whose caption equals `caption` exactly; or 0.
    virtual WindowHandle FindTopLevel(const std::string& className, const std::string& caption) = 0;
    // The first direct child of `parent` whose class equals `className` ignoring letter case
    // and, when given, whose caption equals `caption` exactly; or 0.
    virtual WindowHandle FindChild(WindowHandle parent, const std::string& className,
                                   const std::optional<std::string>& caption) = 0;

    // WM_SETTEXT: false when the window does not answer within `timeout` or refuses the text.
    virtual bool SetText(WindowHandle window, const std::string& text,
                         std::chrono::milliseconds timeout) = 0;
    // WM_GETTEXT into a buffer of `capacity` characters (the text is cut to capacity - 1);
    // nothing when the window does not answer within `timeout`.
    virtual std::optional<std::string> GetText(WindowHandle window, int capacity,
                                               std::chrono::milliseconds timeout) = 0;
    // A mouse-button message with position (0, 0) and no keys; false on time-out.
    virtual bool SendMouse(WindowHandle window, MouseMessage message,
                           std::chrono::milliseconds timeout) = 0;
};

}  // namespace korvent::platform
