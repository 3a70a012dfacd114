#include <gtest/gtest.h>

#include <fstream>

#include "FormFixture.h"

namespace korvent::app {
namespace {

namespace fs = std::filesystem;

// Output names on a real folder: source <temp>/src/report.doc, chosen folder <temp>/out.
class NamingTest : public FormFixture {
protected:
    void SetUp() override {
        out = (temp / "out").string();
        src = (temp / "src").string();
        fs::create_directories(out);
        fs::create_directories(src);
        profiles.SetText(kIni, "[OutPut]\nDir=" + out + "\n");
        Create();
        form->Run.FSourceDir = src;
    }
    void Touch(const std::string& name, const std::string& content = "x") {
        std::ofstream(fs::path(out) / name) << content;
    }
    std::string Read(const std::string& name) {
        std::ifstream in(fs::path(out) / name);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool Exists(const std::string& name) { return fs::exists(fs::path(out) / name); }
    void Policy(int index) { M().RadioGroup1.ItemIndex = index; }
    std::string Out(const std::string& name) { return out + "/" + name; }

    std::string out;
    std::string src;
};

TEST_F(NamingTest, FreeNameIsUsedUnderEveryPolicy) {
    for (int policy = 0; policy < 4; ++policy) {
        Policy(policy);
        EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report.pdf"));
    }
    EXPECT_FALSE(Exists("report.pdf"));
}

TEST_F(NamingTest, PolicyZeroLeavesTheExistingFileToTheWriter) {
    Touch("report.pdf", "old");
    Policy(0);
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report.pdf"));
    EXPECT_EQ(Read("report.pdf"), "old");
}

TEST_F(NamingTest, PolicyOneDeletesTheExistingFile) {
    Touch("report.pdf");
    Policy(1);
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report.pdf"));
    EXPECT_FALSE(Exists("report.pdf"));
}

TEST_F(NamingTest, PolicyOneDeletesNoFolder) {
    fs::create_directory(fs::path(out) / "report.pdf");
    Policy(1);
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report.pdf"));
    EXPECT_TRUE(fs::is_directory(fs::path(out) / "report.pdf"));
}

TEST_F(NamingTest, PolicyTwoAddsTheNewSuffixUntilTheNameIsFree) {
    Policy(2);
    Touch("report.pdf");
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report_new.pdf"));
    Touch("report_new.pdf");
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report_new_new.pdf"));
    Touch("report_new_new.pdf");
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report_new_new_new.pdf"));
    EXPECT_TRUE(Exists("report.pdf"));
}

TEST_F(NamingTest, PolicyThreeMovesTheExistingFileAside) {
    Policy(3);
    Touch("report.pdf", "first");
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report.pdf"));
    EXPECT_FALSE(Exists("report.pdf"));
    EXPECT_EQ(Read("report_old.pdf"), "first");

    Touch("report.pdf", "second");
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report.pdf"));
    EXPECT_EQ(Read("report_old.pdf"), "first");
    EXPECT_EQ(Read("report_old_old.pdf"), "second");
}

TEST_F(NamingTest, PolicyThreeFallsBackToANewNameWhenTheRenameFails) {
    Policy(3);
    Touch("report.pdf", "keep");
    // The moved-aside name lies in a folder that does not exist, so the rename fails.
    M().EdtAddOldPath.Text = "/missing";
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report_new.pdf"));
    EXPECT_EQ(Read("report.pdf"), "keep");
}

TEST_F(NamingTest, AppendStringReplacesTheLastFourCharacters) {
    M().CkbAppendStr.Checked = true;
    M().EdtApendStr.Text = "_v";
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report_v.pdf"));
    EXPECT_EQ(form->MakeSaveFilePath("report.docx"), Out("report._v.pdf"));
    EXPECT_EQ(form->MakeSaveFilePath("MergeFile"), Out("Merge_v.pdf"));
    M().EdtApendStr.Text = "";
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report.pdf"));
}

TEST_F(NamingTest, AppendStringThenSameNamePolicy) {
    M().CkbAppendStr.Checked = true;
    M().EdtApendStr.Text = "_v";
    Touch("report_v.pdf");
    Policy(2);
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report_v_new.pdf"));
}

TEST_F(NamingTest, ExtensionRules) {
    EXPECT_EQ(form->MakeSaveFilePath("README"), Out("README.pdf"));
    EXPECT_EQ(form->MakeSaveFilePath("archive.tar.gz"), Out("archive.tar.pdf"));
    EXPECT_EQ(form->MakeSaveFilePath("scan.PDF"), Out("scan.pdf"));
}

TEST_F(NamingTest, SourceFolderMode) {
    M().RBtnOutPut1.Checked = false;
    M().RBtnOutPut2.Checked = true;
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), src + "/report.pdf");
    form->Run.FSourceDir = "/";
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), "/report.pdf");
}

