#include "platform/posix/DesktopShellActions.h"

#include <cups/cups.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/posix/SpawnedProgram.h"

namespace korvent::platform {
namespace {

using namespace std::string_view_literals;

constexpr int kConnectMilliseconds = 3000;
constexpr double kReplySeconds = 3.0;
constexpr std::size_t kSniffBytes = 1024;

// A type CUPS converts itself: the extensions (space separated) that name it and the bytes it
// starts with (none for text, which is checked for binary content instead).
struct PrintableType {
    std::string_view extensions;
    std::string_view magic;
    const char* mime;
};

constexpr PrintableType kPrintableTypes[] = {
    {".pdf", "%PDF-"sv, "application/pdf"},
    {".ps .eps", "%!"sv, "application/postscript"},
    {".jpg .jpeg .jpe", "\xFF\xD8\xFF"sv, "image/jpeg"},
    {".png", "\x89PNG\r\n\x1A\n"sv, "image/png"},
    {".gif", "GIF8"sv, "image/gif"},
    {".tif .tiff", "II*\0"sv, "image/tiff"},
    {".tif .tiff", "MM\0*"sv, "image/tiff"},
    {".txt .text .log", ""sv, "text/plain"},
};

int ErrorOfMissing(const std::string& path) {
    struct stat st {};
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const bool folderExists = stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    return folderExists ? shell_error::FileNotFound : shell_error::PathNotFound;
}

// The shell's answer for a path that cannot be acted on, 0 when it can.
int PathError(const std::string& path) {
    if (path.empty()) {
        return shell_error::FileNotFound;
    }
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) {
        return access(path.c_str(), R_OK) == 0 ? 0 : shell_error::AccessDenied;
    }
    switch (errno) {
        case ENOENT:
            return ErrorOfMissing(path);
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return shell_error::PathNotFound;
        case EACCES:
            return shell_error::AccessDenied;
        default:
            return shell_error::FileNotFound;
    }
}

std::string LowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

bool NamesExtension(std::string_view list, const std::string& ext) {
    while (!list.empty()) {
        const std::size_t end = std::min(list.find(' '), list.size());
        if (!ext.empty() && list.substr(0, end) == ext) {
            return true;
        }
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    return false;
}

// The first bytes of a regular file; nothing for folders, devices and pipes, which are not
// documents (and a pipe would block the reader).
std::optional<std::string> Head(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string head(kSniffBytes, '\0');
    struct stat st {};
    const ssize_t n =
        fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? read(fd, head.data(), head.size()) : -1;
    close(fd);
    if (n < 0) {
        return std::nullopt;
    }
    head.resize(static_cast<std::size_t>(n));
    return head;
}

bool Confirms(const PrintableType& type, std::string_view head) {
    return type.magic.empty() ? head.find('\0') == std::string_view::npos
                              : head.starts_with(type.magic);
}

// The MIME type to print the file as, or null when CUPS cannot print it.
const char* PrintableMime(const std::string& path) {
    const std::string ext = LowerExtension(path);
    const std::optional<std::string> head = Head(path);
    for (const PrintableType& type : kPrintableTypes) {
        if (head && NamesExtension(type.extensions, ext) && Confirms(type, *head)) {
            return type.mime;
        }
    }
    return nullptr;
}

int ErrorOfCups() {
    switch (cupsLastError()) {
        case IPP_STATUS_ERROR_FORBIDDEN:
        case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
        case IPP_STATUS_ERROR_NOT_AUTHORIZED:
            return shell_error::AccessDenied;
        default:
            return shell_error::PrintSystemUnavailable;
    }
}

bool SendDocument(http_t* http, const cups_dest_t& dest, int job, const std::string& path,
                  const char* mime) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const std::string title = std::filesystem::path(path).filename().string();
    bool ok =
        cupsStartDocument(http, dest.name, job, title.c_str(), mime, 1) == HTTP_STATUS_CONTINUE;
    char buffer[65536];
    for (ssize_t n = 0; ok && (n = read(fd, buffer, sizeof buffer)) > 0;) {
        ok =
            cupsWriteRequestData(http, buffer, static_cast<std::size_t>(n)) == HTTP_STATUS_CONTINUE;
    }
    close(fd);
    return cupsFinishDocument(http, dest.name) <= IPP_STATUS_OK_CONFLICTING && ok;
}

int PrintToDestination(http_t* http, const cups_dest_t& dest, const std::string& path,
                       const char* mime) {
    const std::string title = std::filesystem::path(path).filename().string();
    const int job = cupsCreateJob(http, dest.name, title.c_str(), dest.num_options, dest.options);
    if (job == 0) {
        return ErrorOfCups();
    }
    if (!SendDocument(http, dest, job, path, mime)) {
        const int error = ErrorOfCups();
        cupsCancelJob2(http, dest.name, job, 0);
        return error;
    }
    return 0;
}

// Talks to the server over one connection with short time-outs, so that a server that is
// down or stuck costs seconds, not the minutes of libcups' defaults.
int PrintWithCups(const std::string& path, const char* mime) {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                kConnectMilliseconds, nullptr);
    if (http == nullptr) {
        return shell_error::PrintSystemUnavailable;
    }
    httpSetTimeout(http, kReplySeconds, nullptr, nullptr);
    int error = shell_error::PrintSystemUnavailable;
    if (cups_dest_t* dest = cupsGetNamedDest(http, nullptr, nullptr)) {
        error = PrintToDestination(http, *dest, path, mime);
        cupsFreeDests(1, dest);
    }
    httpClose(http);
    return error;
}

ShellResult Print(const std::string& path) {
    const char* mime = PrintableMime(path);
    if (mime == nullptr) {
        return {shell_error::NoAssociation, nullptr};
    }
    return {PrintWithCups(path, mime), nullptr};
}

int ErrorOfSpawn(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return shell_error::AccessDenied;
        case ENOMEM:
        case EAGAIN:
            return shell_error::OutOfMemory;
        default:
            return shell_error::NoAssociation;
    }
}

ShellResult Open(const std::string& path) {
    // An absolute path cannot be taken for one of xdg-open's options.
    const std::string target = std::filesystem::absolute(path).string();
    auto process = std::make_unique<SpawnedProgram>(std::vector<std::string>{"xdg-open", target},
                                                    SpawnedProgram::OnDrop::LetRun);
    if (const int error = process->SpawnError()) {
        return {ErrorOfSpawn(error), nullptr};
    }
    return {0, std::move(process)};
}

}  // namespace

ShellResult DesktopShellActions::Execute(ShellVerb verb, const std::string& path) {
    if (const int error = PathError(path)) {
        return {error, nullptr};
    }
    return verb == ShellVerb::Print ? Print(path) : Open(path);
}

}  // namespace korvent::platform
