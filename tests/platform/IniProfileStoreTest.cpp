#include "platform/IniProfileStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/ProfileRegistry.h"
#include "platform/sim/MemoryProfileStore.h"

namespace korvent::platform {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("korvent-ini-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = (dir / "KorventPDF.ini").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Text() const {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void SetText(const std::string& bytes) const { std::ofstream(file, std::ios::binary) << bytes; }

    fs::path dir;
    std::string file;
    IniProfileStore store;
};

TEST_F(IniFileTest, FirstWriteCreatesTheFile) {
    EXPECT_EQ(store.ReadString(file, "Driver", "Name", "dflt"), "dflt");
    EXPECT_FALSE(fs::exists(file));
    ASSERT_TRUE(store.WriteString(file, "Driver", "Name", "PrimoPDF"));
    EXPECT_EQ(Text(), "[Driver]\nName=PrimoPDF\n");
}

TEST_F(IniFileTest, NewIdentsGoToTheEndOfTheirSectionAndNewSectionsToTheEnd) {
    SetText("; settings\n[A]\nx=1\n\n[B]\ny=2\n");
    store.WriteString(file, "a", "Z", "3");
    store.WriteString(file, "C", "w", "4");
    store.WriteString(file, "b", "Y", "22");  // existing ident keeps its spelling and place
    EXPECT_EQ(Text(), "; settings\n[A]\nx=1\nZ=3\n\n[B]\ny=22\n[C]\nw=4\n");
}

TEST_F(IniFileTest, DeleteRemovesOnlyTheLine) {
    SetText("[A]\r\nx=1\r\n;keep me\r\ny=2\r\n");
    ASSERT_TRUE(store.DeleteIdent(file, "A", "X"));
    EXPECT_EQ(Text(), "[A]\r\n;keep me\r\ny=2\r\n");
    // CR LF files stay CR LF.
    store.WriteString(file, "A", "z", "3");
    EXPECT_EQ(Text(), "[A]\r\n;keep me\r\ny=2\r\nz=3\r\n");
    // Deleting what is not there writes nothing, and does not create a file.
    const auto before = fs::last_write_time(file);
    EXPECT_TRUE(store.DeleteIdent(file, "A", "nothing"));
    EXPECT_EQ(fs::last_write_time(file), before);
    EXPECT_TRUE(store.DeleteIdent((dir / "none.ini").string(), "A", "x"));
    EXPECT_FALSE(fs::exists(dir / "none.ini"));
}

TEST_F(IniFileTest, ReadsIgnoreCaseBlanksAndQuotes) {
    SetText("[Output]\n  Dir = /home/user/out  \nQ=\"quoted\"\n;C=comment\n");
    EXPECT_EQ(store.ReadString(file, "OUTPUT", "dir", ""), "/home/user/out");
    EXPECT_EQ(store.ReadString(file, "output", "q", ""), "quoted");
    EXPECT_EQ(store.ReadString(file, "Output", "C", "none"), "none");
    EXPECT_EQ(store.ReadString(file, "Output", "Missing", "dflt"), "dflt");
}

TEST_F(IniFileTest, JapaneseTextRoundTripsAsUtf8) {
    const std::string value = "C:\\書類\\報告書（最終）.doc";
    store.WriteString(file, "File", "LastConvertedFile", value);
    EXPECT_EQ(store.ReadString(file, "File", "LastConvertedFile", ""), value);
    EXPECT_EQ(Text(), "[File]\nLastConvertedFile=" + value + "\n");
}

TEST_F(IniFileTest, Cp932FileIsReadAndRewrittenAsUtf8) {
    // "[File]\nName=日本語\n" as the Windows version writes it.
    SetText("[File]\r\nName=\x93\xFA\x96\x7B\x8C\xEA\r\n");
    EXPECT_EQ(store.ReadString(file, "File", "Name", ""), "日本語");
    store.WriteString(file, "File", "Other", "x");
    EXPECT_EQ(Text(), "[File]\r\nName=日本語\r\nOther=x\r\n");
}

TEST_F(IniFileTest, LineBreaksInValuesCannotAddLines) {
    store.WriteString(file, "A", "x", "1\n[B]\r\ny=2");
    EXPECT_EQ(Text(), "[A]\nx=1 [B]  y=2\n");
}

TEST_F(IniFileTest, ByteOrderMarkIsDropped) {
    SetText("\xEF\xBB\xBF[A]\nx=1\n");
    EXPECT_EQ(store.ReadString(file, "A", "x", ""), "1");
    store.WriteString(file, "A", "x", "2");
    EXPECT_EQ(Text(), "[A]\nx=2\n");
}

TEST_F(IniFileTest, ReadsAreCutAt2047Characters) {
    const std::string longAscii(3000, 'a');
    std::string longJapanese;
    for (int k = 0; k < 2100; ++k) {
        longJapanese += "あ";
    }
    store.WriteString(file, "A", "x", longAscii);
    store.WriteString(file, "A", "y", longJapanese);
    EXPECT_EQ(store.ReadString(file, "A", "x", ""), std::string(2047, 'a'));
    EXPECT_EQ(store.ReadString(file, "A", "y", "").size(), 2047u * 3);
    EXPECT_EQ(store.Lookup(file, "A", "x")->size(), 3000u);
}

TEST_F(IniFileTest, RefusedWriteReportsFailureAndKeepsNoTemporaryFiles) {
    const std::string inMissingFolder = (dir / "no-such-folder" / "x.ini").string();
    EXPECT_FALSE(store.WriteString(inMissingFolder, "A", "x", "1"));
    EXPECT_FALSE(fs::exists(inMissingFolder));
    // The target is a folder: the rename fails and the temporary file is cleaned up.
    fs::create_directories(dir / "taken.ini");
    EXPECT_FALSE(store.WriteString((dir / "taken.ini").string(), "A", "x", "1"));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST_F(IniFileTest, AtomicFileLeavesTheOldFileUntilCommit) {
    SetText("old");
    {
        AtomicFile replacement(file);
        replacement.Stream() << "new but abandoned";
        EXPECT_EQ(Text(), "old");
    }
    EXPECT_EQ(Text(), "old");
    {
        AtomicFile replacement(file);
        replacement.Stream() << "new";
        replacement.Commit();
    }
    EXPECT_EQ(Text(), "new");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(ProfileRegistry, KeepsStringAndBinaryValuesApart) {
    MemoryProfileStore store;
    ProfileRegistry registry(store, "/reg.ini");
    registry.WriteString("Software\\A", "Path", "/opt/plugins");
    registry.WriteBinary("Software\\A", "Blob", {0x00, 0xAB, 0xFF});
    EXPECT_EQ(registry.ReadString("software\\a", "path"), "/opt/plugins");
    EXPECT_EQ(registry.ReadBinary("Software\\A", "Blob"),
              (std::vector<std::uint8_t>{0, 0xAB, 0xFF}));
    EXPECT_EQ(registry.ReadString("Software\\A", "Blob"), std::nullopt);
    EXPECT_EQ(registry.ReadBinary("Software\\A", "Path"), std::nullopt);
    EXPECT_EQ(registry.ReadString("Software\\B", "Path"), std::nullopt);
    registry.DeleteValue("Software\\A", "Path");
    EXPECT_EQ(registry.ReadString("Software\\A", "Path"), std::nullopt);
    // Binary values are not cut like profile reads.
    registry.WriteBinary("Software\\A", "Big", std::vector<std::uint8_t>(5000, 7));
    EXPECT_EQ(registry.ReadBinary("Software\\A", "Big")->size(), 5000u);
}

}  // namespace
}  // namespace korvent::platform
