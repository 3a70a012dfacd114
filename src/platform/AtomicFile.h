#pragma once

#include <filesystem>
#include <fstream>
#include <string_view>

namespace korvent::platform {

// A file written under a temporary name in its target's folder and renamed into place by
// Commit(), so a reader (or a crash) never sees a half-written file at the final path.
// Without Commit() the temporary file is removed and the target is left as it was.
class AtomicFile {
public:
    // Throws std::system_error when the temporary file cannot be created.
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    std::ostream& Stream() { return fStream; }
    // Flushes, syncs and renames. Throws std::system_error on any failure (the target is then
    // untouched and the temporary file removed).
    void Commit();

    const std::filesystem::path& TemporaryPath() const { return fTemporary; }

private:
    std::filesystem::path fTarget;
    std::filesystem::path fTemporary;
    std::ofstream fStream;
    bool fCommitted = false;
};

// Replaces `target` with `bytes` atomically; false (and the old file intact) on failure.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace korvent::platform
