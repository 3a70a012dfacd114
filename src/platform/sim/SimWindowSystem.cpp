#include "platform/sim/SimWindowSystem.h"

#include <algorithm>
#include <iterator>

#include "platform/IniDocument.h"

namespace korvent::platform {

namespace {

// At most `size` bytes of `text`, not ending inside a UTF-8 sequence.
std::string Cut(const std::string& text, size_t size) {
    if (text.size() <= size) {
        return text;
    }
    size_t end = size;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.substr(0, end);
}

constexpr size_t kClassNameLength = 99;

}  // namespace

std::vector<WindowHandle> SimWindowSystem::TopLevelWindows() {
    RunQueryHooks();
    return fZOrder;
}

bool SimWindowSystem::IsVisible(WindowHandle window) {
    RunQueryHooks();
    const Window* w = Find(window);
    while (w != nullptr && w->props.visible) {
        if (w->props.parent == 0) {
            return true;
        }
        w = Find(w->props.parent);
    }
    return false;
}

WindowHandle SimWindowSystem::Owner(WindowHandle window) {
    RunQueryHooks();
    const Window* w = Find(window);
    return w != nullptr ? w->props.owner : 0;
}

std::string SimWindowSystem::ClassName(WindowHandle window) {
    RunQueryHooks();
    const Window* w = Find(window);
    return w != nullptr ? Cut(w->props.className, kClassNameLength) : std::string();
}

std::string SimWindowSystem::Caption(WindowHandle window) {
    RunQueryHooks();
    return Text(window);
}

std::vector<WindowHandle> SimWindowSystem::ThreadWindows(WindowHandle window) {
    RunQueryHooks();
    std::vector<WindowHandle> result;
    const Window* w = Find(window);
    if (w == nullptr) {
        return result;
    }
    std::copy_if(fZOrder.begin(), fZOrder.end(), std::back_inserter(result),
                 [&](WindowHandle top) { return Find(top)->props.thread == w->props.thread; });
    return result;
}

std::vector<WindowHandle> SimWindowSystem::Descendants(WindowHandle window) {
    RunQueryHooks();
    std::vector<WindowHandle> result;
    AppendDescendants(window, result);
    return result;
}

WindowHandle SimWindowSystem::FindTopLevel(const std::string& className,
                                           const std::string& caption) {
    RunQueryHooks();
    auto it = std::find_if(fZOrder.begin(), fZOrder.end(), [&](WindowHandle top) {
        const Properties& props = Find(top)->props;
        return EqualsIgnoreCase(props.className, className) && props.caption == caption;
    });
    return it != fZOrder.end() ? *it : 0;
}

WindowHandle SimWindowSystem::FindChild(WindowHandle parent, const std::string& className,
                                        const std::optional<std::string>& caption) {
    RunQueryHooks();
    const Window* w = Find(parent);
    if (w == nullptr) {
        return 0;
    }
    auto it = std::find_if(w->children.begin(), w->children.end(), [&](WindowHandle child) {
        const Properties& props = Find(child)->props;
        return EqualsIgnoreCase(props.className, className) &&
               (!caption || props.caption == *caption);
    });
    return it != w->children.end() ? *it : 0;
}

bool SimWindowSystem::SetText(WindowHandle window, const std::string& text,
                              std::chrono::milliseconds) {
    RunQueryHooks();
    Window* w = Find(window);
    const bool taken = w != nullptr && w->acceptsText;
    Log(Message::SetText, window, text, taken);
    if (taken) {
        w->props.caption = text;
    }
    if (w != nullptr) {
        Call(w->onSetText);
    }
    return taken;
}

std::optional<std::string> SimWindowSystem::GetText(WindowHandle window, int capacity,
                                                    std::chrono::milliseconds) {
    RunQueryHooks();
    const Window* w = Find(window);
    if (w == nullptr) {
        Log(Message::GetText, window, {}, false);
        return std::nullopt;
    }
    const std::string text = Cut(w->props.caption, static_cast<size_t>(std::max(capacity - 1, 0)));
    Log(Message::GetText, window, text, true);
    return text;
}

bool SimWindowSystem::SendMouse(WindowHandle window, MouseMessage message,
                                std::chrono::milliseconds) {
    RunQueryHooks();
    const Window* w = Find(window);
    const bool down = message == MouseMessage::LeftButtonDown;
    Log(down ? Message::LeftButtonDown : Message::LeftButtonUp, window, {}, w != nullptr);
    if (w == nullptr) {
        return false;
    }
    const bool clicked = !down && fPressed == window;
    fPressed = down ? window : 0;
    if (clicked) {
        Call(w->onClick);
    }
    return true;
}

WindowHandle SimWindowSystem::Create(const Properties& props) {
    const WindowHandle handle = fNextHandle;
    fNextHandle += 4;
    fWindows[handle].props = props;
    if (Window* parent = Find(props.parent)) {
        parent->children.push_back(handle);
    } else {
        fWindows[handle].props.parent = 0;
        fZOrder.insert(fZOrder.begin(), handle);
    }
    return handle;
}

void SimWindowSystem::Destroy(WindowHandle window) {
    const Window* w = Find(window);
    if (w == nullptr) {
        return;
    }
    std::vector<WindowHandle> dependents = w->children;
    for (const auto& [handle, other] : fWindows) {
        if (other.props.owner == window) {
            dependents.push_back(handle);
        }
    }
    for (WindowHandle dependent : dependents) {
        Destroy(dependent);
    }
    Unlink(window);
    fWindows.erase(window);
    if (fPressed == window) {
        fPressed = 0;
    }
}

std::string SimWindowSystem::Text(WindowHandle window) const {
    const Window* w = Find(window);
    return w != nullptr ? w->props.caption : std::string();
}

void SimWindowSystem::SetVisible(WindowHandle window, bool visible) {
    if (Window* w = Find(window)) {
        w->props.visible = visible;
    }
}

void SimWindowSystem::SetAcceptsText(WindowHandle window, bool accepts) {
    if (Window* w = Find(window)) {
        w->acceptsText = accepts;
    }
}

void SimWindowSystem::OnSetText(WindowHandle window, std::function<void()> handler) {
    if (Window* w = Find(window)) {
        w->onSetText = std::move(handler);
    }
}

void SimWindowSystem::OnClick(WindowHandle window, std::function<void()> handler) {
    if (Window* w = Find(window)) {
        w->onClick = std::move(handler);
    }
}

int SimWindowSystem::AddQueryHook(std::function<void()> hook) {
    fHooks.emplace(fNextHookId, std::move(hook));
    return fNextHookId++;
}

void SimWindowSystem::RunQueryHooks() {
    if (fInHooks) {
        return;
    }
    fInHooks = true;
    const auto hooks = fHooks;
    for (const auto& [id, hook] : hooks) {
        hook();
    }
    fInHooks = false;
}

const SimWindowSystem::Window* SimWindowSystem::Find(WindowHandle window) const {
    auto it = fWindows.find(window);
    return it != fWindows.end() ? &it->second : nullptr;
}

SimWindowSystem::Window* SimWindowSystem::Find(WindowHandle window) {
    auto it = fWindows.find(window);
    return it != fWindows.end() ? &it->second : nullptr;
}

void SimWindowSystem::AppendDescendants(WindowHandle window, std::vector<WindowHandle>& out) const {
    const Window* w = Find(window);
    if (w == nullptr) {
        return;
    }
    for (WindowHandle child : w->children) {
        out.push_back(child);
        AppendDescendants(child, out);
    }
}

void SimWindowSystem::Unlink(WindowHandle window) {
    const Window* w = Find(window);
    Window* parent = Find(w->props.parent);
    auto& siblings = parent != nullptr ? parent->children : fZOrder;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
}

void SimWindowSystem::Log(Message message, WindowHandle window, const std::string& text,
                          bool answered) {
    const Window* w = Find(window);
    fRecords.push_back({message, window, w != nullptr ? w->props.className : std::string(),
                        w != nullptr ? w->props.caption : std::string(), text, fClock.Now(),
                        answered});
}

// A handler may destroy the window that holds it, so it runs from a copy.
void SimWindowSystem::Call(std::function<void()> handler) {
    if (handler) {
        handler();
    }
}

}  // namespace korvent::platform
