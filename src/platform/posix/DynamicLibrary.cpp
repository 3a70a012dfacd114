#include "platform/DynamicLibrary.h"

#include <dlfcn.h>
#include <link.h>

#include <filesystem>
#include <system_error>

namespace korvent::platform {

std::unique_ptr<DynamicLibrary> DynamicLibrary::Load(const std::string& path, std::string* error) {
    // dlopen takes an empty name for the program itself, which is no library to load here.
    if (path.empty()) {
        if (error) {
            *error = "no library named";
        }
        return nullptr;
    }
    dlerror();
    // A name without a slash would make dlopen search the library path instead of the folder
    // the caller found the file in.
    std::string name = path;
    if (name.find('/') == std::string::npos) {
        name = "./" + name;
    }
    void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (error) {
            const char* reason = dlerror();
            *error = reason ? reason : "cannot load " + path;
        }
        return nullptr;
    }
    return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle));
}

DynamicLibrary::~DynamicLibrary() {
    dlclose(fHandle);
}

void* DynamicLibrary::Symbol(const char* name) const {
    return dlsym(fHandle, name);
}

std::string DynamicLibrary::ModulePath() const {
    // dladdr names the file that holds an address; the library's dynamic section is one address
    // that every loaded library has, whatever it exports.
    link_map* map = nullptr;
    if (dlinfo(fHandle, RTLD_DI_LINKMAP, &map) != 0 || !map) {
        return {};
    }
    Dl_info info{};
    if (dladdr(map->l_ld, &info) == 0 || !info.dli_fname || !*info.dli_fname) {
        return {};
    }
    std::error_code ec;
    const auto full = std::filesystem::absolute(info.dli_fname, ec);
    return ec ? std::string(info.dli_fname) : full.lexically_normal().string();
}

}  // namespace korvent::platform
