#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/CheckListControl.h"
#include "app/Control.h"
#include "app/MenuItem.h"
#include "app/OpenDialogModel.h"

namespace korvent::app {

// The controls of the main window as plain data, named as the window's widgets are, with
// their design-time state. TMainForm reads and writes them; the Qt window shows them.
class FormModel {
public:
    FormModel();
    FormModel(const FormModel&) = delete;
    FormModel& operator=(const FormModel&) = delete;

    std::string Caption;
    int MinWidth = 512;
    int MinHeight = 450;

    // The page control: Items are the page captions, ItemIndex the active page.
    Control PageControl1{"PageControl1"};

    // 実行 page: the job list and its buttons.
    Control GroupBox1{"GroupBox1"};
    CheckListControl CheckListBox1{"CheckListBox1"};
    Control BtnNewFiles{"BtnNewFiles"};
    Control BtnApendFile{"BtnApendFile"};
    Control BitBtnUP{"BitBtnUP"};
    Control BtnUp{"BtnUp"};
    Control BitBtnDown{"BitBtnDown"};
    Control BtnDown{"BtnDown"};
    Control BtnlClearList{"BtnlClearList"};
    Control BtnAllClearList{"BtnAllClearList"};
    // Run buttons.
    Control BtnPDFAll{"BtnPDFAll"};
    Control BtnMerge{"BtnMerge"};
    Control BtnStopAutoCheck{"BtnStopAutoCheck"};
    Control BtnAutoCheck{"BtnAutoCheck"};
    // The "操作" group, never shown.
    Control GroupBox2{"GroupBox2"};
    Control BtnPrint{"BtnPrint"};
    Control BtnOpenFile{"BtnOpenFile"};
    // Output folder.
    Control GroupBox3{"GroupBox3"};
    Control RBtnOutPut1{"RBtnOutPut1"};
    Control RBtnOutPut2{"RBtnOutPut2"};
    Control LblFilePath{"LblFilePath"};
    Control BtnSelectFolder{"BtnSelectFolder"};
    // Merged file name.
    Control GroupBox4{"GroupBox4"};
    Control RBtnMerge1{"RBtnMerge1"};
    Control EdtMergeFileName{"EdtMergeFileName"};
    Control RBtnMerge2{"RBtnMerge2"};
    Control EdtMergeAddString{"EdtMergeAddString"};
    // Status labels.
    Control Label5{"Label5"};
    Control Label2{"Label2"};
    Control LblFName{"LblFName"};
    // Progress of a run ("3 / 10" and a bar over Min..Max); hidden while idle.
    Control RunProgress{"RunProgress"};

    // 画像設定 page.
    Control GroupBox5{"GroupBox5"};
    Control MarginTop{"MarginTop"};
    Control MarginBottom{"MarginBottom"};
    Control MarginLeft{"MarginLeft"};
    Control MarginRight{"MarginRight"};
    Control RadioGroupGrPaperSize{"RadioGroupGrPaperSize"};
    Control CmbPaperSize{"CmbPaperSize"};
    Control RGPaperDirection{"RGPaperDirection"};
    Control EdtPaperWidth{"EdtPaperWidth"};
    Control EdtPaperHeight{"EdtPaperHeight"};
    Control RGImageSize{"RGImageSize"};
    Control EdtImageWidth{"EdtImageWidth"};
    Control EdtImageHeight{"EdtImageHeight"};
    Control ChkBoxGraphicPropotion{"ChkBoxGraphicPropotion"};
    Control ChkBoxGraphicCenter{"ChkBoxGraphicCenter"};
    Control Label7{"Label7"};
    Control ScrollBar1{"ScrollBar1"};
    Control EdtCompress{"EdtCompress"};
    Control GroupBox6{"GroupBox6"};
    Control ListBox1{"ListBox1"};
    Control NoSPIPlugInMessage1{"NoSPIPlugInMessage1"};
    Control NoSPIPlugInMessage2{"NoSPIPlugInMessage2"};

    // 詳細設定 page.
    Control GroupBox7{"GroupBox7"};
    Control CmbPDFWriter{"CmbPDFWriter"};
    Control Label4{"Label4"};
    Control CmbPrinterDrv{"CmbPrinterDrv"};
    Control Label6{"Label6"};
    Control RadioGroup1{"RadioGroup1"};
    Control EdtAddNewPath{"EdtAddNewPath"};
    Control EdtAddOldPath{"EdtAddOldPath"};
    Control CkbAppendStr{"CkbAppendStr"};
    Control EdtApendStr{"EdtApendStr"};
    Control RGDD{"RGDD"};
    Control ChkMergeFile{"ChkMergeFile"};
    Control CkbMessage{"CkbMessage"};
    Control CkbFormVisible{"CkbFormVisible"};
    Control CkbMergeFileDelete{"CkbMergeFileDelete"};
    Control Label1{"Label1"};
    Control UpdownEdit_delayTime{"UpdownEdit_delayTime"};
    Control Label3{"Label3"};
    Control UpdownEdit_MergeDelayTime{"UpdownEdit_MergeDelayTime"};
    Control EdtXeroTime{"EdtXeroTime"};
    Control BtnAbout{"BtnAbout"};
    Control Button1{"Button1"};

    // The job list's pop-up menu, in its order.
    std::vector<MenuItem> PopupMenu1;
    OpenDialogModel OpenDialog1;

    // Every control above, in declaration order.
    const std::vector<Control*>& Controls() const { return fControls; }
    Control* Find(std::string_view name) const;

private:
    std::vector<Control*> fControls;
};

}  // namespace korvent::app
