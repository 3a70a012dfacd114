#pragma once

#include <memory>
#include <string>

namespace korvent::platform {

// A shared library loaded at run time (the plug-ins). Its symbols are resolved at load time and
// kept local to it, so two plug-ins exporting the same names never see each other. Destroying
// the object unloads the library.
class DynamicLibrary {
public:
    // Null when the library cannot be loaded; `error`, when given, receives the system's reason.
    static std::unique_ptr<DynamicLibrary> Load(const std::string& path,
                                                std::string* error = nullptr);

    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;
    ~DynamicLibrary();

    // Address of the exported symbol `name`, or null when the library does not export it.
    void* Symbol(const char* name) const;
    // Full path of the loaded file as the system reports it; empty when it cannot be told.
    std::string ModulePath() const;

private:
    explicit DynamicLibrary(void* handle) : fHandle(handle) {}

    void* fHandle;
};

}  // namespace korvent::platform
