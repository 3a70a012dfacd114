#include "platform/posix/GioRecycleBin.h"

#include <gio/gio.h>

namespace korvent::platform {
namespace {

bool MoveToTrash(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    GFile* file = g_file_new_for_path(path.c_str());
    GError* error = nullptr;
    const bool trashed = g_file_trash(file, nullptr, &error);
    g_clear_error(&error);
    g_object_unref(file);
    return trashed;
}

}  // namespace

std::vector<std::string> GioRecycleBin::Recycle(const std::vector<std::string>& paths) {
    std::vector<std::string> stayed;
    for (const std::string& path : paths) {
        if (!MoveToTrash(path)) {
            stayed.push_back(path);
        }
    }
    return stayed;
}

}  // namespace korvent::platform
