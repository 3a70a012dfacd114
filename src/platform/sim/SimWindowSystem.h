#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/WindowSystem.h"

namespace korvent::platform {

// Windows of other programs held in memory, for tests. Programs of the simulation create and
// destroy windows and react to the messages sent to them; every text and mouse message is
// recorded with its target and the clock time. A window's text is its caption, as on Windows:
// WM_SETTEXT changes what the caption reads. Handles are never reused.
class SimWindowSystem final : public WindowSystem {
public:
    using ThreadId = unsigned;

    // A window as a program creates it; a window with a parent is a child, any other is
    // top-level and goes to the top of the z-order.
    struct Properties {
        std::string className;
        std::string caption;
        WindowHandle parent = 0;
        WindowHandle owner = 0;
        ThreadId thread = 0;
        bool visible = true;
    };

    enum class Message { SetText, GetText, LeftButtonDown, LeftButtonUp };

    // One message sent through this window system. `text` is the text sent (SetText) or read
    // (GetText); `answered` is what the send returned.
    struct Record {
        Message message;
        WindowHandle window;
        std::string className;
        std::string caption;
        std::string text;
        std::chrono::milliseconds time;
        bool answered;

        bool operator==(const Record&) const = default;
    };

    explicit SimWindowSystem(Clock& clock) : fClock(clock) {}

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

    // What the simulated programs do with their windows. None of these runs the query hooks.
    ThreadId NewThread() { return fNextThread++; }
    WindowHandle Create(const Properties& props);
    // Destroys the window with its children and the windows it owns.
    void Destroy(WindowHandle window);
    bool Exists(WindowHandle window) const { return fWindows.contains(window); }
    // The window's text (caption), read without sending a message; empty when it is gone.
    std::string Text(WindowHandle window) const;
    void SetVisible(WindowHandle window, bool visible);
    // A window that refuses WM_SETTEXT keeps its text and answers false.
    void SetAcceptsText(WindowHandle window, bool accepts);
    // Called after every WM_SETTEXT the window receives, taken or refused.
    void OnSetText(WindowHandle window, std::function<void()> handler);
    // Called when a left button goes down and then up on the window, as a button is clicked.
    void OnClick(WindowHandle window, std::function<void()> handler);

    // Hooks run before every query and message of the WindowSystem interface, so that a
    // program's windows appear as soon as anyone looks after their time has come.
    int AddQueryHook(std::function<void()> hook);
    void RemoveQueryHook(int id) { fHooks.erase(id); }

    const std::vector<Record>& Records() const { return fRecords; }
    void ClearRecords() { fRecords.clear(); }

private:
    struct Window {
        Properties props;
        std::vector<WindowHandle> children;
        bool acceptsText = true;
        std::function<void()> onSetText;
        std::function<void()> onClick;
    };

    void RunQueryHooks();
    const Window* Find(WindowHandle window) const;
    Window* Find(WindowHandle window);
    void AppendDescendants(WindowHandle window, std::vector<WindowHandle>& out) const;
    void Unlink(WindowHandle window);
    void Log(Message message, WindowHandle window, const std::string& text, bool answered);
    static void Call(std::function<void()> handler);

    Clock& fClock;
    std::map<WindowHandle, Window> fWindows;
    std::vector<WindowHandle> fZOrder;  // top-level windows, topmost first
    std::map<int, std::function<void()>> fHooks;
    std::vector<Record> fRecords;
    WindowHandle fNextHandle = 0x10010;
    WindowHandle fPressed = 0;
    ThreadId fNextThread = 1;
    int fNextHookId = 1;
    bool fInHooks = false;
};

}  // namespace korvent::platform
