#include <gtest/gtest.h>

#include "FormFixture.h"
#include "settings/RegFiler.h"
#include "settings/RegManager.h"

namespace korvent::app {
namespace {

using SettingsTest = FormFixture;

// Section by section in the order the first start writes them; Paper is -1 because the paper
// list is filled after the file is written, and becomes 1 when the window is shown.
std::string FirstStartIni(const std::string& paper) {
    return "[Driver]\n"
           "Driver=-1\n"
           "Name=\n"
           "[OutPut]\n"
           "Dir=\n"
           "Mode=1\n"
           "[OverWrite]\n"
           "Mode=2\n"
           "[AppendString]\n"
           "Check=N\n"
           "AppendStr=\n"
           "New=_new\n"
           "Old=_old\n"
           "[Option]\n"
           "Delay=2\n"
           "MergeDelay=20\n"
           "Merge=1\n"
           "D&D=0\n"
           "MergeFileDelete=1\n"
           "Message=1\n"
           "[Merge]\n"
           "Mode=1\n"
           "FileName=MergeFile\n"
           "AppedStr=Merge\n"
           "[Image]\n"
           "MargineTop=10\n"
           "MargineBottom=10\n"
           "MargineLeft=10\n"
           "MargineRight=10\n"
           "Propotion=1\n"
           "Center=1\n"
           "Compress=75\n"
           "PaperSize=0\n"
           "ImageSize=0\n"
           "UserPaperWidth=100\n"
           "UserPaperHeight=100\n"
           "UserImageWidth=100\n"
           "UserImageHeight=100\n"
           "Paper=" +
           paper +
           "\n"
           "Direction=0\n";
}

TEST_F(SettingsTest, FirstStartWritesTheCompleteFileInOrder) {
    Create({}, /*show=*/false);
    EXPECT_EQ(form->IniFileName(), kIni);
    EXPECT_EQ(Ini(), FirstStartIni("-1"));
    form->FormShow();
    EXPECT_EQ(Ini(), FirstStartIni("1"));
    EXPECT_EQ(M().CmbPaperSize.ItemIndex, 1);
    // The output folder is the desktop, shown without a trailing separator; the file keeps
    // the empty value.
    EXPECT_EQ(form->OutputDir, desktop.string());
    EXPECT_EQ(M().LblFilePath.Text, desktop.string());
    EXPECT_TRUE(messages.Calls().empty());
}

TEST_F(SettingsTest, FirstStartSetsCaptionsAndControls) {
    Create();
    EXPECT_EQ(M().Caption, "KorventＰＤＦ　　 Ｖｅｒ．１．３１");
    EXPECT_EQ(M().PageControl1.Items, (std::vector<std::string>{"実行", "画像設定", "詳細設定"}));
    EXPECT_EQ(M().RadioGroup1.ItemIndex, 2);
    EXPECT_TRUE(M().RBtnOutPut1.Checked);
    EXPECT_FALSE(M().RBtnOutPut2.Checked);
    EXPECT_TRUE(M().RBtnMerge2.Checked);
    EXPECT_EQ(M().EdtMergeAddString.Background, clWhite);
    EXPECT_EQ(M().EdtMergeFileName.Background, clBtnFace);
    EXPECT_EQ(M().EdtMergeFileName.FontColor, clGrayText);
    EXPECT_TRUE(M().CheckListBox1.MultiSelect);
    EXPECT_FALSE(M().BtnStopAutoCheck.Enabled);
    EXPECT_FALSE(M().BtnAutoCheck.Enabled);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 500);
    EXPECT_EQ(form->FImageExtensions, (std::vector<std::string>{".bmp"}));
    EXPECT_TRUE(M().NoSPIPlugInMessage1.Visible);
    EXPECT_TRUE(M().NoSPIPlugInMessage2.Visible);
}

TEST_F(SettingsTest, StoredValuesAreLoadedIntoTheControls) {
    profiles.SetText(kIni,
                     "[OutPut]\nDir=" + temp.string() +
                         "/\nMode=0\n"
                         "[OverWrite]\nMode=1\n"
                         "[AppendString]\nCheck=Y\nAppendStr=_v\nNew=-n\nOld=-o\n"
                         "[File]\nDir=/srv/docs\n"
                         "[Option]\nD&D=1\nVisible=N\nMessage=0\nMerge=0\nDelay=7\n"
                         "MergeDelay=55\nMergeFileDelete=0\n"
                         "[Merge]\nMode=0\nFileName=All\nAppedStr=X\n"
                         "[Image]\nMargineTop=5\nMargineBottom=6\nMargineLeft=7\nMargineRight=8\n"
                         "Propotion=0\nCenter=0\nCompress=40\nPaperSize=1\nImageSize=2\nPaper=3\n"
                         "Direction=1\nUserPaperWidth=210\nUserPaperHeight=297\n"
                         "UserImageWidth=50\nUserImageHeight=60\n");
    Create();
    // A stored folder is used as it stands, trailing separator included.
    EXPECT_EQ(form->OutputDir, temp.string() + "/");
    EXPECT_FALSE(M().RBtnOutPut1.Checked);
    EXPECT_TRUE(M().RBtnOutPut2.Checked);
    EXPECT_EQ(M().LblFilePath.FontColor, clGrayText);
    EXPECT_FALSE(M().BtnSelectFolder.Enabled);
    EXPECT_EQ(M().RadioGroup1.ItemIndex, 1);
    EXPECT_TRUE(M().CkbAppendStr.Checked);
    EXPECT_EQ(M().EdtApendStr.Text, "_v");
    EXPECT_EQ(M().EdtAddNewPath.Text, "-n");
    EXPECT_EQ(M().EdtAddOldPath.Text, "-o");
    EXPECT_EQ(M().OpenDialog1.InitialDir, "/srv/docs");
    EXPECT_EQ(M().RGDD.ItemIndex, 1);
    EXPECT_FALSE(M().CkbFormVisible.Checked);
    EXPECT_FALSE(M().CkbMessage.Checked);
    EXPECT_FALSE(M().ChkMergeFile.Checked);
    EXPECT_TRUE(M().RBtnMerge1.Checked);
    EXPECT_EQ(M().EdtMergeFileName.Background, clWhite);
    EXPECT_EQ(M().EdtMergeAddString.FontColor, clGrayText);
    EXPECT_EQ(M().EdtMergeFileName.Text, "All");
    EXPECT_EQ(M().EdtMergeAddString.Text, "X");
    EXPECT_EQ(M().UpdownEdit_delayTime.Value, 7);
    EXPECT_EQ(M().UpdownEdit_MergeDelayTime.Value, 55);
    EXPECT_FALSE(M().CkbMergeFileDelete.Checked);
    EXPECT_EQ(M().MarginTop.Value, 5);
    EXPECT_EQ(M().MarginBottom.Value, 6);
    EXPECT_EQ(M().MarginLeft.Value, 7);
    EXPECT_EQ(M().MarginRight.Value, 8);
    EXPECT_FALSE(M().ChkBoxGraphicPropotion.Checked);
    EXPECT_FALSE(M().ChkBoxGraphicCenter.Checked);
    EXPECT_EQ(M().EdtCompress.Value, 40);
    EXPECT_EQ(M().ScrollBar1.Value, 40);
    EXPECT_EQ(M().RadioGroupGrPaperSize.ItemIndex, 1);
    EXPECT_EQ(M().RGImageSize.ItemIndex, 2);
    EXPECT_EQ(M().CmbPaperSize.ItemIndex, 3);
    EXPECT_EQ(M().RGPaperDirection.ItemIndex, 1);
    EXPECT_EQ(M().EdtPaperWidth.Value, 210);
    EXPECT_EQ(M().EdtPaperHeight.Value, 297);
    EXPECT_EQ(M().EdtImageWidth.Value, 50);
    EXPECT_EQ(M().EdtImageHeight.Value, 60);
    EXPECT_TRUE(messages.Calls().empty());
}

struct FlagCase {
    const char* stored;
    bool checked;
};

class AppendStringFlag : public FormFixture, public ::testing::WithParamInterface<FlagCase> {};

// Only the exact text "Y" ticks the box.
TEST_P(AppendStringFlag, OnlyCapitalYChecks) {
    profiles.SetText(kIni, std::string("[AppendString]\nCheck=") + GetParam().stored + "\n");
    Create();
    EXPECT_EQ(M().CkbAppendStr.Checked, GetParam().checked);
}

INSTANTIATE_TEST_SUITE_P(Texts, AppendStringFlag,
                         ::testing::Values(FlagCase{"Y", true}, FlagCase{"y", false},
                                           FlagCase{"Yes", false}, FlagCase{"N", false},
                                           FlagCase{"", false}));

struct IndexCase {
    const char* stored;
    int overwrite;  // RadioGroup1 afterwards (form value 2)
    int dd;         // RGDD afterwards (form value 0)
};

class StoredItemIndex : public FormFixture, public ::testing::WithParamInterface<IndexCase> {};

// Empty keeps the form value, damaged reads as 0, too large takes the last item, negative
// selects nothing.
TEST_P(StoredItemIndex, FollowsTheLoadRules) {
    profiles.SetText(kIni, std::string("[OverWrite]\nMode=") + GetParam().stored +
                               "\n[Option]\nD&D=" + GetParam().stored + "\n");
    Create();
    EXPECT_EQ(M().RadioGroup1.ItemIndex, GetParam().overwrite);
    EXPECT_EQ(M().RGDD.ItemIndex, GetParam().dd);
}

INSTANTIATE_TEST_SUITE_P(Texts, StoredItemIndex,
                         ::testing::Values(IndexCase{"", 2, 0}, IndexCase{"abc", 0, 0},
                                           IndexCase{"1", 1, 1}, IndexCase{"7", 3, 1},
                                           IndexCase{"-5", -1, -1}, IndexCase{"3", 3, 1}));

struct PaperCase {
    const char* stored;
    int selected;  // CmbPaperSize afterwards, also what the file then holds
};

class StoredPaper : public FormFixture, public ::testing::WithParamInterface<PaperCase> {};

// The paper combo takes an index outside its four items as no selection, which the show
// handler turns into A4 (item 1) and stores.
TEST_P(StoredPaper, OutOfRangeSelectsA4) {
    profiles.SetText(kIni, std::string("[Image]\nPaper=") + GetParam().stored + "\n");
    Create();
    EXPECT_EQ(M().CmbPaperSize.ItemIndex, GetParam().selected);
    EXPECT_EQ(form->RegManager1().Items("Paper").ReadString(), std::to_string(GetParam().selected));
}

INSTANTIATE_TEST_SUITE_P(Texts, StoredPaper,
                         ::testing::Values(PaperCase{"0", 0}, PaperCase{"3", 3}, PaperCase{"4", 1},
                                           PaperCase{"9", 1}, PaperCase{"-1", 1},
                                           PaperCase{"-7", 1}, PaperCase{"x", 0}));

TEST_F(SettingsTest, DamagedIntegersReadAsZero) {
    profiles.SetText(kIni,
                     "[Option]\nMessage=x1\nMerge=?\n[OutPut]\nMode=one\n"
                     "[Merge]\nMode=zero\n");
    Create();
    EXPECT_FALSE(M().CkbMessage.Checked);
    EXPECT_FALSE(M().ChkMergeFile.Checked);
    EXPECT_TRUE(M().RBtnOutPut2.Checked);
    // 0 is a valid merge mode: the given name.
    EXPECT_TRUE(M().RBtnMerge1.Checked);
}

TEST_F(SettingsTest, ChangedControlsRewriteTheDamagedValue) {
    profiles.SetText(kIni, "[OverWrite]\nMode=abc\n");
    Create();
    EXPECT_NE(Ini().find("[OverWrite]\nMode=0\n"), std::string::npos);
}

TEST_F(SettingsTest, DDVisibleIsReadButNeverWritten) {
    profiles.SetText(kIni, "[Option]\nVisible=Y\n");
    Create();
    EXPECT_TRUE(M().CkbFormVisible.Checked);
    profiles.SetText(kIni, "[Option]\nVisible=N\n");
    Create();
    EXPECT_FALSE(M().CkbFormVisible.Checked);
    form->FormClose();
    EXPECT_EQ(Ini().find("Visible=Y"), std::string::npos);

    profiles.SetText(kIni, "");
    Create();
    EXPECT_EQ(Ini().find("Visible"), std::string::npos);
}

TEST_F(SettingsTest, FirstStartDoesNotWriteDDVisibleOrPrinter1) {
    Create();
    EXPECT_EQ(Ini().find("Visible="), std::string::npos);
    EXPECT_EQ(Ini().find("Printer="), std::string::npos);
}

TEST_F(SettingsTest, ControlChangesAreWrittenAtOnce) {
    Create();
    auto reads = [&](const char* item) { return form->RegManager1().Items(item).ReadString(); };

    M().EdtApendStr.Text = "_";
    form->EdtApendStrChange();
    EXPECT_EQ(reads("FileName"), "_");
    M().EdtApendStr.Text = "_x";
    form->EdtApendStrChange();
    EXPECT_EQ(reads("FileName"), "_x");

    M().RBtnOutPut1.Checked = false;
    M().RBtnOutPut2.Checked = true;
    form->RBtnOutPut1Click();
    EXPECT_EQ(reads("OutPutMode"), "0");
    EXPECT_EQ(M().LblFilePath.Background, clBtnFace);
    M().RBtnOutPut1.Checked = true;
    M().RBtnOutPut2.Checked = false;
    form->RBtnOutPut1Click();
    EXPECT_EQ(reads("OutPutMode"), "1");
    EXPECT_EQ(M().LblFilePath.Background, clWhite);
    EXPECT_EQ(M().LblFilePath.FontColor, clBlack);
    EXPECT_TRUE(M().BtnSelectFolder.Enabled);

    M().RadioGroup1.ItemIndex = 3;
    form->RadioGroup1Click();
    EXPECT_EQ(reads("OverWriteMode"), "3");
    M().CkbAppendStr.Checked = true;
    form->CkbAppendStrClick();
    EXPECT_EQ(reads("AppendString"), "Y");
    M().EdtAddNewPath.Text = "_N";
    form->EdtAddNewPathChange();
    EXPECT_EQ(reads("NewFile"), "_N");
    M().EdtAddOldPath.Text = "_O";
    form->EdtAddOldPathChange();
    EXPECT_EQ(reads("ExistFile"), "_O");
    M().RGDD.ItemIndex = 1;
    form->RGDDClick();
    EXPECT_EQ(reads("DD"), "1");
    M().CkbMessage.Checked = false;
    form->CkbMessageClick();
    EXPECT_EQ(reads("Message"), "0");
    M().UpdownEdit_delayTime.Value = 9;
    form->UpdownEdit_delayTimeChange();
    EXPECT_EQ(reads("DelayTime"), "9");
    M().ChkMergeFile.Checked = false;
    form->ChkMergeFileClick();
    EXPECT_EQ(reads("LeavePDFFile"), "0");
    M().RBtnMerge1.Checked = true;
    M().RBtnMerge2.Checked = false;
    form->RBtnMerge1Click();
    EXPECT_EQ(reads("MergeMode"), "0");
    M().EdtMergeFileName.Text = "Book";
    form->EdtMergeFileNameChange();
    EXPECT_EQ(reads("MergeName"), "Book");
    M().MarginLeft.Value = 23;
    form->MarginLeftChange();
    EXPECT_EQ(reads("MargineLeft"), "23");
    M().ScrollBar1.Value = 90;
    form->ScrollBar1Change();
    EXPECT_EQ(M().EdtCompress.Value, 90);
    EXPECT_EQ(reads("Compressrate"), "90");

    // The next start restores what was typed.
    Create();
    EXPECT_EQ(M().EdtApendStr.Text, "_x");
    EXPECT_EQ(M().RadioGroup1.ItemIndex, 3);
    EXPECT_EQ(M().EdtMergeFileName.Text, "Book");
    EXPECT_EQ(M().MarginLeft.Value, 23);
    EXPECT_EQ(M().EdtCompress.Value, 90);
    EXPECT_TRUE(messages.Calls().empty());
}

TEST_F(SettingsTest, PaperFollowingTheImageTicksAndLocksBothBoxes) {
    Create();
    M().ChkBoxGraphicCenter.Checked = false;
    form->ChkBoxGraphicCenterClick();
    M().RadioGroupGrPaperSize.ItemIndex = 2;
    form->RadioGroupGrPaperSizeClick();
    EXPECT_TRUE(M().ChkBoxGraphicCenter.Checked);
    EXPECT_FALSE(M().ChkBoxGraphicCenter.Enabled);
    EXPECT_EQ(M().RGImageSize.Items[0], "原寸");
    EXPECT_EQ(form->RegManager1().Items("Center").ReadString(), "1");
    EXPECT_EQ(form->RegManager1().Items("PaperSize").ReadString(), "2");
    M().RadioGroupGrPaperSize.ItemIndex = 0;
    form->RadioGroupGrPaperSizeClick();
    EXPECT_TRUE(M().ChkBoxGraphicCenter.Enabled);
    EXPECT_EQ(M().RGImageSize.Items[0], "用紙に合わせる");
}

TEST_F(SettingsTest, FolderChosenWithBrowseIsStoredWithoutTrailingSeparator) {
    Create();
    view.folderAnswers.push_back(temp.string() + "/out/");
    form->BtnSelectFolderClick();
    EXPECT_EQ(view.browseInitialDirs, std::vector<std::string>{desktop.string()});
    EXPECT_EQ(form->OutputDir, temp.string() + "/out");
    EXPECT_EQ(M().LblFilePath.Text, temp.string() + "/out");
    EXPECT_EQ(form->RegManager1().Items("OutPutDir").ReadString(), temp.string() + "/out");

    view.folderAnswers.push_back(std::nullopt);
    form->BtnSelectFolderClick();
    EXPECT_EQ(form->OutputDir, temp.string() + "/out");
}

// The root is a folder like any other: stored as "/", it is still the chosen folder after a
// restart instead of falling back to the desktop.
TEST_F(SettingsTest, RootFolderChosenWithBrowseSurvivesARestart) {
    Create();
    view.folderAnswers.push_back("/");
    form->BtnSelectFolderClick();
    EXPECT_EQ(form->OutputDir, "/");
    EXPECT_EQ(M().LblFilePath.Text, "/");
    EXPECT_EQ(form->RegManager1().Items("OutPutDir").ReadString(), "/");
    Create();
    EXPECT_EQ(form->OutputDir, "/");
    EXPECT_EQ(M().LblFilePath.Text, "/");
    EXPECT_EQ(form->MakeSaveFilePath("korvent-no-such-report.doc"), "/korvent-no-such-report.pdf");
    EXPECT_EQ(form->OutputDir, "/");
    EXPECT_TRUE(messages.Calls().empty());
}

// A desktop given with its trailing separator ("$HOME/" when the desktop folder is switched
// off) is shown and used without it.
TEST_F(SettingsTest, DesktopDefaultLosesItsTrailingSeparator) {
    const std::string bare = desktop.string();
    desktop = bare + "/";
    Create();
    EXPECT_EQ(form->OutputDir, bare);
    EXPECT_EQ(M().LblFilePath.Text, bare);
    EXPECT_EQ(form->RegManager1().Items("OutPutDir").ReadString(), "");
}

TEST_F(SettingsTest, ClosingStoresTheFolderOfTheLastConvertedFile) {
    Create();
    form->FormClose();
    EXPECT_EQ(Ini().find("[File]"), std::string::npos);
    form->LastConvertedFile = "/srv/in/report.doc";
    form->FormClose();
    EXPECT_EQ(form->RegManager1().Items("ConvertFile").ReadString(), "/srv/in");
    form->LastConvertedFile = "/top.doc";
    form->FormClose();
    EXPECT_EQ(form->RegManager1().Items("ConvertFile").ReadString(), "/");
    Create();
    EXPECT_EQ(M().OpenDialog1.InitialDir, "/");
}

TEST_F(SettingsTest, SmallHandlers) {
    Create();
    for (char32_t key : {U'0', U'5', U'9'}) {
        EXPECT_TRUE(form->EdtXeroTimeKeyPress(key));
    }
    for (char32_t key : {U'a', U'-', U'\b', U'１', U' '}) {
        EXPECT_FALSE(form->EdtXeroTimeKeyPress(key));
    }
    form->BtnAboutClick();
    EXPECT_EQ(view.aboutShown, 1);
    form->Button1Click();
    EXPECT_EQ(view.hidden, 1);
}

TEST_F(SettingsTest, NumericSettingsOutOfRangeAreClamped) {
    profiles.SetText(kIni, "[Option]\nDelay=0\nMergeDelay=500\n[Image]\nCompress=0\n");
    Create();
    EXPECT_EQ(M().UpdownEdit_delayTime.Value, 1);
    EXPECT_EQ(M().UpdownEdit_MergeDelayTime.Value, 100);
    // A JPEG quality of 0 does not exist: field and scroll bar stop at 1.
    EXPECT_EQ(M().EdtCompress.Value, 1);
    EXPECT_EQ(M().ScrollBar1.Value, 1);
}

}  // namespace
}  // namespace korvent::app
