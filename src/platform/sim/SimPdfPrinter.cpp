#include "platform/sim/SimPdfPrinter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace korvent::platform {

struct SimPdfPrinter::Job {
    std::string document;
    std::chrono::milliseconds due;
    bool done = false;
};

namespace {

constexpr const char* kFormsWindow = "WindowsForms10.Window.8.app.0.2004eee";
constexpr const char* kSaveAs = "名前を付けて保存";

// The dialog window of each variant, in the order of SimPdfPrinter::Variant.
struct Layout {
    const char* dialogClass;
    const char* caption;
};
constexpr Layout kLayouts[] = {
    {"#32770", kSaveAs}, {"#32770", "PrimoPDF"},
    {"#32770", kSaveAs}, {kFormsWindow, "PrimoPDF by Nitro PDF Software"},
    {"#32770", kSaveAs},
};

const Layout& LayoutOf(SimPdfPrinter::Variant variant) {
    return kLayouts[static_cast<int>(variant)];
}

// The printing program of one job: it runs until the job's dialog has closed.
class JobProcess final : public Process {
public:
    JobProcess(std::shared_ptr<const bool> done, bool neverEnds)
        : fDone(std::move(done)), fNeverEnds(neverEnds) {}
    bool Running() override { return fNeverEnds || !*fDone; }

private:
    std::shared_ptr<const bool> fDone;
    bool fNeverEnds;
};

// A blank A4 page in the smallest complete PDF: catalog, page tree, page, and a
// cross-reference table whose offsets are exact.
std::string OnePagePdf() {
    const char* const objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << >> >>",
    };
    const int count = static_cast<int>(std::size(objects)) + 1;
    std::string pdf = "%PDF-1.4\n";
    std::string xref = "xref\n0 " + std::to_string(count) + "\n0000000000 65535 f \n";
    for (int number = 1; number < count; ++number) {
        char entry[21];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", pdf.size());
        xref += entry;
        pdf += std::to_string(number) + " 0 obj\n" + objects[number - 1] + "\nendobj\n";
    }
    const size_t xrefOffset = pdf.size();
    return pdf + xref + "trailer\n<< /Size " + std::to_string(count) +
           " /Root 1 0 R >>\nstartxref\n" + std::to_string(xrefOffset) + "\n%%EOF\n";
}

bool WritePdf(const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << OnePagePdf();
    return static_cast<bool>(out.flush());
}

}  // namespace

SimPdfPrinter::SimPdfPrinter(SimWindowSystem& windows, Clock& clock, Variant variant)
    : SimPdfPrinter(windows, clock, variant, Options{}) {}

SimPdfPrinter::SimPdfPrinter(SimWindowSystem& windows, Clock& clock, Variant variant,
                             const Options& options)
    : fWindows(windows),
      fClock(clock),
      fVariant(variant),
      fOptions(options),
      fThread(windows.NewThread()),
      fHook(windows.AddQueryHook([this] { Poll(); })) {}

SimPdfPrinter::~SimPdfPrinter() {
    fWindows.RemoveQueryHook(fHook);
    if (fDialog) {
        Close();
    }
    for (const auto& job : fJobs) {
        job->done = true;
    }
}

std::unique_ptr<Process> SimPdfPrinter::Print(const std::string& document) {
    auto job = std::make_shared<Job>(Job{document, fClock.Now() + fOptions.dialogDelay});
    fJobs.push_back(job);
    return std::make_unique<JobProcess>(std::shared_ptr<const bool>(job, &job->done),
                                        fOptions.programNeverEnds);
}

void SimPdfPrinter::OpenDialogNow() {
    if (!fDialog) {
        OpenDialog(std::make_shared<Job>(Job{{}, fClock.Now()}));
    }
}

void SimPdfPrinter::CloseDialogByHand() {
    if (fDialog) {
        Close();
    }
}

// Runs before every look at the desktop: the next job's dialog opens once its time has come.
void SimPdfPrinter::Poll() {
    if (fDialog || fJobs.empty() || fOptions.dialogNeverOpens ||
        fClock.Now() < fJobs.front()->due) {
        return;
    }
    std::shared_ptr<Job> job = fJobs.front();
    fJobs.pop_front();
    OpenDialog(std::move(job));
}

void SimPdfPrinter::OpenDialog(std::shared_ptr<Job> job) {
    WindowHandle owner = 0;
    if (fVariant == Variant::Sokusatsu) {
        owner = fWindows.Create(
            {.className = "TApplication", .caption = "即刷★PDF", .thread = fThread});
    }
    const WindowHandle dialog = fWindows.Create({.className = LayoutOf(fVariant).dialogClass,
                                                 .caption = DialogCaption(),
                                                 .owner = owner,
                                                 .thread = fThread});
    fWindows.SetVisible(dialog, !fOptions.dialogHidden);
    fDialog = Dialog{.job = std::move(job), .top = owner != 0 ? owner : dialog, .dialog = dialog};
    fDialog->edit = AddControls(dialog);
    fWindows.SetAcceptsText(fDialog->edit, !fOptions.editIgnoresText);
    if (fOptions.closeAfterSetTexts > 0) {
        fWindows.OnSetText(fDialog->edit, [this] { TextReceived(); });
    }
    ++fDialogsOpened;
}

