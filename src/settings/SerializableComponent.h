#pragma once

#include <string>
#include <vector>

namespace korvent::settings {

// The small part of a component that the settings manager can store and restore: its name,
// its children (depth-first) and its state as bytes. The main window does not use it.
class SerializableComponent {
public:
    virtual ~SerializableComponent() = default;

    virtual std::string Name() const = 0;
    virtual void SetName(const std::string& name) = 0;
    virtual bool IsForm() const { return false; }
    virtual std::vector<SerializableComponent*> Children() const { return {}; }
    virtual std::string SaveState() const = 0;
    // Throws korvent::Exception when `state` cannot be read; the component is then unchanged.
    virtual void LoadState(const std::string& state) = 0;
};

}  // namespace korvent::settings
