#include "app/PathText.h"

#include <filesystem>

namespace korvent::app {
namespace {

// Length of the drive prefix ("C:") of a "\" path, else 0.
size_t DriveLength(const std::string& path, char sep) {
    return (sep == '\\' && path.size() >= 2 && path[1] == ':') ? 2 : 0;
}

// Index one past the last separator or drive colon: where the file name starts.
size_t NameStart(const std::string& path, char sep) {
    const size_t last = path.find_last_of(sep);
    size_t start = last == std::string::npos ? 0 : last + 1;
    if (start < DriveLength(path, sep)) {
        start = DriveLength(path, sep);
    }
    return start;
}

}  // namespace

std::string ExtractFileName(const std::string& path, char sep) {
    return path.substr(NameStart(path, sep));
}

std::string ExtractFileDir(const std::string& path, char sep) {
    const size_t start = NameStart(path, sep);
    std::string dir = path.substr(0, start);
    const size_t drive = DriveLength(path, sep);
    // A root keeps its separator: "/" or "C:\".
    if (dir.size() > drive + 1 && dir.back() == sep) {
        dir.pop_back();
    }
    return dir;
}

std::string ExcludeTrailingDelimiter(const std::string& dir, char sep) {
    // The root "/" alone stays: without its separator it would read as no folder at all.
    if (dir.size() > 1 && dir.back() == sep) {
        return dir.substr(0, dir.size() - 1);
    }
    return dir;
}

std::string ExtractFileExt(const std::string& path, char sep) {
    const size_t start = NameStart(path, sep);
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < start) {
        return {};
    }
    return path.substr(dot);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext, char sep) {
    const size_t start = NameStart(path, sep);
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < start) {
        return path + ext;
    }
    return path.substr(0, dot) + ext;
}

std::string RemoveLastFour(const std::string& name, char sep) {
    const size_t start = NameStart(name, sep);
    const size_t keep = name.size() >= start + 4 ? name.size() - 4 : start;
    return name.substr(0, keep);
}

void DropFirstFolder(std::string& folder, char sep) {
    const std::string ellipsis = std::string("...") + sep;
    std::string lead;
    if (!folder.empty() && folder.front() == sep) {
        lead = sep;
        folder.erase(0, 1);
    }
    if (folder.starts_with(ellipsis)) {
        folder.erase(0, ellipsis.size());
    }
    const size_t next = folder.find(sep);
    if (next == std::string::npos) {
        folder.clear();
    } else {
        folder = ellipsis + folder.substr(next + 1);
    }
    folder = lead + folder;
}

std::string FitPathToWidth(const std::string& path, int maxWidth,
                           const std::function<int(const std::string&)>& textWidth, char sep) {
    const size_t driveLength = DriveLength(path, sep);
    std::string drive = path.substr(0, driveLength);
    const size_t nameStart = NameStart(path, sep);
    std::string folder = path.substr(driveLength, nameStart - driveLength);
    const std::string name = path.substr(nameStart);
    const std::string rootEllipsis = std::string(1, sep) + "..." + sep;

    std::string text = path;
    // Every step removes a folder or the drive, so the path's length bounds the steps.
    for (size_t steps = 0; steps <= path.size() + 2; ++steps) {
        if (textWidth(text) <= maxWidth || (drive.empty() && folder.empty())) {
            break;
        }
        if (folder == rootEllipsis) {
            drive.clear();
            folder = rootEllipsis.substr(1);
        } else if (folder.empty()) {
            drive.clear();
        } else {
            const std::string before = folder;
            DropFirstFolder(folder, sep);
            if (folder == before) {
                // A file in a root folder ("/x", "C:\x"): cutting finds no folder to drop and
                // would repeat forever, so the root goes with the drive.
                folder.clear();
                drive.clear();
            }
        }
        text = drive + folder + name;
    }
    return text;
}

std::string FullCommandLinePath(const std::string& path, const std::string& currentDir) {
    namespace fs = std::filesystem;
    if (path.empty() || fs::path(path).is_absolute()) {
        return path;
    }
    return (fs::path(currentDir) / path).lexically_normal().string();
}

}  // namespace korvent::app
