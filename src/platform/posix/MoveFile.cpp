#include "platform/MoveFile.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace korvent::platform {

namespace fs = std::filesystem;

namespace {

std::error_code LastError() {
    return {errno, std::generic_category()};
}

fs::path FolderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// Puts `from` at `to` in one step. A file system without the no-replace rename gets a hard
// link, which refuses an existing target just as atomically.
std::error_code Place(const fs::path& from, const fs::path& to, MoveMode mode) {
    if (mode == MoveMode::Replace) {
        return rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : LastError();
    }
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return {};
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return LastError();
    }
    if (link(from.c_str(), to.c_str()) != 0) {
        return LastError();
    }
    unlink(from.c_str());
    return {};
}

// A rename is durable only once its folder is synced; a folder that refuses (some network
// file systems) still holds the complete file.
void SyncFolder(const fs::path& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

std::error_code CopyContents(int in, int out) {
    char buffer[1 << 16];
    ssize_t n;
    while ((n = read(in, buffer, sizeof buffer)) > 0) {
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = write(out, buffer + done, static_cast<std::size_t>(n - done));
            if (w < 0) {
                return LastError();
            }
            done += w;
        }
    }
    if (n < 0 || fsync(out) != 0) {
        return LastError();
    }
    return {};
}

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Copies `from` into a new hidden file beside `to`; its path, or empty with `error` set.
fs::path CopyBeside(const fs::path& from, const fs::path& to, std::error_code& error) {
    const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        error = LastError();
        return {};
    }
    std::string pattern = (FolderOf(to) / ("." + to.filename().string() + ".XXXXXX")).string();
    const int out = mkostemp(pattern.data(), O_CLOEXEC);
    if (out < 0) {
        error = LastError();
        close(in);
        return {};
    }
    fchmod(out, NewFileMode());
    error = CopyContents(in, out);
    close(in);
    if (close(out) != 0 && !error) {
        error = LastError();
    }
    if (error) {
        unlink(pattern.c_str());
        return {};
    }
    return pattern;
}

}  // namespace

std::error_code MoveFile(const fs::path& from, const fs::path& to, MoveMode mode) {
    std::error_code error = Place(from, to, mode);
    if (error.value() != EXDEV) {
        if (!error) {
            SyncFolder(FolderOf(to));
        }
        return error;
    }
    const fs::path copy = CopyBeside(from, to, error);
    if (error) {
        return error;
    }
    error = Place(copy, to, mode);
    if (error) {
        unlink(copy.c_str());
        return error;
    }
    SyncFolder(FolderOf(to));
    unlink(from.c_str());
    return {};
}

}  // namespace korvent::platform
