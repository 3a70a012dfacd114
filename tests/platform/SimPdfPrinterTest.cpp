#include "platform/sim/SimPdfPrinter.h"

#include <gtest/gtest.h>

#include "pdf/PdfCheck.h"
#include "platform/IniDocument.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/VirtualClock.h"

namespace korvent::platform {
namespace {

using namespace std::chrono_literals;
using Variant = SimPdfPrinter::Variant;

constexpr auto kFormsEdit = "WindowsForms10.EDIT.app.0.2004eee";
constexpr auto kFormsButton = "WindowsForms10.BUTTON.app.0.2004eee";

// One writer as the dialog search sees it.
struct WriterCase {
    Variant variant;
    const char* writer;
    const char* ownerClass;
    const char* ownerCaption;
    const char* dialogCaption;
};

std::ostream& operator<<(std::ostream& out, const WriterCase& c) {
    return out << "variant " << static_cast<int>(c.variant);
}

struct Controls {
    WindowHandle edit = 0;
    WindowHandle button = 0;
};

// The searches of the dialog automation, written out here so that the simulation is held to
// them independently of the engine.
WindowHandle FindTopWindow(WindowSystem& ws, const std::string& className,
                           const std::string& caption) {
    for (WindowHandle w : ws.TopLevelWindows()) {
        if (ws.IsVisible(w) && ws.Owner(w) == 0 && EqualsIgnoreCase(ws.ClassName(w), className) &&
            ws.Caption(w) == caption) {
            return w;
        }
    }
    return 0;
}

std::vector<WindowHandle> Candidates(WindowSystem& ws, WindowHandle owner,
                                     const std::string& caption) {
    std::vector<WindowHandle> result;
    for (WindowHandle w : ws.ThreadWindows(owner)) {
        if (ws.Caption(w) == caption) {
            result.push_back(w);
        }
    }
    return result;
}

WindowHandle FirstDescendant(WindowSystem& ws, WindowHandle w, const std::string& className) {
    for (WindowHandle d : ws.Descendants(w)) {
        if (EqualsIgnoreCase(ws.ClassName(d), className)) {
            return d;
        }
    }
    return 0;
}

Controls SaveControls(WindowSystem& ws, Variant variant, WindowHandle dialog) {
    switch (variant) {
        case Variant::Primo:
            return {ws.FindChild(dialog, "EDIT", std::nullopt),
                    ws.FindChild(dialog, "Button", "OK")};
        case Variant::Kusero: {
            WindowHandle combo = ws.FindChild(ws.FindChild(dialog, "ComboBoxEx32", std::nullopt),
                                              "ComboBox", std::nullopt);
            EXPECT_NE(ws.FindChild(dialog, "ComboBox", std::nullopt), 0u);
            return {ws.FindChild(combo, "EDIT", std::nullopt),
                    ws.FindChild(dialog, "Button", "保存(&S)")};
        }
        case Variant::PrimoForms:
            return {FirstDescendant(ws, dialog, kFormsEdit),
                    ws.FindChild(dialog, kFormsButton, "PDF の作成")};
        case Variant::Sokusatsu:
        case Variant::Cute:
            break;
    }
    EXPECT_NE(ws.FindChild(dialog, "ComboBox", std::nullopt), 0u);
    return {ws.FindChild(dialog, "EDIT", std::nullopt), ws.FindChild(dialog, "Button", "保存(&S)")};
}

// The overwrite prompt among the candidates: a candidate itself, or for variant 3 the "#32770"
// window it owns; the prompt must have both buttons. 0 when there is none.
WindowHandle FindPrompt(WindowSystem& ws, Variant variant,
                        const std::vector<WindowHandle>& candidates) {
    WindowHandle found = 0;
    for (WindowHandle candidate : candidates) {
        WindowHandle prompt = candidate;
        if (variant == Variant::PrimoForms) {
            prompt = 0;
            for (WindowHandle w : ws.ThreadWindows(candidate)) {
                if (ws.Owner(w) == candidate && EqualsIgnoreCase(ws.ClassName(w), "#32770")) {
                    prompt = w;
                    break;
                }
            }
        }
        if (ws.FindChild(prompt, "Button", "はい(&Y)") != 0 &&
            ws.FindChild(prompt, "Button", "いいえ(&N)") != 0) {
            found = prompt;
        }
    }
    return found;
}

void Click(WindowSystem& ws, WindowHandle w) {
    ws.SendMouse(w, MouseMessage::LeftButtonDown, 2000ms);
    ws.SendMouse(w, MouseMessage::LeftButtonUp, 2000ms);
}

class SimPdfPrinterTest : public ::testing::TestWithParam<WriterCase> {
protected:
    void SetUp() override {
        printers.AddPrinter("Paper");
        desktop.AddPdfPrinter(GetParam().writer, GetParam().variant);
        printers.WriteDefaultDevice(std::string(GetParam().writer) + ",winspool,Ne00:");
        // One folder per case: ctest runs the cases side by side.
        folder = testing::TestFolder(
            "sim-printer-" + std::to_string(static_cast<int>(GetParam().variant)) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        document = (folder / "report.doc").string();
        target = (folder / "report.pdf").string();
        testing::WriteFile(document, "text");
    }

    WindowHandle Owner() {
        return FindTopWindow(ws(), GetParam().ownerClass, GetParam().ownerCaption);
    }
    std::vector<WindowHandle> DialogWindows() {
        return Candidates(ws(), Owner(), GetParam().dialogCaption);
    }
    Controls DialogControls() {
        const auto dialogs = DialogWindows();
        return dialogs.size() == 1 ? SaveControls(ws(), GetParam().variant, dialogs[0])
                                   : Controls{};
    }
    // Prints the document and waits until the dialog is up.
    std::unique_ptr<Process> PrintAndWait() {
        ShellResult result = desktop.Shell().Execute(ShellVerb::Print, document);
        EXPECT_TRUE(result.Succeeded());
        clock.Advance(1000ms);
        return std::move(result.process);
    }
    void FillAndConfirm() {
        const Controls controls = DialogControls();
        ASSERT_TRUE(ws().SetText(controls.edit, target, 200ms));
        Click(ws(), controls.edit);
        Click(ws(), controls.button);
    }
    SimWindowSystem& ws() { return desktop.Windows(); }

    VirtualClock clock;
    SimPrintSystem printers;
    SimDesktop desktop{printers, clock};
    std::filesystem::path folder;
    std::string document;
    std::string target;
};

TEST_P(SimPdfPrinterTest, DialogAppearsAfterItsDelayWithTheControlsTheSearchExpects) {
    ShellResult result = desktop.Shell().Execute(ShellVerb::Print, document);
    ASSERT_TRUE(result.Succeeded());
    clock.Advance(999ms);
    EXPECT_EQ(Owner(), 0u);
    clock.Advance(1ms);
    ASSERT_NE(Owner(), 0u);
    EXPECT_EQ(DialogWindows().size(), 1u);
    const Controls controls = DialogControls();
    EXPECT_NE(controls.edit, 0u);
    EXPECT_NE(controls.button, 0u);
    EXPECT_EQ(FindPrompt(ws(), GetParam().variant, DialogWindows()), 0u);
    EXPECT_TRUE(result.process->Running());
}

TEST_P(SimPdfPrinterTest, ConfirmWritesAValidPdfClosesTheDialogAndEndsTheProgram) {
    auto process = PrintAndWait();
    FillAndConfirm();
    EXPECT_EQ(Owner(), 0u);
    EXPECT_FALSE(process->Running());
    testing::ExpectValidPdf(target);
    const auto& written = desktop.Printer(GetParam().writer).Written();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].path, target);
    EXPECT_EQ(written[0].document, document);
}

TEST_P(SimPdfPrinterTest, ExistingTargetBringsUpTheOverwritePrompt) {
    testing::WriteFile(target, "old");
    auto process = PrintAndWait();
    FillAndConfirm();
    const bool ownedPrompt = GetParam().variant == Variant::PrimoForms;
    EXPECT_EQ(DialogWindows().size(), ownedPrompt ? 1u : 2u);
    const WindowHandle prompt = FindPrompt(ws(), GetParam().variant, DialogWindows());
    ASSERT_NE(prompt, 0u);
    Click(ws(), ws().FindChild(prompt, "Button", "いいえ(&N)"));
    EXPECT_FALSE(ws().Exists(prompt));
    EXPECT_EQ(DialogWindows().size(), 1u);
    EXPECT_EQ(testing::ReadFile(target), "old");
    FillAndConfirm();
    Click(ws(), ws().FindChild(FindPrompt(ws(), GetParam().variant, DialogWindows()), "Button",
                               "はい(&Y)"));
    EXPECT_EQ(Owner(), 0u);
    EXPECT_FALSE(process->Running());
    testing::ExpectValidPdf(target);
}

INSTANTIATE_TEST_SUITE_P(
    Writers, SimPdfPrinterTest,
    ::testing::Values(
        WriterCase{Variant::Sokusatsu, "PrimoPDF", "TApplication", "即刷★PDF", "名前を付けて保存"},
        WriterCase{Variant::Primo, "PrimoPDF", "#32770", "PrimoPDF", "PrimoPDF"},
        WriterCase{Variant::Kusero, "クセロPDF", "#32770", "名前を付けて保存", "名前を付けて保存"},
        WriterCase{Variant::PrimoForms, "PrimoPDF", "WindowsForms10.Window.8.app.0.2004eee",
                   "PrimoPDF by Nitro PDF Software", "PrimoPDF by Nitro PDF Software"},
        WriterCase{Variant::Cute, "CutePDF Writer", "#32770", "名前を付けて保存",
                   "名前を付けて保存"}));

// A CutePDF Writer that misbehaves as told, printed to once.
class MisbehavingWriterTest : public ::testing::Test {
protected:
    void Start(const SimPdfPrinter::Options& options) {
        writer = &desktop.AddPdfPrinter("CutePDF Writer", Variant::Cute, options);
        printers.WriteDefaultDevice("CutePDF Writer,,");
        // One folder per case: ctest runs the cases side by side.
        const auto folder =
            testing::TestFolder(std::string("sim-misbehaving-") +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        document = (folder / "a.doc").string();
        target = (folder / "a.pdf").string();
        testing::WriteFile(document, "text");
        process = desktop.Shell().Execute(ShellVerb::Print, document).process;
        clock.Advance(options.dialogDelay);
    }
    WindowHandle Dialog(const std::string& caption = "名前を付けて保存") {
        return FindTopWindow(ws(), "#32770", caption);
    }
    Controls DialogControls() { return SaveControls(ws(), Variant::Cute, Dialog()); }
    SimWindowSystem& ws() { return desktop.Windows(); }

    VirtualClock clock;
    SimPrintSystem printers;
    SimDesktop desktop{printers, clock};
    SimPdfPrinter* writer = nullptr;
    std::string document;
    std::string target;
    std::unique_ptr<Process> process;
};

TEST_F(MisbehavingWriterTest, AnEditThatIgnoresTheTextKeepsItsOwn) {
    Start({.editIgnoresText = true});
    const WindowHandle edit = DialogControls().edit;
    EXPECT_FALSE(ws().SetText(edit, target, 200ms));
    EXPECT_EQ(ws().GetText(edit, 256, 200ms), "");
}

TEST_F(MisbehavingWriterTest, TheUserClosesTheDialogAfterSomeTexts) {
    Start({.closeAfterSetTexts = 2});
    const WindowHandle edit = DialogControls().edit;
    EXPECT_TRUE(ws().SetText(edit, target, 200ms));
    EXPECT_NE(Dialog(), 0u);
    EXPECT_TRUE(ws().SetText(edit, target, 200ms));
    EXPECT_EQ(Dialog(), 0u);
    EXPECT_EQ(ws().GetText(edit, 256, 200ms), std::nullopt);
    EXPECT_FALSE(process->Running());
    EXPECT_TRUE(writer->Written().empty());
}

TEST_F(MisbehavingWriterTest, ADialogThatNeverOpens) {
    Start({.dialogNeverOpens = true});
    clock.Advance(std::chrono::hours(1));
    EXPECT_EQ(Dialog(), 0u);
    EXPECT_TRUE(process->Running());
}

TEST_F(MisbehavingWriterTest, AProgramThatNeverEnds) {
    Start({.programNeverEnds = true});
    const Controls controls = DialogControls();
    ws().SetText(controls.edit, target, 200ms);
    Click(ws(), controls.button);
    EXPECT_EQ(Dialog(), 0u);
    EXPECT_EQ(writer->Written().size(), 1u);
    EXPECT_TRUE(process->Running());
}

TEST_F(MisbehavingWriterTest, ACaptionWithATrailingSpaceEscapesTheExactSearch) {
    Start({.captionTrailingSpace = true});
    EXPECT_EQ(Dialog(), 0u);
    EXPECT_NE(Dialog("名前を付けて保存 "), 0u);
}

TEST_F(MisbehavingWriterTest, AHiddenDialogIsSeenOnlyBySearchesThatIncludeHiddenWindows) {
    Start({.dialogHidden = true});
    EXPECT_EQ(Dialog(), 0u);
    EXPECT_NE(ws().FindTopLevel("#32770", "名前を付けて保存"), 0u);
}

TEST_F(MisbehavingWriterTest, AnEmptyFileNameLeavesTheDialogOpen) {
    Start({});
    Click(ws(), DialogControls().button);
    EXPECT_NE(Dialog(), 0u);
    EXPECT_TRUE(process->Running());
}

TEST_F(MisbehavingWriterTest, JobsQueueBehindTheOpenDialog) {
    Start({});
    auto second = desktop.Shell().Execute(ShellVerb::Print, document).process;
    clock.Advance(5000ms);
    EXPECT_EQ(Candidates(ws(), Dialog(), "名前を付けて保存").size(), 1u);
    Click(ws(), ws().FindChild(Dialog(), "Button", "キャンセル"));
    EXPECT_FALSE(process->Running());
    EXPECT_TRUE(second->Running());
    EXPECT_NE(Dialog(), 0u);
    EXPECT_EQ(writer->DialogsOpened(), 2);
}

TEST(AlreadyOpenDialogTest, OpensWithoutAPrintRequestAndWritesOnConfirm) {
    VirtualClock clock;
    SimPrintSystem printers;
    SimDesktop desktop(printers, clock);
    SimPdfPrinter& writer =
        desktop.AddPdfPrinter("PrimoPDF", Variant::Primo, {.confirmCaption = "&OK"});
    writer.OpenDialogNow();
    SimWindowSystem& ws = desktop.Windows();
    const WindowHandle dialog = FindTopWindow(ws, "#32770", "PrimoPDF");
    ASSERT_NE(dialog, 0u);
    const auto target = testing::TestFolder("sim-already-open") / "x.pdf";
    ws.SetText(ws.FindChild(dialog, "EDIT", std::nullopt), target.string(), 200ms);
    Click(ws, ws.FindChild(dialog, "Button", "&OK"));
    ASSERT_EQ(writer.Written().size(), 1u);
    EXPECT_EQ(writer.Written()[0].document, "");
    EXPECT_TRUE(desktop.Shell().Requests().empty());
}

}  // namespace
}  // namespace korvent::platform