// Builds the variant's controls and returns the file-name edit field.
WindowHandle SimPdfPrinter::AddControls(WindowHandle dialog) {
    switch (fVariant) {
        case Variant::Primo:
            return AddPlainControls(dialog, "OK");
        case Variant::Kusero:
            return AddComboControls(dialog);
        case Variant::PrimoForms:
            return AddFormsControls(dialog);
        case Variant::Sokusatsu:
        case Variant::Cute:
            break;
    }
    return AddPlainControls(dialog, "保存(&S)");
}

WindowHandle SimPdfPrinter::AddPlainControls(WindowHandle dialog,
                                             const std::string& confirmCaption) {
    AddChild(dialog, "Static", "ファイル名(&N):");
    const WindowHandle edit = AddChild(dialog, "Edit");
    AddChild(dialog, "ComboBox");
    AddConfirmAndCancel(dialog, "Button", confirmCaption);
    return edit;
}

WindowHandle SimPdfPrinter::AddComboControls(WindowHandle dialog) {
    AddChild(dialog, "Static", "ファイル名(&N):");
    const WindowHandle combo = AddChild(AddChild(dialog, "ComboBoxEx32"), "ComboBox");
    const WindowHandle edit = AddChild(combo, "Edit");
    AddChild(dialog, "Static", "ファイルの種類(&T):");
    AddChild(dialog, "ComboBox");
    AddConfirmAndCancel(dialog, "Button", "保存(&S)");
    return edit;
}

WindowHandle SimPdfPrinter::AddFormsControls(WindowHandle dialog) {
    const WindowHandle panel = AddChild(dialog, kFormsWindow);
    const WindowHandle edit = AddChild(panel, "WindowsForms10.EDIT.app.0.2004eee");
    AddConfirmAndCancel(dialog, "WindowsForms10.BUTTON.app.0.2004eee", "PDF の作成");
    return edit;
}

WindowHandle SimPdfPrinter::AddChild(WindowHandle parent, const std::string& className,
                                     const std::string& caption) {
    return fWindows.Create(
        {.className = className, .caption = caption, .parent = parent, .thread = fThread});
}

void SimPdfPrinter::AddButton(WindowHandle parent, const std::string& className,
                              const std::string& caption, std::function<void()> onClick) {
    fWindows.OnClick(AddChild(parent, className, caption), std::move(onClick));
}

void SimPdfPrinter::AddConfirmAndCancel(WindowHandle dialog, const std::string& className,
                                        const std::string& ownCaption) {
    const std::string caption =
        fOptions.confirmCaption.empty() ? ownCaption : fOptions.confirmCaption;
    AddButton(dialog, className, caption, [this] { Confirm(); });
    AddButton(dialog, className, "キャンセル", [this] { Close(); });
}

void SimPdfPrinter::Confirm() {
    if (fDialog->prompt != 0) {
        return;  // the prompt is modal
    }
    const std::string path = fWindows.Text(fDialog->edit);
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        OpenPrompt(path);
    } else {
        WriteAndClose(path);
    }
}

// Variant 3 asks with a message box owned by its form; the others with a second window that
// carries the dialog's own caption.
void SimPdfPrinter::OpenPrompt(const std::string& path) {
    const std::string caption =
        fVariant == Variant::PrimoForms ? "名前を付けて保存の確認" : DialogCaption();
    const WindowHandle prompt = fWindows.Create(
        {.className = "#32770", .caption = caption, .owner = fDialog->dialog, .thread = fThread});
    AddChild(prompt, "Static", path + " は既に存在します。\n上書きしますか?");
    AddButton(prompt, "Button", "はい(&Y)", [this, path] { WriteAndClose(path); });
    AddButton(prompt, "Button", "いいえ(&N)", [this] { ClosePrompt(); });
    fDialog->prompt = prompt;
}

void SimPdfPrinter::ClosePrompt() {
    fWindows.Destroy(fDialog->prompt);
    fDialog->prompt = 0;
}

// A path that cannot be written leaves the dialog open, as a real Save dialog would.
void SimPdfPrinter::WriteAndClose(const std::string& path) {
    if (!WritePdf(path)) {
        return;
    }
    fWritten.push_back({path, fDialog->job->document, fClock.Now()});
    Close();
}

void SimPdfPrinter::Close() {
    fWindows.Destroy(fDialog->top);
    fDialog->job->done = true;
    fDialog.reset();
}

void SimPdfPrinter::TextReceived() {
    if (++fDialog->textsReceived == fOptions.closeAfterSetTexts) {
        Close();
    }
}

std::string SimPdfPrinter::DialogCaption() const {
    return std::string(LayoutOf(fVariant).caption) + (fOptions.captionTrailingSpace ? " " : "");
}

}  // namespace korvent::platform
