#include "platform/posix/DesktopShellActions.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "ScratchFolder.h"

namespace korvent::platform {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : fName(name) {
        if (const char* old = getenv(name)) {
            fOld = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (fOld) {
            setenv(fName, fOld->c_str(), 1);
        } else {
            unsetenv(fName);
        }
    }

private:
    const char* fName;
    std::optional<std::string> fOld;
};

class DesktopShellActionsTest : public ::testing::Test {
protected:
    ScratchFolder dir;
    DesktopShellActions shell;
};

struct PathCase {
    const char* name;
    const char* relative;  // below the scratch folder; "" for the empty path
    int error;
};

class PathErrorTest : public DesktopShellActionsTest,
                      public ::testing::WithParamInterface<std::tuple<ShellVerb, PathCase>> {};

TEST_P(PathErrorTest, GivesTheShellsCode) {
    const auto& [verb, c] = GetParam();
    dir.Write("file.txt", "text");
    const std::string path = std::string(c.relative).empty() ? "" : dir / c.relative;

    const ShellResult result = shell.Execute(verb, path);

    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(result.process, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathErrorTest,
    ::testing::Combine(::testing::Values(ShellVerb::Print, ShellVerb::Open),
                       ::testing::Values(PathCase{"MissingFile", "gone.pdf", 2},
                                         PathCase{"MissingFolder", "gone/a.pdf", 3},
                                         PathCase{"FileUsedAsFolder", "file.txt/a.pdf", 3},
                                         PathCase{"EmptyPath", "", 2})),
    [](const auto& info) {
        return std::string(std::get<0>(info.param) == ShellVerb::Print ? "Print" : "Open") +
               std::get<1>(info.param).name;
    });

TEST_F(DesktopShellActionsTest, UnreadableFileIsAccessDenied) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    const std::string path = dir.Write("secret.pdf", "%PDF-1.4");
    chmod(path.c_str(), 0);
    EXPECT_EQ(shell.Execute(ShellVerb::Print, path).error, 5);
}

struct FileCase {
    const char* name;
    const char* fileName;
    std::string content;
};

// Files CUPS does not print itself; office documents belong to another print path.
class NotPrintableTest : public DesktopShellActionsTest,
                         public ::testing::WithParamInterface<FileCase> {};

TEST_P(NotPrintableTest, HasNoAssociation) {
    const std::string path = dir.Write(GetParam().fileName, GetParam().content);
    EXPECT_EQ(shell.Execute(ShellVerb::Print, path).error, 31);
}

INSTANTIATE_TEST_SUITE_P(
    Types, NotPrintableTest,
    ::testing::Values(FileCase{"Docx", "letter.docx", std::string("PK\3\4\24\0\6\0", 8)},
                      FileCase{"Doc", "letter.doc", "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"},
                      FileCase{"PdfNameWithoutPdfContent", "fake.pdf", "<html></html>"},
                      FileCase{"TextNameWithBinaryContent", "data.txt", std::string("a\0b", 3)},
                      FileCase{"NoExtension", "README", "plain words"},
                      FileCase{"PdfContentUnderOtherName", "report.xls", "%PDF-1.4\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DesktopShellActionsTest, FolderIsNotPrintable) {
    fs::create_directory(dir / "folder.pdf");
    EXPECT_EQ(shell.Execute(ShellVerb::Print, dir / "folder.pdf").error, 31);
}

// Printable types reach CUPS, which is not there: a socket path that nothing listens on.
class NoCupsServerTest : public DesktopShellActionsTest,
                         public ::testing::WithParamInterface<FileCase> {};

TEST_P(NoCupsServerTest, PrintSystemIsUnavailableAtOnce) {
    ScopedEnv server("CUPS_SERVER", dir / "no-cupsd.sock");
    const std::string path = dir.Write(GetParam().fileName, GetParam().content);

    const auto start = std::chrono::steady_clock::now();
    const ShellResult result = shell.Execute(ShellVerb::Print, path);

    EXPECT_EQ(result.error, shell_error::PrintSystemUnavailable);
    EXPECT_EQ(result.process, nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

INSTANTIATE_TEST_SUITE_P(Types, NoCupsServerTest,
                         ::testing::Values(FileCase{"Pdf", "a.PDF", "%PDF-1.4\n"},
                                           FileCase{"PostScript", "a.ps", "%!PS-Adobe-3.0\n"},
                                           FileCase{"Text", "notes.txt",
                                                    "line one\r\nline two\r\n"},
                                           FileCase{"EmptyText", "empty.txt", ""},
                                           FileCase{"Jpeg", "photo.jpg", "\xFF\xD8\xFF\xE0"},
                                           FileCase{"Png", "a.png", "\x89PNG\r\n\x1A\n"},
                                           FileCase{"Tiff", "scan.tif", std::string("II*\0", 4)}),
                         [](const auto& info) { return std::string(info.param.name); });

// A server that accepts the connection and never answers must not hold the program.
TEST_F(DesktopShellActionsTest, SilentCupsServerTimesOut) {
    const std::string socketPath = dir / "silent.sock";
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    ScopedEnv server("CUPS_SERVER", socketPath);

    const auto start = std::chrono::steady_clock::now();
    const int error = shell.Execute(ShellVerb::Print, dir.Write("a.pdf", "%PDF-1.4\n")).error;

    EXPECT_EQ(error, shell_error::PrintSystemUnavailable);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    close(listener);
}

class OpenTest : public DesktopShellActionsTest {
protected:
    // An xdg-open that writes its argument count and arguments, one per line.
    void InstallRecordingOpener() {
        fs::create_directory(dir / "bin");
        const std::string script = dir.Write(
            "bin/xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + (dir / "args") + "'\n");
        fs::permissions(script, fs::perms::owner_all);
    }
    std::string RecordedArguments() {
        std::ifstream in(dir / "args");
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

TEST_F(OpenTest, StartsXdgOpenWithThePathAsOneArgument) {
    InstallRecordingOpener();
    ScopedEnv path("PATH", dir / "bin");
    const std::string name = dir.Write("a b; $(touch pwned) 'q'.pdf", "%PDF-1.4");

    ShellResult result = shell.Execute(ShellVerb::Open, name);

    ASSERT_EQ(result.error, 0);
    ASSERT_NE(result.process, nullptr);
    for (int i = 0; i < 500 && result.process->Running(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(result.process->Running());
    EXPECT_EQ(RecordedArguments(), "1\n" + name + "\n");
    EXPECT_FALSE(fs::exists(dir / "pwned"));
}

TEST_F(OpenTest, RelativePathIsMadeAbsoluteSoItCannotPassForAnOption) {
    InstallRecordingOpener();
    ScopedEnv path("PATH", dir / "bin");
    dir.Write("-h", "text");
    const fs::path old = fs::current_path();
    fs::current_path(dir.Path());

    ShellResult result = shell.Execute(ShellVerb::Open, "-h");
    fs::current_path(old);

    ASSERT_EQ(result.error, 0);
    while (result.process->Running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(RecordedArguments(), "1\n" + (dir / "-h") + "\n");
}

TEST_F(OpenTest, WithoutXdgOpenThereIsNoAssociation) {
    ScopedEnv path("PATH", dir.Path().string());
    const ShellResult result = shell.Execute(ShellVerb::Open, dir.Write("a.pdf", "%PDF-1.4"));
    EXPECT_EQ(result.error, 31);
    EXPECT_EQ(result.process, nullptr);
}

}  // namespace
}  // namespace korvent::platform
