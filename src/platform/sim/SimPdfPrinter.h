#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/ShellActions.h"
#include "platform/sim/SimWindowSystem.h"

namespace korvent::platform {

// A PDF printer's program, for tests: after a print request it opens its Save dialog, in one
// thread of its own, with the windows, controls and captions of one of the five dialog variants
// the program drives. Pressing the confirm button writes a small one-page PDF to the path in the
// edit field and closes the dialog, or first asks through the writer's overwrite prompt when
// that file exists. The printing program ends when its dialog has closed. Requests queue: the
// next job's dialog opens once the previous one has closed and its own time has come. The
// window system must outlive the printer.
class SimPdfPrinter {
public:
    // The dialog variants, numbered as the dialog search numbers them.
    enum class Variant {
        Sokusatsu = 0,  // "即刷★PDF": a "TApplication" window owning a plain Save dialog
        Primo = 1,      // "PrimoPDF": a "#32770" dialog with an OK button
        Kusero = 2,  // "クセロPDF", "クセロPDF2": the edit inside ComboBoxEx32 › ComboBox
        PrimoForms = 3,  // "PrimoPDF" forms window; its overwrite prompt is an owned "#32770"
        Cute = 4,        // "CutePDF Writer": a plain "#32770" Save dialog
    };

    // Timing and misbehaviours.
    struct Options {
        // From the print request until the dialog's windows exist.
        std::chrono::milliseconds dialogDelay{1000};
        bool dialogNeverOpens = false;
        // The edit field refuses WM_SETTEXT.
        bool editIgnoresText = false;
        // The user closes the dialog when its edit field has received this many WM_SETTEXT
        // messages; 0 never.
        int closeAfterSetTexts = 0;
        bool programNeverEnds = false;
        // The dialog's caption (and its prompt's) ends in a space, so exact searches miss it.
        bool captionTrailingSpace = false;
        // The dialog window exists but is not visible: only searches that include hidden
        // windows find it.
        bool dialogHidden = false;
        // The confirm button's caption instead of the variant's own (for example "&OK").
        std::string confirmCaption{};
    };

    struct WrittenFile {
        std::string path;
        std::string document;  // the printed document; empty for a dialog opened by hand
        std::chrono::milliseconds time;
    };

    SimPdfPrinter(SimWindowSystem& windows, Clock& clock, Variant variant);
    SimPdfPrinter(SimWindowSystem& windows, Clock& clock, Variant variant, const Options& options);
    ~SimPdfPrinter();
    SimPdfPrinter(const SimPdfPrinter&) = delete;
    SimPdfPrinter& operator=(const SimPdfPrinter&) = delete;

    // A print job for `document`; the process runs until the job's dialog has closed.
    std::unique_ptr<Process> Print(const std::string& document);
    // Opens the Save dialog at once without a print request, as a program left open would.
    void OpenDialogNow();
    // The user cancels the dialog: it closes without writing and its job ends.
    void CloseDialogByHand();

    bool DialogOpen() const { return fDialog.has_value(); }
    int DialogsOpened() const { return fDialogsOpened; }
    const std::vector<WrittenFile>& Written() const { return fWritten; }

private:
    struct Job;
    struct Dialog {
        std::shared_ptr<Job> job;
        WindowHandle top = 0;  // destroying it closes every window of the dialog
        WindowHandle dialog = 0;
        WindowHandle edit = 0;
        WindowHandle prompt = 0;
        int textsReceived = 0;
    };

    void Poll();
    void OpenDialog(std::shared_ptr<Job> job);
    WindowHandle AddControls(WindowHandle dialog);
    WindowHandle AddPlainControls(WindowHandle dialog, const std::string& confirmCaption);
    WindowHandle AddComboControls(WindowHandle dialog);
    WindowHandle AddFormsControls(WindowHandle dialog);
    WindowHandle AddChild(WindowHandle parent, const std::string& className,
                          const std::string& caption = {});
    void AddButton(WindowHandle parent, const std::string& className, const std::string& caption,
                   std::function<void()> onClick);
    void AddConfirmAndCancel(WindowHandle dialog, const std::string& className,
                             const std::string& ownCaption);
    void Confirm();
    void OpenPrompt(const std::string& path);
    void ClosePrompt();
    void WriteAndClose(const std::string& path);
    void Close();
    void TextReceived();
    std::string DialogCaption() const;

    SimWindowSystem& fWindows;
    Clock& fClock;
    const Variant fVariant;
    const Options fOptions;
    const SimWindowSystem::ThreadId fThread;
    const int fHook;
    std::deque<std::shared_ptr<Job>> fJobs;
    std::optional<Dialog> fDialog;
    std::vector<WrittenFile> fWritten;
    int fDialogsOpened = 0;
};

}  // namespace korvent::platform