TEST_F(NamingTest, TrailingSeparatorOfTheFolderIsDroppedAndShown) {
    form->OutputDir = out + "/";
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report.pdf"));
    EXPECT_EQ(form->OutputDir, out);
    EXPECT_EQ(M().LblFilePath.Text, out);
}

// Adding an empty string never frees a name; a number is added instead of looping forever.
TEST_F(NamingTest, EmptySuffixGivesANumberedName) {
    Touch("report.pdf");
    Policy(2);
    M().EdtAddNewPath.Text = "";
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report(1).pdf"));
    Touch("report(1).pdf");
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report(2).pdf"));

    Policy(3);
    M().EdtAddOldPath.Text = "";
    Touch("report.pdf", "old");
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report.pdf"));
    EXPECT_EQ(Read("report(2).pdf"), "old");
}

// The four characters cut before the suffix never reach into the folder.
TEST_F(NamingTest, SuffixRuleNeverCutsIntoTheFolder) {
    EXPECT_EQ(form->AppendToFileName(Out("ab"), "_new"), Out("_new.pdf"));
    EXPECT_EQ(form->AppendToFileName(Out("report.pdf"), "_new"), Out("report_new.pdf"));
    M().CkbAppendStr.Checked = true;
    M().EdtApendStr.Text = "_v";
    EXPECT_EQ(form->MakeSaveFilePath("sub/ab"), Out("sub/_v.pdf"));
}

// A file the run reads or has written keeps its name and content under every policy: the new
// PDF is named as under policy 2.
struct RunFileCase {
    const char* name;
    bool listed;  // an entry of the list; otherwise a PDF the run has written
};

class RunFileNamingTest : public NamingTest,
                          public ::testing::WithParamInterface<std::tuple<RunFileCase, int>> {};

TEST_P(RunFileNamingTest, IsNeverReplaced) {
    const auto& [file, policy] = GetParam();
    Touch("report.pdf", "of this run");
    (file.listed ? form->FFilePaths : form->Run.FProducedFiles).push_back(Out("report.pdf"));
    Policy(policy);
    EXPECT_EQ(form->PlannedSaveFilePath("report.doc", form->Run.FProducedFiles),
              Out("report_new.pdf"));
    EXPECT_EQ(form->MakeSaveFilePath("report.doc"), Out("report_new.pdf"));
    EXPECT_EQ(Read("report.pdf"), "of this run");
}

INSTANTIATE_TEST_SUITE_P(Cases, RunFileNamingTest,
                         ::testing::Combine(::testing::Values(RunFileCase{"listed", true},
                                                              RunFileCase{"written", false}),
                                            ::testing::Values(0, 1, 2, 3)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_policy" +
                                    std::to_string(std::get<1>(info.param));
                         });

class StartupFolderCheck : public FormFixture {};

TEST_F(StartupFolderCheck, MissingFolderIsCreatedOnYes) {
    const std::string missing = (temp / "made").string();
    profiles.SetText(kIni, "[OutPut]\nDir=" + missing + "\n");
    messages.QueueAnswer(platform::MessageResult::Yes);
    Create();
    ASSERT_EQ(messages.Calls().size(), 1u);
    EXPECT_EQ(messages.Calls()[0].text,
              "ディレクトリ： " + missing + " がありません\n新しいディレクトリを作成しますか？");
    EXPECT_TRUE(messages.Calls()[0].flags & platform::mb::YesNo);
    EXPECT_TRUE(fs::is_directory(missing));
}

TEST_F(StartupFolderCheck, NoCreatesNothingAndKeepsTheSetting) {
    const std::string missing = (temp / "made").string();
    profiles.SetText(kIni, "[OutPut]\nDir=" + missing + "\n");
    messages.QueueAnswer(platform::MessageResult::No);
    Create();
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(form->OutputDir, missing);
    EXPECT_EQ(form->RegManager1().Items("OutPutDir").ReadString(), missing);
}

TEST_F(StartupFolderCheck, FailedCreationIsReported) {
    const std::string missing = (temp / "no" / "such" / "folder").string();
    profiles.SetText(kIni, "[OutPut]\nDir=" + missing + "\n");
    messages.QueueAnswer(platform::MessageResult::Yes);
    Create();
    ASSERT_EQ(messages.Calls().size(), 2u);
    EXPECT_EQ(
        messages.Calls()[1].text.rfind("ディレクトリ： " + missing + " を作成できません。", 0), 0u);
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(StartupFolderCheck, ExistingFolderAsksNothing) {
    profiles.SetText(kIni, "[OutPut]\nDir=" + temp.string() + "\n");
    Create();
    EXPECT_TRUE(messages.Calls().empty());
}

}  // namespace
}  // namespace korvent::app
