#include "CupsServer.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace korvent::printer::testing {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

pid_t Spawn(const std::vector<std::string>& argv, int outFd) {
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (outFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, outFd, 1);
        posix_spawn_file_actions_adddup2(&actions, outFd, 2);
    }
    pid_t pid = -1;
    int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

bool ProcessAlive(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == 0;
}

}  // namespace

RunResult Run(const std::vector<std::string>& argv) {
    RunResult result;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        return result;
    }
    pid_t pid = Spawn(argv, fds[1]);
    close(fds[1]);
    char buffer[4096];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0) {
        result.output.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    if (pid < 0) {
        return result;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        result.status = WEXITSTATUS(status);
    }
    return result;
}

CupsServer::~CupsServer() {
    Stop();
}

void CupsServer::SaveEnvironment(const std::string& name) {
    const char* v = std::getenv(name.c_str());
    fEnvironment.push_back({name, v ? std::optional<std::string>(v) : std::nullopt});
}

std::string CupsServer::Start() {
    if (geteuid() != 0) {
        return "the CUPS scheduler needs root";
    }
    if (access("/usr/sbin/cupsd", X_OK) != 0) {
        return "/usr/sbin/cupsd is not installed";
    }
    if (Run({"lpstat", "-h"}).status < 0 || Run({"lpadmin", "-h"}).status < 0) {
        return "the CUPS command-line programs are not installed";
    }

    // The user's own defaults, whichever of the two places libcups uses for root.
    const char* home = std::getenv("HOME");
    for (const fs::path& p : {home ? fs::path(home) / ".cups" / "lpoptions" : fs::path(),
                              fs::path("/etc/cups/lpoptions")}) {
        if (!p.empty()) {
            fUserFiles.push_back({p, ReadFile(p)});
        }
    }

    std::string pattern = (fs::temp_directory_path() / "korvent-cups-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return "no temporary folder";
    }
    fDir = pattern;
    chmod(fDir.c_str(), 0755);
    for (const char* sub : {"spool", "cache", "state", "tmp", "log", "home", "ppd"}) {
        fs::create_directories(fDir / sub);
    }
    // Filters run as the unprivileged user of the scheduler and make their files here.
    chmod((fDir / "tmp").c_str(), 01777);
    const std::string d = fDir.string();
    WriteFile(fDir / "cupsd.conf",
              "LogLevel warn\n"
              "Listen " +
                  d +
                  "/cups.sock\n"
                  "Browsing No\n"
                  "WebInterface No\n"
                  "DefaultAuthType None\n"
                  "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                  "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                  "  </Limit>\n</Policy>\n");
    WriteFile(fDir / "cups-files.conf", "ServerRoot " + d +
                                            "\n"
                                            "RequestRoot " +
                                            d +
                                            "/spool\n"
                                            "CacheDir " +
                                            d +
                                            "/cache\n"
                                            "StateDir " +
                                            d +
                                            "/state\n"
                                            "TempDir " +
                                            d +
                                            "/tmp\n"
                                            "ErrorLog " +
                                            d +
                                            "/log/error_log\n"
                                            "AccessLog " +
                                            d +
                                            "/log/access_log\n"
                                            "PageLog " +
                                            d +
                                            "/log/page_log\n"
                                            "Printcap " +
                                            d +
                                            "/printcap\n"
                                            "FileDevice Yes\n"
                                            "SystemGroup root\n");
    WriteFile(fDir / "client.conf", "ServerName " + d + "/cups.sock\n");

    for (const char* name : {"CUPS_SERVER", "CUPS_SERVERROOT", "HOME", "LPDEST", "PRINTER"}) {
        SaveEnvironment(name);
    }
    setenv("CUPS_SERVER", (d + "/cups.sock").c_str(), 1);
    setenv("CUPS_SERVERROOT", d.c_str(), 1);
    setenv("HOME", (d + "/home").c_str(), 1);
    unsetenv("LPDEST");
    unsetenv("PRINTER");

    int log = open((fDir / "log" / "cupsd.out").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    fPid = Spawn({"/usr/sbin/cupsd", "-f", "-c", d + "/cupsd.conf", "-s", d + "/cups-files.conf"},
                 log);
    if (log >= 0) {
        close(log);
    }
    if (fPid < 0) {
        return "cupsd could not be started";
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!ProcessAlive(fPid)) {
            fPid = -1;
            return "cupsd exited: " + ReadFile(fDir / "log" / "cupsd.out").value_or("") +
                   ReadFile(fDir / "log" / "error_log").value_or("");
        }
        RunResult r = Tool({"lpstat", "-r"});
        if (r.status == 0 && r.output.find("scheduler is running") != std::string::npos) {
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return "cupsd did not answer";
}

RunResult CupsServer::Tool(std::vector<std::string> argv) const {
    return Run(argv);
}

void CupsServer::Stop() {
    if (fPid > 0) {
        kill(fPid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 100 && waitpid(fPid, &status, WNOHANG) == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (waitpid(fPid, &status, WNOHANG) == 0) {
            kill(fPid, SIGKILL);
            waitpid(fPid, &status, 0);
        }
        fPid = -1;
    }
    for (const SavedVariable& v : fEnvironment) {
        if (v.value) {
            setenv(v.name.c_str(), v.value->c_str(), 1);
        } else {
            unsetenv(v.name.c_str());
        }
    }
    fEnvironment.clear();
    for (const SavedFile& f : fUserFiles) {
        std::optional<std::string> now = ReadFile(f.path);
        if (now == f.content) {
            continue;
        }
        if (f.content) {
            WriteFile(f.path, *f.content);
        } else {
            std::error_code ec;
            fs::remove(f.path, ec);
        }
    }
    fUserFiles.clear();
    if (!fDir.empty()) {
        std::error_code ec;
        fs::remove_all(fDir, ec);
        fDir.clear();
    }
}

}  // namespace korvent::printer::testing
