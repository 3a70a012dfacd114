#pragma once

#include <string>
#include <vector>

#include "platform/WindowSystem.h"

namespace korvent::app {

using platform::WindowHandle;

// The searches of the desktop's windows that the Save-dialog automation is built from. Every
// list holds at most kMaxWindows handles, in the window system's order.
class TWinSearch {
public:
    static constexpr std::size_t kMaxWindows = 500;

    explicit TWinSearch(platform::WindowSystem& windows) : fWindows(windows) {}

    std::string GetWindowClassName(WindowHandle window);
    std::string GetWindowCaption(WindowHandle window);
    // Visible top-level windows without owner, from the topmost.
    std::vector<WindowHandle> ListTopWindows();
    // The first of ListTopWindows with that class (ignoring letter case) and exact caption.
    WindowHandle FindTopWindow(const std::string& className, const std::string& caption);
    // The top-level windows of the thread that created `window`.
    std::vector<WindowHandle> ListThreadWindows(WindowHandle window);
    // Those of ListThreadWindows(window) that `window` owns.
    std::vector<WindowHandle> ListOwnedWindows(WindowHandle window);
    // The first descendant of `window`, at any depth, of that class (ignoring letter case).
    WindowHandle FindDescendantByClass(WindowHandle window, const std::string& className);

    platform::WindowSystem& Windows() { return fWindows; }

private:
    platform::WindowSystem& fWindows;
};

}  // namespace korvent::app
