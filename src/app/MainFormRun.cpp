// Conversion runs. The run itself (timer steps, printing, dialog automation, merging) is
// not built yet; the handlers exist so that the window's buttons, the pop-up menu, drops and
// the command line already call what they will call.
#include "app/MainForm.h"

namespace korvent::app {

void TMainForm::BtnPDFAllClick() {}
void TMainForm::BtnMergeClick() {}
void TMainForm::BtnStopAutoCheckClick() {}
void TMainForm::BtnAutoCheckClick() {}
void TMainForm::BtnOpenFileClick() {}
void TMainForm::Timer1Timer() {}

}  // namespace korvent::app
