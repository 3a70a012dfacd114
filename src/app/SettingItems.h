#pragma once

// The names by which the main window reaches its settings items. A misspelt name would only
// fail when the item is looked up; a misspelt constant does not compile. The registration
// table in MainFormSettings.cpp gives each its section, ident and default.
namespace korvent::app::item {

inline constexpr const char OutPutDir[] = "OutPutDir";
inline constexpr const char OutPutMode[] = "OutPutMode";
inline constexpr const char OverWriteMode[] = "OverWriteMode";
inline constexpr const char FileName[] = "FileName";
inline constexpr const char ExistFile[] = "ExistFile";
inline constexpr const char NewFile[] = "NewFile";
inline constexpr const char ConvertFile[] = "ConvertFile";
inline constexpr const char PDFWriter[] = "PDFWriter";
inline constexpr const char Printer[] = "Printer";
inline constexpr const char DD[] = "DD";
inline constexpr const char LeavePDFFile[] = "LeavePDFFile";
inline constexpr const char DDVisible[] = "DDVisible";
inline constexpr const char Message[] = "Message";
inline constexpr const char DelayTime[] = "DelayTime";
inline constexpr const char MergeDelayTime[] = "MergeDelayTime";
inline constexpr const char MergeFileDelete[] = "MergeFileDelete";
inline constexpr const char AppendString[] = "AppendString";
inline constexpr const char PDFWriter1[] = "PDFWriter1";
inline constexpr const char PDFWriter1Name[] = "PDFWriter1Name";
inline constexpr const char Printer1[] = "Printer1";
inline constexpr const char MergeMode[] = "MergeMode";
inline constexpr const char MergeName[] = "MergeName";
inline constexpr const char MergeAppendStr[] = "MergeAppendStr";
inline constexpr const char MargineTop[] = "MargineTop";
inline constexpr const char MargineBottom[] = "MargineBottom";
inline constexpr const char MargineLeft[] = "MargineLeft";
inline constexpr const char MargineRight[] = "MargineRight";
inline constexpr const char Propotion[] = "Propotion";
inline constexpr const char Center[] = "Center";
inline constexpr const char UserPaperWidth[] = "UserPaperWidth";
inline constexpr const char UserPaperHeight[] = "UserPaperHeight";
inline constexpr const char UserImageWidth[] = "UserImageWidth";
inline constexpr const char UserImageHeight[] = "UserImageHeight";
inline constexpr const char Compressrate[] = "Compressrate";
inline constexpr const char PaperSize[] = "PaperSize";
inline constexpr const char Paper[] = "Paper";
inline constexpr const char ImageSize[] = "ImageSize";
inline constexpr const char Direction[] = "Direction";

}  // namespace korvent::app::item
