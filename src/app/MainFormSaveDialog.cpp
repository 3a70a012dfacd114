// The polling step of a run: finds the chosen writer's Save dialog among the desktop's windows,
// types the output path into it, presses its button and answers its overwrite prompt.
#include "app/MainForm.h"

#include <chrono>

#include "app/PathText.h"
#include "app/WinSearch.h"
#include "platform/Clock.h"
#include "platform/TextCase.h"

namespace korvent::app {
namespace {

using std::chrono::milliseconds;
using V = TDialogVariant;

constexpr const char* kSaveAs = "名前を付けて保存";
constexpr const char* kPrimo = "PrimoPDF";
constexpr const char* kFormsCaption = "PrimoPDF by Nitro PDF Software";
constexpr const char* kFormsWindow = "WindowsForms10.Window.8.app.0.2004eee";
constexpr const char* kFormsEdit = "WindowsForms10.EDIT.app.0.2004eee";
constexpr const char* kFormsButton = "WindowsForms10.BUTTON.app.0.2004eee";
constexpr const char* kSaveButton = "保存(&S)";
// The read-back buffer of the file-name field holds 255 characters and its terminator.
constexpr int kReadBackCapacity = 256;

// The caption of the dialog windows of each variant.
std::string DialogCaption(TDialogVariant variant) {
    switch (variant) {
        case V::dvPrimoOk:
            return kPrimo;
        case V::dvPrimoForms:
            return kFormsCaption;
        default:
            return kSaveAs;
    }
}

std::size_t CodePoints(const std::string& text) {
    std::size_t count = 0;
    for (const unsigned char c : text) {
        count += (c & 0xC0) != 0x80;
    }
    return count;
}

}  // namespace

int TMainForm::DelayTime() {
    return fModel.UpdownEdit_delayTime.Value;
}

platform::WindowHandle TMainForm::ExistSaveDialg() {
    if (Run.FWriterKind == TWriterKind::wkOther) {
        Run.FWriterKind = PdfWriterKind(fModel.CmbPDFWriter.Text);
    }
    Run.FDialogVariant = V::dvNone;
    if (!fEnv.services.windows) {
        return 0;
    }
    TWinSearch search(*fEnv.services.windows);
    WindowHandle found = 0;
    // Keeps the window of the last search that succeeds.
    auto look = [&](WindowHandle w, TDialogVariant variant) {
        if (w != 0) {
            found = w;
            Run.FDialogVariant = variant;
        }
    };
    switch (Run.FWriterKind) {
        case TWriterKind::wkPrimoPDF:
            look(search.FindTopWindow("TApplication", "即刷★PDF"), V::dvSokusatsu);
            look(search.FindTopWindow("#32770", kPrimo), V::dvPrimoOk);
            look(search.FindTopWindow(kFormsWindow, kFormsCaption), V::dvPrimoForms);
            break;
        case TWriterKind::wkXeroPDF:
            look(search.FindTopWindow("#32770", kSaveAs), V::dvXero);
            break;
        case TWriterKind::wkXeroPDF2:
            // This writer's dialog may be hidden or owned when it is first made.
            look(search.Windows().FindTopLevel("#32770", kSaveAs), V::dvXero);
            break;
        case TWriterKind::wkCutePDF:
            look(search.FindTopWindow("#32770", kSaveAs), V::dvCutePDF);
            break;
        default:
            break;
    }
    return found;
}

TMainForm::TSaveDialogRecord TMainForm::FindControls(
    WindowHandle dialog, const std::vector<std::string>& buttonCaptions) {
    platform::WindowSystem& windows = *fEnv.services.windows;
    TSaveDialogRecord record;
    record.Edit = windows.FindChild(dialog, "EDIT", std::nullopt);
    for (const std::string& caption : buttonCaptions) {
        if (record.Button == 0) {
            record.Button = windows.FindChild(dialog, "Button", caption);
        }
    }
    return record;
}

int TMainForm::IsComboSaveDialog(WindowHandle dialog, TSaveDialogRecord& record) {
    platform::WindowSystem& windows = *fEnv.services.windows;
    fEnv.services.clock.Sleep(milliseconds(DelayTime() * 100));
    record = {};
    const WindowHandle comboEx = windows.FindChild(dialog, "ComboBoxEx32", std::nullopt);
    const WindowHandle combo = comboEx ? windows.FindChild(comboEx, "ComboBox", std::nullopt) : 0;
    record.Edit = combo ? windows.FindChild(combo, "EDIT", std::nullopt) : 0;
    record.Button = windows.FindChild(dialog, "Button", kSaveButton);
    record.Combo = windows.FindChild(dialog, "ComboBox", std::nullopt);
    record.Found = record.Edit && record.Button && record.Combo;
    return record.Found ? 1 : 0;
}

int TMainForm::IsFormsSaveDialog(WindowHandle dialog, TSaveDialogRecord& record) {
    TWinSearch search(*fEnv.services.windows);
    record = {};
    record.Edit = search.FindDescendantByClass(dialog, kFormsEdit);
    if (record.Edit) {
        fEnv.services.clock.Sleep(milliseconds(500));
    }
    record.Button = search.Windows().FindChild(dialog, kFormsButton, "PDF の作成");
    record.Found = record.Edit && record.Button;
    return record.Found ? 1 : 0;
}

TMainForm::TSaveDialogRecord TMainForm::CheckSaveDialog(WindowHandle candidate) {
    TSaveDialogRecord record;
    switch (Run.FDialogVariant) {
        case V::dvSokusatsu:
        case V::dvCutePDF:
            record = FindControls(candidate, {kSaveButton});
            record.Combo = fEnv.services.windows->FindChild(candidate, "ComboBox", std::nullopt);
            record.Found = record.Edit && record.Button && record.Combo;
            break;
        case V::dvPrimoOk:
            record = FindControls(candidate, {"OK", "&OK"});
            record.Found = record.Edit && record.Button;
            break;
        case V::dvXero:
            IsComboSaveDialog(candidate, record);
            break;
        case V::dvPrimoForms:
            IsFormsSaveDialog(candidate, record);
            break;
        case V::dvNone:
            break;
    }
    return record;
}

int TMainForm::IsOverWriteDialog(WindowHandle candidate, TOverwriteRecord& record) {
    TWinSearch search(*fEnv.services.windows);
    record = {};
    WindowHandle prompt = candidate;
    if (Run.FDialogVariant == V::dvPrimoForms) {
        prompt = 0;
        for (const WindowHandle w : search.ListOwnedWindows(candidate)) {
            if (prompt == 0 &&
                platform::SameTextIgnoringCase(search.GetWindowClassName(w), "#32770")) {
                prompt = w;
            }
        }
    }
    if (prompt != 0) {
        record.Yes = search.Windows().FindChild(prompt, "Button", "はい(&Y)");
        record.No = search.Windows().FindChild(prompt, "Button", "いいえ(&N)");
    }
    record.Found = record.Yes && record.No;
    return record.Found ? 1 : 0;
}

void TMainForm::ControlDialog() {
    if (DrivenWriter()) {
        PollWriterJob();
        return;
    }
    const WindowHandle owner = ExistSaveDialg();
    if (owner == 0) {
        if (Run.FDialogPhase == TDialogPhase::dpDialogSeen) {
            // The writer's dialog has closed: the entry is finished.
            FinishEntry();
            if (!Run.FRunning) {
                CompleteStop();
            }
        }
        return;
    }
    TWinSearch search(*fEnv.services.windows);
    const std::string caption = DialogCaption(Run.FDialogVariant);
    std::vector<WindowHandle> candidates;
    for (const WindowHandle w : search.ListThreadWindows(owner)) {
        if (search.GetWindowCaption(w) == caption) {
            candidates.push_back(w);
        }
    }
    if (candidates.empty()) {
        return;
    }
    Run.FDialogPhase = TDialogPhase::dpDialogSeen;
    TSaveDialogRecord save;
    WindowHandle yes = 0;
    for (const WindowHandle candidate : candidates) {
        if (const TSaveDialogRecord record = CheckSaveDialog(candidate); record.Found) {
            save = record;
        }
        if (TOverwriteRecord prompt; IsOverWriteDialog(candidate, prompt) == 1) {
            yes = prompt.Yes;
        }
    }
    if (candidates.size() == 1 && !Run.FSaveDone && save.Found) {
        OperateSaveDialog(save.Edit, save.Button);
    }
    if (candidates.size() == 2 && !Run.FOverwriteDone && yes != 0) {
        OperateOverWriteDialog(yes);
    }
    if (Run.FDialogVariant == V::dvPrimoForms && candidates.size() == 1 && !Run.FOverwriteDone &&
        yes != 0) {
        OperateOverWriteDialog(yes);
    }
}

void TMainForm::OperateSaveDialog(WindowHandle edit, WindowHandle button) {
    Run.FSaveDone = true;
    const std::string entry = CurrentEntry();
    const std::string path = MakeSaveFilePath(ExtractFileName(entry, kPathDelimiter));
    if (!FillFileName(edit, path)) {
        // No PDF will come of this entry; it finishes when its dialog is closed.
        return;
    }
    Run.FMergeFiles.push_back(path);
    Run.FProducedFiles.push_back(path);
    SendMessageClickLeftMouseBtn(edit);
    SendMessageClickLeftMouseBtn(button);
    TickEntry(Run.FStartedCount - 1);
}

bool TMainForm::FillFileName(WindowHandle edit, const std::string& path) {
    platform::WindowSystem& windows = *fEnv.services.windows;
    platform::Clock& clock = fEnv.services.clock;
    if (CodePoints(path) >= static_cast<std::size_t>(kReadBackCapacity)) {
        // The field could never be read back whole: the loop would never end.
        RecordFailure(CurrentEntry(), "出力ファイル名が長すぎます");
        return false;
    }
    for (;;) {
        // A dialog closed by hand (or by its program) leaves nothing to fill.
        if (windows.ClassName(edit).empty()) {
            RecordFailure(CurrentEntry(), "保存ダイアログが閉じられました");
            return false;
        }
        windows.SetText(edit, path, milliseconds(200));
        windows.SetText(edit, path, milliseconds(200));
        clock.Sleep(milliseconds(DelayTime() * 100));
        const auto text = windows.GetText(edit, kReadBackCapacity, milliseconds(200));
        if (text && *text == path) {
            return true;
        }
        clock.Sleep(milliseconds(500));
    }
}

void TMainForm::SendMessageClickLeftMouseBtn(WindowHandle window) {
    platform::WindowSystem& windows = *fEnv.services.windows;
    windows.SendMouse(window, platform::MouseMessage::LeftButtonDown, milliseconds(2000));
    windows.SendMouse(window, platform::MouseMessage::LeftButtonUp, milliseconds(2000));
}

void TMainForm::OperateOverWriteDialog(WindowHandle yes) {
    Run.FOverwriteDone = true;
    fEnv.services.clock.Sleep(milliseconds(2000));
    if (fModel.RGDD.ItemIndex == 0) {
        SendMessageClickLeftMouseBtn(yes);
    } else {
        BtnStopAutoCheckClick();
    }
}

}  // namespace korvent::app
