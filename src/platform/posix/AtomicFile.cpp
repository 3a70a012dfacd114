#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

namespace korvent::platform {
namespace {

[[noreturn]] void ThrowErrno(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

mode_t CurrentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// The replaced file keeps its permissions; a new file gets the usual ones.
mode_t ModeFor(const std::filesystem::path& target) {
    struct stat st {};
    if (stat(target.c_str(), &st) == 0) {
        return st.st_mode & 07777;
    }
    return 0666 & ~CurrentUmask();
}

void SyncPath(const std::filesystem::path& path, int flags) {
    const int fd = open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) {
        ThrowErrno("open " + path.string());
    }
    const int rc = fsync(fd);
    close(fd);
    if (rc != 0) {
        ThrowErrno("fsync " + path.string());
    }
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target) : fTarget(std::move(target)) {
    const std::filesystem::path folder =
        fTarget.has_parent_path() ? fTarget.parent_path() : std::filesystem::path(".");
    std::string pattern = (folder / ("." + fTarget.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        ThrowErrno("cannot create a temporary file beside " + fTarget.string());
    }
    fchmod(fd, ModeFor(fTarget));
    close(fd);
    fTemporary = pattern;
    fStream.open(fTemporary, std::ios::binary | std::ios::trunc);
    if (!fStream) {
        std::filesystem::remove(fTemporary);
        ThrowErrno("cannot open " + fTemporary.string());
    }
}

AtomicFile::~AtomicFile() {
    if (!fCommitted) {
        fStream.close();
        std::error_code ignored;
        std::filesystem::remove(fTemporary, ignored);
    }
}

void AtomicFile::Commit() {
    fStream.flush();
    fStream.close();
    if (fStream.fail()) {
        errno = EIO;
        ThrowErrno("cannot write " + fTemporary.string());
    }
    SyncPath(fTemporary, O_RDONLY);
    if (rename(fTemporary.c_str(), fTarget.c_str()) != 0) {
        ThrowErrno("cannot rename " + fTemporary.string() + " to " + fTarget.string());
    }
    fCommitted = true;
    const std::filesystem::path folder =
        fTarget.has_parent_path() ? fTarget.parent_path() : std::filesystem::path(".");
    // The rename is durable only once the folder is synced; a folder that refuses fsync
    // (some network file systems) still holds the complete file.
    try {
        SyncPath(folder, O_RDONLY | O_DIRECTORY);
    } catch (const std::system_error&) {
    }
}

}  // namespace korvent::platform
