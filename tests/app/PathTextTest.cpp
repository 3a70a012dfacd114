#include "app/PathText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvent::app {
namespace {

int Chars(const std::string& text) {
    return static_cast<int>(text.size());
}

// The whole chain of shortenings, one limit below each text so that every step is taken.
TEST(FitPathToWidth, ShortensFolderByFolderWithDriveLetters) {
    const std::string path = "C:\\Documents\\Reports\\2006\\April\\summary.doc";
    const std::vector<std::string> steps = {
        "C:\\Documents\\Reports\\2006\\April\\summary.doc",
        "C:\\...\\Reports\\2006\\April\\summary.doc",
        "C:\\...\\2006\\April\\summary.doc",
        "C:\\...\\April\\summary.doc",
        "C:\\...\\summary.doc",
        "...\\summary.doc",
        "summary.doc",
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(FitPathToWidth(path, Chars(steps[i]), Chars, '\\'), steps[i]) << i;
        if (i + 1 < steps.size()) {
            EXPECT_EQ(FitPathToWidth(path, Chars(steps[i]) - 1, Chars, '\\'), steps[i + 1]) << i;
        }
    }
}

TEST(FitPathToWidth, ShortensSlashPaths) {
    const std::string path = "/home/user/docs/summary.doc";
    EXPECT_EQ(FitPathToWidth(path, 100, Chars, '/'), path);
    EXPECT_EQ(FitPathToWidth(path, 26, Chars, '/'), "/.../user/docs/summary.doc");
    EXPECT_EQ(FitPathToWidth(path, 25, Chars, '/'), "/.../docs/summary.doc");
    EXPECT_EQ(FitPathToWidth(path, 20, Chars, '/'), "/.../summary.doc");
    EXPECT_EQ(FitPathToWidth(path, 15, Chars, '/'), ".../summary.doc");
    EXPECT_EQ(FitPathToWidth(path, 14, Chars, '/'), "summary.doc");
}

TEST(FitPathToWidth, FileNameWiderThanTheListIsShownBare) {
    EXPECT_EQ(FitPathToWidth("/a/b/a-very-long-file-name.txt", 5, Chars, '/'),
              "a-very-long-file-name.txt");
    EXPECT_EQ(FitPathToWidth("C:\\x.doc", 1, Chars, '\\'), "x.doc");
    EXPECT_EQ(FitPathToWidth("", 0, Chars, '/'), "");
}

// A file in a root folder has no folder to cut; the root goes at once instead of the
// shortening going round forever.
TEST(FitPathToWidth, RelativeAndRootPathsEnd) {
    EXPECT_EQ(FitPathToWidth("C:\\x.doc", 7, Chars, '\\'), "x.doc");
    EXPECT_EQ(FitPathToWidth("/x.doc", 5, Chars, '/'), "x.doc");
    EXPECT_EQ(FitPathToWidth("a/b/c.txt", 1, Chars, '/'), "c.txt");
    EXPECT_EQ(FitPathToWidth("/c.txt", 1, Chars, '/'), "c.txt");
    EXPECT_EQ(FitPathToWidth("C:c.txt", 1, Chars, '\\'), "c.txt");
    EXPECT_EQ(FitPathToWidth("\\\\server\\share\\c.txt", 1, Chars, '\\'), "c.txt");
}

struct DropCase {
    const char* before;
    const char* after;
};

class DropFirstFolderSteps : public ::testing::TestWithParam<DropCase> {};

TEST_P(DropFirstFolderSteps, CutsOneFolder) {
    std::string folder = GetParam().before;
    DropFirstFolder(folder, '\\');
    EXPECT_EQ(folder, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Steps, DropFirstFolderSteps,
                         ::testing::Values(DropCase{"\\Documents\\Reports\\", "\\...\\Reports\\"},
                                           DropCase{"\\...\\Reports\\", "\\...\\"},
                                           DropCase{"...\\Reports\\", "...\\"},
                                           DropCase{"...\\", ""}, DropCase{"a\\b\\", "...\\b\\"},
                                           DropCase{"\\a\\", "\\...\\"}, DropCase{"", ""}));

struct PathCase {
    const char* path;
    char sep;
    const char* dir;
    const char* name;
    const char* pdf;
};

class PathParts : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathParts, SplitAndRename) {
    const PathCase& c = GetParam();
    EXPECT_EQ(ExtractFileDir(c.path, c.sep), c.dir);
    EXPECT_EQ(ExtractFileName(c.path, c.sep), c.name);
    EXPECT_EQ(ChangeFileExt(c.path, ".pdf", c.sep), c.pdf);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathParts,
    ::testing::Values(
        PathCase{"/srv/in/report.doc", '/', "/srv/in", "report.doc", "/srv/in/report.pdf"},
        PathCase{"/report.doc", '/', "/", "report.doc", "/report.pdf"},
        PathCase{"/out/README", '/', "/out", "README", "/out/README.pdf"},
        PathCase{"/out/archive.tar.gz", '/', "/out", "archive.tar.gz", "/out/archive.tar.pdf"},
        PathCase{"/a.b/c", '/', "/a.b", "c", "/a.b/c.pdf"},
        PathCase{"C:\\doc\\report.doc", '\\', "C:\\doc", "report.doc", "C:\\doc\\report.pdf"},
        PathCase{"C:\\report.doc", '\\', "C:\\", "report.doc", "C:\\report.pdf"},
        PathCase{"D:x.txt", '\\', "D:", "x.txt", "D:x.pdf"}));

TEST(PathText, RemoveLastFourStaysInsideTheFileName) {
    EXPECT_EQ(RemoveLastFour("report.pdf", '/'), "report");
    EXPECT_EQ(RemoveLastFour("report.docx", '/'), "report.");
    EXPECT_EQ(RemoveLastFour("/out/report.pdf", '/'), "/out/report");
    EXPECT_EQ(RemoveLastFour("/out/ab", '/'), "/out/");
    EXPECT_EQ(RemoveLastFour("ab", '/'), "");
    EXPECT_EQ(RemoveLastFour("C:\\a", '\\'), "C:\\");
    EXPECT_EQ(RemoveLastFour("C:ab", '\\'), "C:");
}

TEST(PathText, ExcludeTrailingDelimiter) {
    EXPECT_EQ(ExcludeTrailingDelimiter("/out/", '/'), "/out");
    EXPECT_EQ(ExcludeTrailingDelimiter("/out", '/'), "/out");
    EXPECT_EQ(ExcludeTrailingDelimiter("D:\\out\\", '\\'), "D:\\out");
    EXPECT_EQ(ExcludeTrailingDelimiter("D:\\", '\\'), "D:");
    EXPECT_EQ(ExcludeTrailingDelimiter("", '/'), "");
    // The root alone keeps its separator: an empty folder would mean "no folder chosen".
    EXPECT_EQ(ExcludeTrailingDelimiter("/", '/'), "/");
    EXPECT_EQ(ExcludeTrailingDelimiter("//", '/'), "/");
}

struct CommandLineCase {
    std::string argument;
    std::string expected;
};

class CommandLinePaths : public ::testing::TestWithParam<CommandLineCase> {};

// A relative argument would otherwise leave the job without a folder, so "same folder" output
// would land in the root.
TEST_P(CommandLinePaths, BecomeFullPathsFromTheCurrentFolder) {
    EXPECT_EQ(FullCommandLinePath(GetParam().argument, "/home/user/work"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLinePaths,
    ::testing::Values(CommandLineCase{"report.doc", "/home/user/work/report.doc"},
                      CommandLineCase{"./sub/report.doc", "/home/user/work/sub/report.doc"},
                      CommandLineCase{"../other/報告書.doc", "/home/user/other/報告書.doc"},
                      CommandLineCase{"/srv/a b/report.doc", "/srv/a b/report.doc"},
                      CommandLineCase{"", ""}));

}  // namespace
}  // namespace korvent::app
