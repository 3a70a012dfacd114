#include "platform/MoveFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace korvent::platform {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void Write(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

fs::path MakeFolder(const fs::path& parent) {
    std::string pattern = (parent / "korvent-move-XXXXXX").string();
    return mkdtemp(pattern.data());
}

struct MoveCase {
    const char* name;
    bool acrossFileSystems;
    bool targetExists;
    MoveMode mode;
    std::errc expected;  // std::errc() for success
};

class MoveFileTest : public ::testing::TestWithParam<MoveCase> {
protected:
    void SetUp() override {
        source = MakeFolder(fs::temp_directory_path());
        // /dev/shm is a file system of its own on most machines; the target folder lives there
        // for the cases that cross file systems.
        const bool across = GetParam().acrossFileSystems;
        target = across ? MakeFolder("/dev/shm") : MakeFolder(fs::temp_directory_path());
        struct stat a {
        }, b{};
        stat(source.c_str(), &a);
        stat(target.c_str(), &b);
        if (across && a.st_dev == b.st_dev) {
            GTEST_SKIP() << "/dev/shm is on the same file system as the temporary folder";
        }
    }
    void TearDown() override {
        fs::remove_all(source);
        fs::remove_all(target);
    }

    fs::path source;
    fs::path target;
};

TEST_P(MoveFileTest, MovesWholeOrNotAtAll) {
    const MoveCase& c = GetParam();
    const fs::path from = source / "made.pdf";
    const fs::path to = target / "最終.pdf";
    Write(from, "%PDF-1.4 new");
    if (c.targetExists) {
        Write(to, "%PDF-1.4 old");
    }
    const std::error_code error = MoveFile(from, to, c.mode);
    EXPECT_TRUE(error == c.expected) << error.message();
    const bool moved = c.expected == std::errc();
    EXPECT_EQ(fs::exists(from), !moved);
    EXPECT_EQ(Read(to), moved ? "%PDF-1.4 new" : "%PDF-1.4 old");
    // No temporary copy is left beside the target.
    EXPECT_EQ(std::distance(fs::directory_iterator(target), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MoveFileTest,
    ::testing::Values(
        MoveCase{"Rename", false, false, MoveMode::KeepExisting, std::errc()},
        MoveCase{"RenameOverOld", false, true, MoveMode::Replace, std::errc()},
        MoveCase{"RenameRefused", false, true, MoveMode::KeepExisting, std::errc::file_exists},
        MoveCase{"Copy", true, false, MoveMode::KeepExisting, std::errc()},
        MoveCase{"CopyOverOld", true, true, MoveMode::Replace, std::errc()},
        MoveCase{"CopyRefused", true, true, MoveMode::KeepExisting, std::errc::file_exists}),
    [](const ::testing::TestParamInfo<MoveCase>& info) { return info.param.name; });

TEST(MoveFileErrors, MissingSourceOrTargetFolderChangesNothing) {
    const fs::path dir = MakeFolder(fs::temp_directory_path());
    Write(dir / "a.pdf", "x");
    EXPECT_TRUE(MoveFile(dir / "none.pdf", dir / "b.pdf", MoveMode::Replace) ==
                std::errc::no_such_file_or_directory);
    EXPECT_TRUE(MoveFile(dir / "a.pdf", dir / "no" / "b.pdf", MoveMode::Replace) ==
                std::errc::no_such_file_or_directory);
    EXPECT_EQ(Read(dir / "a.pdf"), "x");
    fs::remove_all(dir);
}

}  // namespace
}  // namespace korvent::platform
