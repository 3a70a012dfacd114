#pragma once

// Why a dialog-free writer's job failed, as the run's summary shows it.
namespace korvent::platform::writer_failure {

constexpr const char* kNoLibreOffice = "LibreOffice が見つかりません";
constexpr const char* kLibreOfficeNotStarted = "LibreOffice を起動できませんでした";
constexpr const char* kLibreOfficeFailed = "LibreOffice が途中で終了しました";
constexpr const char* kNoTemporaryFolder = "一時フォルダを作れませんでした";
constexpr const char* kNoPdf = "PDF が作られませんでした";
constexpr const char* kIncompletePdf = "PDF が壊れています";
constexpr const char* kNoPrintJob = "印刷ジョブが作られませんでした";
constexpr const char* kPrintRefused = "印刷を受け付けられませんでした";
constexpr const char* kJobAborted = "印刷ジョブが中断されました";
constexpr const char* kJobCancelled = "印刷ジョブが取り消されました";
constexpr const char* kJobLost = "印刷ジョブが見つからなくなりました";

}  // namespace korvent::platform::writer_failure
