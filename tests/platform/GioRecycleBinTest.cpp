#include "platform/posix/GioRecycleBin.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ScratchFolder.h"

namespace korvent::platform {
namespace {

namespace fs = std::filesystem;

// GLib reads HOME and XDG_DATA_HOME once per process, so the whole suite shares one private
// home; the files live beside it, on the same volume, so they go to the home trash.
class GioRecycleBinTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        home = new ScratchFolder;
        setenv("HOME", home->Path().c_str(), 1);
        setenv("XDG_DATA_HOME", (*home / "data").c_str(), 1);
    }
    static void TearDownTestSuite() { delete home; }

    static fs::path Trash() { return home->Path() / "data" / "Trash"; }

    static ScratchFolder* home;
    ScratchFolder dir;
    GioRecycleBin bin;
};

ScratchFolder* GioRecycleBinTest::home = nullptr;

TEST_F(GioRecycleBinTest, FilesGoToTheTrashWithTheirRestoreInformation) {
    const std::string report = dir.Write("report.pdf", "%PDF-1.4 report");
    const std::string list = dir.Write("MergeList.txt", "");

    EXPECT_TRUE(bin.Recycle({report, list}).empty());

    EXPECT_FALSE(fs::exists(report));
    EXPECT_FALSE(fs::exists(list));
    std::ifstream trashed(Trash() / "files" / "report.pdf", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(trashed), {}), "%PDF-1.4 report");
    std::ifstream info(Trash() / "info" / "report.pdf.trashinfo");
    const std::string text(std::istreambuf_iterator<char>(info), {});
    EXPECT_NE(text.find("[Trash Info]"), std::string::npos);
    EXPECT_NE(text.find("Path="), std::string::npos);
    EXPECT_TRUE(fs::exists(Trash() / "files" / "MergeList.txt"));
}

TEST_F(GioRecycleBinTest, WhatCannotBeTrashedIsReturnedInOrderAndTheRestStillGoes) {
    const std::string kept = dir.Write("kept.pdf", "x");
    const std::string missing = dir / "missing.pdf";

    EXPECT_EQ(bin.Recycle({missing, kept, ""}), (std::vector<std::string>{missing, ""}));

    EXPECT_FALSE(fs::exists(kept));
    EXPECT_TRUE(fs::exists(Trash() / "files" / "kept.pdf"));
}

}  // namespace
}  // namespace korvent::platform
