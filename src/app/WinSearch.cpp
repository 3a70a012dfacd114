#include "app/WinSearch.h"

#include <algorithm>

#include "platform/TextCase.h"

namespace korvent::app {
namespace {

std::vector<WindowHandle> Capped(std::vector<WindowHandle> list) {
    if (list.size() > TWinSearch::kMaxWindows) {
        list.resize(TWinSearch::kMaxWindows);
    }
    return list;
}

}  // namespace

std::string TWinSearch::GetWindowClassName(WindowHandle window) {
    return fWindows.ClassName(window);
}

std::string TWinSearch::GetWindowCaption(WindowHandle window) {
    return fWindows.Caption(window);
}

std::vector<WindowHandle> TWinSearch::ListTopWindows() {
    std::vector<WindowHandle> list;
    for (const WindowHandle w : fWindows.TopLevelWindows()) {
        if (fWindows.Owner(w) == 0 && fWindows.IsVisible(w)) {
            list.push_back(w);
        }
    }
    return Capped(std::move(list));
}

WindowHandle TWinSearch::FindTopWindow(const std::string& className, const std::string& caption) {
    for (const WindowHandle w : ListTopWindows()) {
        if (platform::SameTextIgnoringCase(GetWindowClassName(w), className) &&
            GetWindowCaption(w) == caption) {
            return w;
        }
    }
    return 0;
}

std::vector<WindowHandle> TWinSearch::ListThreadWindows(WindowHandle window) {
    return Capped(fWindows.ThreadWindows(window));
}

std::vector<WindowHandle> TWinSearch::ListOwnedWindows(WindowHandle window) {
    std::vector<WindowHandle> list = ListThreadWindows(window);
    std::erase_if(list, [&](WindowHandle w) { return fWindows.Owner(w) != window; });
    return list;
}

WindowHandle TWinSearch::FindDescendantByClass(WindowHandle window, const std::string& className) {
    for (const WindowHandle w : Capped(fWindows.Descendants(window))) {
        if (platform::SameTextIgnoringCase(GetWindowClassName(w), className)) {
            return w;
        }
    }
    return 0;
}

}  // namespace korvent::app
