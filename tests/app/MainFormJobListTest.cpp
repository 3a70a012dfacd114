#include <gtest/gtest.h>

#include <fstream>

#include "FormFixture.h"

namespace korvent::app {
namespace {

using Texts = std::vector<std::string>;

class JobListTest : public FormFixture {
protected:
    // Registers the paths through Append and leaves nothing selected.
    void Register(const Texts& paths) {
        view.openAnswers.push_back(paths);
        form->BtnApendFileClick();
    }
    void Select(const std::vector<int>& indexes) {
        auto& sel = M().CheckListBox1.ItemSelected;
        std::fill(sel.begin(), sel.end(), 0);
        for (int i : indexes) {
            sel[i] = 1;
        }
    }
    void CheckAll() {
        auto& checks = M().CheckListBox1.ItemChecked;
        std::fill(checks.begin(), checks.end(), 1);
    }
    std::vector<int> Selected() const {
        std::vector<int> result;
        const auto& sel = form->Model().CheckListBox1.ItemSelected;
        for (size_t i = 0; i < sel.size(); ++i) {
            if (sel[i]) {
                result.push_back(static_cast<int>(i));
            }
        }
        return result;
    }
    bool AnyChecked() const {
        const auto& checks = form->Model().CheckListBox1.ItemChecked;
        return std::any_of(checks.begin(), checks.end(), [](char c) { return c != 0; });
    }
    // Both lists, compared as one: the visible texts are the unshortened paths here.
    void ExpectLists(const Texts& paths) {
        EXPECT_EQ(form->FFilePaths, paths);
        EXPECT_EQ(M().CheckListBox1.Items, paths);
        EXPECT_EQ(M().CheckListBox1.ItemChecked.size(), paths.size());
        EXPECT_EQ(M().CheckListBox1.ItemSelected.size(), paths.size());
    }
};

TEST_F(JobListTest, AppendAddsInDialogOrderAndPreparesARun) {
    Create();
    M().LblFName.Text = "old.doc";
    Register({"/d/A.doc", "/d/B.doc"});
    ExpectLists({"/d/A.doc", "/d/B.doc"});
    EXPECT_TRUE(form->Run.FRunPrepared);
    EXPECT_TRUE(form->Run.FReadyForNext);
    EXPECT_EQ(form->Run.FStartedCount, 0);
    EXPECT_EQ(form->Run.FFileCount, 2);
    EXPECT_EQ(M().LblFName.Text, "");
    EXPECT_EQ(view.openDialogInitialDirs, Texts{""});
}

// A file already listed is not listed again, however its path is spelt; names that differ
// only in letter case are different files on this system and are both listed.
TEST_F(JobListTest, AppendRefusesFilesAlreadyListed) {
    Create();
    const std::string upper = (temp / "Report.doc").string();
    const std::string lower = (temp / "report.doc").string();
    const std::string link = (temp / "link.doc").string();
    std::ofstream(upper) << "a";
    std::ofstream(lower) << "b";
    std::filesystem::create_symlink(upper, link);
    Register({upper});
    M().CheckListBox1.ItemChecked[0] = 1;
    Register({lower, (temp / "." / "Report.doc").string(), link, "/d/new.doc", "/d/new.doc",
              "/d/NEW.doc"});
    EXPECT_EQ(M().CheckListBox1.ItemChecked, (std::vector<char>{1, 0, 0, 0}));
    // Duplicates within one choice are compared against the list as it grows.
    ExpectLists({upper, lower, "/d/new.doc", "/d/NEW.doc"});
    EXPECT_EQ(form->Run.FFileCount, 4);
}

TEST_F(JobListTest, AppendCancelledStillResetsTheRunPosition) {
    Create();
    Register({"/d/a", "/d/b"});
    form->Run.FStartedCount = 2;
    form->Run.FRunPrepared = false;
    view.openAnswers.push_back(std::nullopt);
    form->BtnApendFileClick();
    ExpectLists({"/d/a", "/d/b"});
    EXPECT_TRUE(form->Run.FRunPrepared);
    EXPECT_EQ(form->Run.FStartedCount, 0);
    EXPECT_EQ(form->Run.FFileCount, 2);
}

TEST_F(JobListTest, NewReplacesTheList) {
    Create();
    Register({"/d/a", "/d/b"});
    form->Run.FStartedCount = 1;
    view.openAnswers.push_back(Texts{"/e/x", "/e/X"});
    form->BtnNewFilesClick();
    // New adds whatever it is given, duplicates included.
    ExpectLists({"/e/x", "/e/X"});
    EXPECT_FALSE(form->Run.FRunPrepared);
    EXPECT_EQ(form->Run.FStartedCount, 0);
    EXPECT_EQ(form->Run.FFileCount, 0);
}

TEST_F(JobListTest, NewCancelledLeavesAnEmptyList) {
    Create();
    Register({"/d/a", "/d/b"});
    M().LblFName.Text = "a";
    view.openAnswers.push_back(std::nullopt);
    form->BtnNewFilesClick();
    ExpectLists({});
    EXPECT_EQ(M().LblFName.Text, "");
    EXPECT_EQ(form->Run.FFileCount, 0);
}

TEST_F(JobListTest, RemoveSelectedKeepsTheOthersInOrder) {
    Create();
    Register({"/a", "/b", "/c", "/d", "/e"});
    form->Run.FStartedCount = 3;
    M().LblFName.Text = "c";
    M().CheckListBox1.ItemChecked = {1, 1, 0, 0, 1};
    Select({0, 2, 4});
    form->BtnlClearListClick();
    ExpectLists({"/b", "/d"});
    // The entries that stay keep their marks.
    EXPECT_EQ(M().CheckListBox1.ItemChecked, (std::vector<char>{1, 0}));
    EXPECT_TRUE(Selected().empty());
    EXPECT_FALSE(form->Run.FRunPrepared);
    EXPECT_EQ(form->Run.FStartedCount, 0);
    EXPECT_EQ(form->Run.FFileCount, 2);
    EXPECT_EQ(M().LblFName.Text, "");
}

TEST_F(JobListTest, RemoveAllEmptiesBothLists) {
    Create();
    Register({"/a", "/b"});
    form->BtnAllClearListClick();
    ExpectLists({});
    EXPECT_FALSE(form->Run.FRunPrepared);
    EXPECT_EQ(form->Run.FFileCount, 0);
}

TEST_F(JobListTest, UpMovesSelectedEntriesAndSelectsTheLastMoved) {
    Create();
    Register({"A", "B", "C", "D"});
    CheckAll();
    form->Run.FStartedCount = 2;
    Select({1, 3});
    form->BtnUpClick();
    ExpectLists({"B", "A", "D", "C"});
    EXPECT_EQ(Selected(), std::vector<int>{2});
    EXPECT_FALSE(AnyChecked());
    EXPECT_EQ(form->Run.FStartedCount, 2);  // moving leaves the run position alone
}

TEST_F(JobListTest, UpWithTheTopTwoSelectedSwapsThem) {
    Create();
    Register({"A", "B", "C"});
    Select({0, 1});
    form->BtnUpClick();
    ExpectLists({"B", "A", "C"});
    EXPECT_EQ(Selected(), std::vector<int>{0});
}

TEST_F(JobListTest, UpMovesAContiguousBlock) {
    Create();
    Register({"A", "B", "C", "D"});
    Select({2, 3});
    form->BtnUpClick();
    ExpectLists({"A", "C", "D", "B"});
    EXPECT_EQ(Selected(), std::vector<int>{2});
}

TEST_F(JobListTest, DownOfTheLastEntryOnlyClearsMarks) {
    Create();
    Register({"A", "B", "C"});
    CheckAll();
    Select({2});
    form->BtnDownClick();
    ExpectLists({"A", "B", "C"});
    EXPECT_TRUE(Selected().empty());
    EXPECT_FALSE(AnyChecked());
}

TEST_F(JobListTest, DownMovesSelectedEntriesAndSelectsTheLowestMoved) {
    Create();
    Register({"A", "B", "C", "D"});
    Select({0, 2});
    form->BtnDownClick();
    ExpectLists({"B", "A", "D", "C"});
    EXPECT_EQ(Selected(), std::vector<int>{1});
}

TEST_F(JobListTest, MovesOnAnEmptyListDoNothing) {
    Create();
    form->BtnUpClick();
    form->BtnDownClick();
    ExpectLists({});
}

TEST_F(JobListTest, CheckMarksCannotBeChangedByTheUser) {
    Create();
    Register({"A", "B"});
    auto& list = M().CheckListBox1;
    list.ItemChecked[1] = 1;
    // The user clicks B's box: the list toggles it, the handler puts it back.
    list.ItemIndex = 1;
    list.ItemChecked[1] = 0;
    form->CheckListBox1ClickCheck();
    EXPECT_EQ(list.ItemChecked[1], 1);
    list.ItemIndex = 0;
    list.ItemChecked[0] = 1;
    form->CheckListBox1ClickCheck();
    EXPECT_EQ(list.ItemChecked[0], 0);
}

TEST_F(JobListTest, DroppedFilesAreAppendedAndShortened) {
    listWidth = 30;  // 20 characters of 1 pixel fit
    Create();
    Register({"/a", "/b", "/c", "/d", "/e"});
    form->Run.FStartedCount = 1;
    form->FormDropFiles({"/data/reports/2006/april.doc", "/e", "/x/y.doc"});
    EXPECT_EQ(form->FFilePaths.size(), 8u);
    EXPECT_EQ(form->FFilePaths[5], "/data/reports/2006/april.doc");
    EXPECT_EQ(M().CheckListBox1.Items[5], "/.../2006/april.doc");
    EXPECT_EQ(M().CheckListBox1.Items[6], "/e");
    EXPECT_EQ(M().CheckListBox1.Items[7], "/x/y.doc");
    EXPECT_EQ(form->Run.FStartedCount, 1);  // a drop leaves the run position alone
    EXPECT_EQ(M().CheckListBox1.ItemChecked.size(), 8u);
}

TEST_F(JobListTest, CommandLinePathsAreRegistered) {
    listWidth = 23;  // 13 characters fit
    Create({"/one/two/three.doc", "/b.pdf"});
    EXPECT_EQ(form->FFilePaths, (Texts{"/one/two/three.doc", "/b.pdf"}));
    EXPECT_EQ(M().CheckListBox1.Items, (Texts{".../three.doc", "/b.pdf"}));
    EXPECT_TRUE(form->Run.FFromCommandLine);

    Create();
    EXPECT_FALSE(form->Run.FFromCommandLine);
    EXPECT_TRUE(form->FFilePaths.empty());
}

// Append fits every entry again at the list's current width; a drop fits only its own.
TEST_F(JobListTest, AppendRefitsEveryEntryToTheCurrentWidth) {
    listWidth = 25;  // 15 characters fit
    Create();
    Register({"/home/u/summary.doc"});
    EXPECT_EQ(M().CheckListBox1.Items, Texts{".../summary.doc"});

    M().CheckListBox1.Width = 60;  // the window was made wider
    form->FormDropFiles({"/home/u/dropped.doc"});
    EXPECT_EQ(M().CheckListBox1.Items, (Texts{".../summary.doc", "/home/u/dropped.doc"}));
    view.openAnswers.push_back(std::nullopt);
    form->BtnApendFileClick();
    EXPECT_EQ(M().CheckListBox1.Items[0], ".../summary.doc") << "a cancelled append stops early";

    M().CheckListBox1.ItemChecked[1] = 1;
    Register({"/home/u/summary.doc"});  // refused as known, yet every text is fitted again
    EXPECT_EQ(M().CheckListBox1.Items, (Texts{"/home/u/summary.doc", "/home/u/dropped.doc"}));
    EXPECT_EQ(M().CheckListBox1.ItemChecked, (std::vector<char>{0, 1}));

    M().CheckListBox1.Width = 25;
    Register({"/home/u/new.doc"});
    EXPECT_EQ(M().CheckListBox1.Items,
              (Texts{".../summary.doc", ".../dropped.doc", "/home/u/new.doc"}));
}

TEST_F(JobListTest, TextsUseTheFontWidth) {
    listWidth = 40;
    Create();
    view.charWidth = 2;  // 15 characters fit
    form->FormDropFiles({"/home/u/summary.doc"});
    EXPECT_EQ(M().CheckListBox1.Items[0], ".../summary.doc");
}

}  // namespace
}  // namespace korvent::app
