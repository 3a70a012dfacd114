#pragma once

#include "platform/WindowSystem.h"

namespace korvent::platform {

// The windows of the Windows desktop. Classes and captions are read with the "A" functions
// and turned into UTF-8 from the process's code page; texts are sent the same way. An edit
// field's text is read back in UTF-16, so that its capacity counts characters, not bytes.
class DesktopWindows final : public WindowSystem {
public:
    std::vector<WindowHandle> TopLevelWindows() override;
    bool IsVisible(WindowHandle window) override;
    WindowHandle Owner(WindowHandle window) override;
    std::string ClassName(WindowHandle window) override;
    std::string Caption(WindowHandle window) override;
    std::vector<WindowHandle> ThreadWindows(WindowHandle window) override;
    std::vector<WindowHandle> Descendants(WindowHandle window) override;
    WindowHandle FindTopLevel(const std::string& className, const std::string& caption) override;
    WindowHandle FindChild(WindowHandle parent, const std::string& className,
                           const std::optional<std::string>& caption) override;
    bool SetText(WindowHandle window, const std::string& text,
                 std::chrono::milliseconds timeout) override;
    std::optional<std::string> GetText(WindowHandle window, int capacity,
                                       std::chrono::milliseconds timeout) override;
    bool SendMouse(WindowHandle window, MouseMessage message,
                   std::chrono::milliseconds timeout) override;
};

}  // namespace korvent::platform
