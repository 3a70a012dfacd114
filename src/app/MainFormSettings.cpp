// The settings table, its first-start file, the loads at creation and show, and the handlers
// that write a setting when its control changes.
#include "app/MainForm.h"

#include <string>

#include "app/FormView.h"
#include "app/PathText.h"
#include "settings/RegFiler.h"
#include "settings/RegManager.h"

namespace korvent::app {

void TMainForm::RegisterSettingsItems() {
    // Name, section, ident and default of every setting, in the order the form stores them.
    static const char* const kItems[][4] = {
        {"OutPutDir", "OutPut", "Dir", ""},
        {"OutPutMode", "OutPut", "Mode", "1"},
        {"OverWriteMode", "OverWrite", "Mode", "2"},
        {"FileName", "AppendString", "AppendStr", ""},
        {"ExistFile", "AppendString", "Old", "_old"},
        {"NewFile", "AppendString", "New", "_new"},
        {"ConvertFile", "File", "Dir", ""},
        {"PDFWriter", "Printer", "PDFWriter", ""},
        {"Printer", "Printer", "Printer", ""},
        {"DD", "Option", "D&D", "0"},
        {"LeavePDFFile", "Option", "Merge", "1"},
        {"DDVisible", "Option", "Visible", "Y"},
        {"Message", "Option", "Message", "1"},
        {"DelayTime", "Option", "Delay", "2"},
        {"MergeDelayTime", "Option", "MergeDelay", "20"},
        {"MergeFileDelete", "Option", "MergeFileDelete", "1"},
        {"AppendString", "AppendString", "Check", "N"},
        {"PDFWriter1", "Driver", "Driver", "-1"},
        {"PDFWriter1Name", "Driver", "Name", ""},
        {"Printer1", "Driver", "Printer", "-1"},
        {"MergeMode", "Merge", "Mode", "1"},
        {"MergeName", "Merge", "FileName", "MergeFile"},
        {"MergeAppendStr", "Merge", "AppedStr", "Merge"},
        {"MargineTop", "Image", "MargineTop", "10"},
        {"MargineBottom", "Image", "MargineBottom", "10"},
        {"MargineLeft", "Image", "MargineLeft", "10"},
        {"MargineRight", "Image", "MargineRight", "10"},
        {"Propotion", "Image", "Propotion", "1"},
        {"Center", "Image", "Center", "1"},
        {"UserPaperWidth", "Image", "UserPaperWidth", "100"},
        {"UserPaperHeight", "Image", "UserPaperHeight", "100"},
        {"UserImageWidth", "Image", "UserImageWidth", "100"},
        {"UserImageHeight", "Image", "UserImageHeight", "100"},
        {"Compressrate", "Image", "Compress", "75"},
        {"PaperSize", "Image", "PaperSize", "0"},
        {"Paper", "Image", "Paper", "2"},
        {"ImageSize", "Image", "ImageSize", "0"},
        {"Direction", "Image", "Direction", "0"},
    };
    for (const auto& item : kItems) {
        fRegManager->RegItems().Add(settings::TRegItem(item[0], item[1], item[2], item[3]));
    }
}

void TMainForm::WriteInteger(const char* item, int value) {
    fRegManager->Items(item).WriteInteger(value);
}
void TMainForm::WriteString(const char* item, const std::string& value) {
    fRegManager->Items(item).WriteString(value);
}
void TMainForm::WriteFloat(const char* item, double value) {
    fRegManager->Items(item).WriteFloat(value);
}
void TMainForm::WriteFlag(const char* item, bool value) {
    WriteInteger(item, value ? 1 : 0);
}
int TMainForm::ReadInteger(const char* item) {
    return fRegManager->Items(item).ReadInteger();
}
std::string TMainForm::ReadString(const char* item) {
    return fRegManager->Items(item).ReadString();
}

void TMainForm::SaveIniFile() {
    FormModel& m = fModel;
    WriteInteger("PDFWriter1", PDFWriterIndex);
    WriteString("PDFWriter1Name", m.CmbPDFWriter.Text);
    WriteString("OutPutDir", OutputDir);
    WriteInteger("OutPutMode", m.RBtnOutPut1.Checked ? 1 : 0);
    if (!LastConvertedFile.empty()) {
        WriteString("ConvertFile", ExtractFileDir(LastConvertedFile, kPathDelimiter));
    }
    WriteInteger("OverWriteMode", m.RadioGroup1.ItemIndex);
    WriteString("AppendString", m.CkbAppendStr.Checked ? "Y" : "N");
    WriteString("FileName", m.EdtApendStr.Text);
    WriteString("NewFile", m.EdtAddNewPath.Text);
    WriteString("ExistFile", m.EdtAddOldPath.Text);
    WriteInteger("DelayTime", m.UpdownEdit_delayTime.Value);
    WriteInteger("MergeDelayTime", m.UpdownEdit_MergeDelayTime.Value);
    WriteFlag("LeavePDFFile", m.ChkMergeFile.Checked);
    WriteInteger("DD", m.RGDD.ItemIndex);
    WriteFlag("MergeFileDelete", m.CkbMergeFileDelete.Checked);
    WriteFlag("Message", m.CkbMessage.Checked);
    WriteInteger("MergeMode", m.RBtnMerge1.Checked ? 0 : 1);
    WriteString("MergeName", m.EdtMergeFileName.Text);
    WriteString("MergeAppendStr", m.EdtMergeAddString.Text);
    WriteInteger("MargineTop", m.MarginTop.Value);
    WriteInteger("MargineBottom", m.MarginBottom.Value);
    WriteInteger("MargineLeft", m.MarginLeft.Value);
    WriteInteger("MargineRight", m.MarginRight.Value);
    WriteFlag("Propotion", m.ChkBoxGraphicPropotion.Checked);
    WriteFlag("Center", m.ChkBoxGraphicCenter.Checked);
    WriteInteger("CompressRate", m.EdtCompress.Value);
    WriteInteger("PaperSize", m.RadioGroupGrPaperSize.ItemIndex);
    WriteInteger("ImageSize", m.RGImageSize.ItemIndex);
    WriteInteger("UserPaperWidth", m.EdtPaperWidth.Value);
    WriteInteger("UserPaperHeight", m.EdtPaperHeight.Value);
    WriteInteger("UserImageWidth", m.EdtImageWidth.Value);
    WriteInteger("UserImageHeight", m.EdtImageHeight.Value);
    // The paper list is filled later in the creation, so this is -1 on a first start until
    // the window is shown.
    WriteInteger("Paper", m.CmbPaperSize.ItemIndex);
    WriteInteger("Direction", m.RGPaperDirection.ItemIndex);
}

void TMainForm::LoadSettings() {
    FormModel& m = fModel;
    if (!ReadString("OverWriteMode").empty()) {
        SetItemIndex(m.RadioGroup1, ReadInteger("OverWriteMode"), &TMainForm::RadioGroup1Click);
    }
    const std::string dir = ReadString("OutPutDir");
    if (!dir.empty()) {
        OutputDir = dir;
    } else if (!fEnv.services.desktopDir.empty()) {
        // A desktop of "$HOME/" (xdg-user-dirs with the folder switched off) loses its separator.
        OutputDir = ExcludeTrailingDelimiter(fEnv.services.desktopDir.string(), kPathDelimiter);
    }
    if (ReadInteger("OutPutMode") == 1) {
        SetRadio(m.RBtnOutPut1, m.RBtnOutPut2, &TMainForm::RBtnOutPut1Click);
    } else {
        SetRadio(m.RBtnOutPut2, m.RBtnOutPut1, &TMainForm::RBtnOutPut1Click);
    }
    m.OpenDialog1.InitialDir = ReadString("ConvertFile");
    SetText(m.EdtAddOldPath, ReadString("ExistFile"), &TMainForm::EdtAddOldPathChange);
    SetText(m.EdtAddNewPath, ReadString("NewFile"), &TMainForm::EdtAddNewPathChange);
    SetText(m.EdtApendStr, ReadString("FileName"), &TMainForm::EdtApendStrChange);
    SetChecked(m.CkbMessage, ReadInteger("Message") == 1, &TMainForm::CkbMessageClick);
    SetChecked(m.CkbAppendStr, ReadString("AppendString") == "Y", &TMainForm::CkbAppendStrClick);
    if (!ReadString("DD").empty()) {
        SetItemIndex(m.RGDD, ReadInteger("DD"), &TMainForm::RGDDClick);
    }
    // Read only: the program never writes this one.
    SetChecked(m.CkbFormVisible, ReadString("DDVisible") == "Y", nullptr);
    SetText(m.EdtMergeFileName, ReadString("MergeName"), &TMainForm::EdtMergeFileNameChange);
    SetText(m.EdtMergeAddString, ReadString("MergeAppendStr"), &TMainForm::EdtMergeAddStringChange);
    SetChecked(m.ChkMergeFile, ReadInteger("LeavePDFFile") == 1, &TMainForm::ChkMergeFileClick);
    if (ReadInteger("MergeMode") == 0) {
        SetRadio(m.RBtnMerge1, m.RBtnMerge2, &TMainForm::RBtnMerge1Click);
    } else {
        SetRadio(m.RBtnMerge2, m.RBtnMerge1, &TMainForm::RBtnMerge1Click);
    }
    // Colours the two merge-name fields even when the mode did not change.
    RBtnMerge1Click();
}

void TMainForm::LoadImageSettings() {
    FormModel& m = fModel;
    SetItemIndex(m.RadioGroupGrPaperSize, ReadInteger("PaperSize"),
                 &TMainForm::RadioGroupGrPaperSizeClick);
    SetItemIndex(m.RGImageSize, ReadInteger("ImageSize"), &TMainForm::RGImageSizeClick);
    SetValue(m.EdtCompress, ReadInteger("CompressRate"), &TMainForm::EdtCompressChange);
    // Unlike a radio group, the combo box takes an index past its items as no selection.
    const int paper = ReadInteger("Paper");
    SetItemIndex(m.CmbPaperSize, paper < static_cast<int>(m.CmbPaperSize.Items.size()) ? paper : -1,
                 &TMainForm::CmbPaperSizeChange);
    SetItemIndex(m.RGPaperDirection, ReadInteger("Direction"), &TMainForm::RGPaperDirectionClick);
    SetValue(m.UpdownEdit_delayTime, ReadInteger("DelayTime"),
             &TMainForm::UpdownEdit_delayTimeChange);
    SetValue(m.UpdownEdit_MergeDelayTime, ReadInteger("MergeDelayTime"),
             &TMainForm::UpdownEdit_MergeDelayTimeChange);
    if (m.CmbPaperSize.ItemIndex == -1) {
        m.CmbPaperSize.ItemIndex = 1;
        CmbPaperSizeChange();
    }
    SetChecked(m.ChkBoxGraphicPropotion, ReadInteger("Propotion") == 1,
               &TMainForm::ChkBoxGraphicPropotionClick);
    SetChecked(m.ChkBoxGraphicCenter, ReadInteger("Center") == 1,
               &TMainForm::ChkBoxGraphicCenterClick);
    SetValue(m.MarginTop, ReadInteger("MargineTop"), &TMainForm::MarginTopChange);
    SetValue(m.MarginBottom, ReadInteger("MargineBottom"), &TMainForm::MarginBottomChange);
    SetValue(m.MarginLeft, ReadInteger("MargineLeft"), &TMainForm::MarginLeftChange);
    SetValue(m.MarginRight, ReadInteger("MargineRight"), &TMainForm::MarginRightChange);
    SetValue(m.EdtPaperWidth, ReadInteger("UserPaperWidth"), &TMainForm::EdtPaperWidthChange);
    SetValue(m.EdtPaperHeight, ReadInteger("UserPaperHeight"), &TMainForm::EdtPaperHeightChange);
    SetValue(m.EdtImageWidth, ReadInteger("UserImageWidth"), &TMainForm::EdtImageWidthChange);
    SetValue(m.EdtImageHeight, ReadInteger("UserImageHeight"), &TMainForm::EdtImageHeightChange);
    SetChecked(m.CkbMergeFileDelete, ReadInteger("MergeFileDelete") == 1,
               &TMainForm::CkbMergeFileDeleteClick);
    ShowImagePage();
}

// --- 詳細設定 and 実行 page handlers ---

void TMainForm::RBtnOutPut1Click() {
    FormModel& m = fModel;
    if (m.RBtnOutPut1.Checked) {
        m.LblFilePath.Background = clWhite;
        m.LblFilePath.FontColor = clBlack;
        m.BtnSelectFolder.Enabled = true;
    } else {
        m.LblFilePath.Background = clBtnFace;
        m.LblFilePath.FontColor = clGrayText;
        m.BtnSelectFolder.Enabled = false;
    }
    WriteInteger("OutPutMode", m.RBtnOutPut1.Checked ? 1 : 0);
}

void TMainForm::RadioGroup1Click() {
    WriteInteger("OverWriteMode", fModel.RadioGroup1.ItemIndex);
}
void TMainForm::CkbAppendStrClick() {
    WriteString("AppendString", fModel.CkbAppendStr.Checked ? "Y" : "N");
}
void TMainForm::EdtAddNewPathChange() {
    WriteString("NewFile", fModel.EdtAddNewPath.Text);
}
void TMainForm::EdtAddOldPathChange() {
    WriteString("ExistFile", fModel.EdtAddOldPath.Text);
}
void TMainForm::EdtApendStrChange() {
    WriteString("FileName", fModel.EdtApendStr.Text);
}
void TMainForm::RGDDClick() {
    WriteInteger("DD", fModel.RGDD.ItemIndex);
}
void TMainForm::CkbMessageClick() {
    WriteFlag("Message", fModel.CkbMessage.Checked);
}
void TMainForm::UpdownEdit_delayTimeChange() {
    WriteInteger("DelayTime", fModel.UpdownEdit_delayTime.Value);
}
void TMainForm::UpdownEdit_MergeDelayTimeChange() {
    WriteInteger("MergeDelayTime", fModel.UpdownEdit_MergeDelayTime.Value);
}
void TMainForm::CkbMergeFileDeleteClick() {
    WriteFlag("MergeFileDelete", fModel.CkbMergeFileDelete.Checked);
}
void TMainForm::ChkMergeFileClick() {
    WriteFlag("LeavePDFFile", fModel.ChkMergeFile.Checked);
}

void TMainForm::RBtnMerge1Click() {
    FormModel& m = fModel;
    Control& chosen = m.RBtnMerge1.Checked ? m.EdtMergeFileName : m.EdtMergeAddString;
    Control& other = m.RBtnMerge1.Checked ? m.EdtMergeAddString : m.EdtMergeFileName;
    chosen.Background = clWhite;
    chosen.FontColor = clBlack;
    other.Background = clBtnFace;
    other.FontColor = clGrayText;
    WriteInteger("MergeMode", m.RBtnMerge1.Checked ? 0 : 1);
}

void TMainForm::EdtMergeFileNameChange() {
    WriteString("MergeName", fModel.EdtMergeFileName.Text);
}
void TMainForm::EdtMergeAddStringChange() {
    WriteString("MergeAppendStr", fModel.EdtMergeAddString.Text);
}

void TMainForm::BtnSelectFolderClick() {
    const auto chosen = fEnv.view.ExecuteBrowseFolder(OutputDir);
    if (!chosen) {
        return;
    }
    OutputDir = ExcludeTrailingDelimiter(*chosen, kPathDelimiter);
    fModel.LblFilePath.Text = OutputDir;
    WriteString("OutPutDir", OutputDir);
}

bool TMainForm::EdtXeroTimeKeyPress(char32_t key) {
    return key >= U'0' && key <= U'9';
}

void TMainForm::BtnAboutClick() {
    fEnv.view.ShowAboutBox();
}

void TMainForm::Button1Click() {
    fEnv.view.HideWindow();
}

}  // namespace korvent::app
