// Conversion runs: start, stop, resume, the entry step, finishing and the summary, and the
// open command.
#include "app/FormView.h"
#include "app/MainForm.h"
#include "app/RunTimer.h"

namespace korvent::app {

void TMainForm::BtnPDFAllClick() {}
void TMainForm::BtnMergeClick() {}
void TMainForm::BtnStopAutoCheckClick() {}
void TMainForm::BtnAutoCheckClick() {}
void TMainForm::BtnOpenFileClick() {}
void TMainForm::Timer1Timer() {}

void TMainForm::ClearStatusLabels() {
    for (Control* label : {&fModel.LblFName, &fModel.Label2, &fModel.Label5}) {
        label->Text.clear();
        label->Background = clBtnFace;
    }
}

void TMainForm::CompleteStop() {
    fEnv.timer.SetEnabled(false);
    ClearStatusLabels();
    RestoreDefaultPrinter();
}

}  // namespace korvent::app
