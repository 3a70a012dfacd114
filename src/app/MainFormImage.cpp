// The image settings page (paper, margins, picture size, compression) and the conversion of a
// picture entry into a one-page PDF written by our own writer.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <system_error>

#include "app/ImagePage.h"
#include "app/MainForm.h"
#include "app/PathText.h"
#include "app/SettingItems.h"
#include "platform/MessageBoxes.h"
#include "spi/SPIBitmap.h"

namespace korvent::app {
namespace {

constexpr const char* kImageCaption = "KorventＰＤＦ";

// Paper sizes of CmbPaperSize in millimetres, short side first.
constexpr int kStandardPapers[][2] = {{297, 420}, {210, 297}, {257, 364}, {182, 257}};

int Checked32(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        throw std::overflow_error("Integer overflow");
    }
    return static_cast<int>(value);
}

}  // namespace

ImagePagePtr TMainForm::MakeImagePage() {
    return ImagePagePtr(new TImagePage());
}

int TMainForm::mmTopoint(int mm) {
    Checked32(std::int64_t{mm} * 72);
    // 72 / 25.4 = 720 / 254 exactly, so whole inches give whole points.
    const std::int64_t tenths = std::int64_t{mm} * 720;
    return static_cast<int>(tenths >= 0 ? tenths / 254 : -((-tenths + 253) / 254));
}

int TMainForm::Proportional(int across, int given, int along) {
    const int product = Checked32(std::int64_t{across} * given);
    return static_cast<int>(std::floor(static_cast<double>(product) / along + 0.5));
}

std::string TMainForm::CurrentEntry() const {
    const int index = Run.FStartedCount - 1;
    if (index < 0 || index >= static_cast<int>(FFilePaths.size())) {
        return {};
    }
    return FFilePaths[static_cast<std::size_t>(index)];
}

void TMainForm::ShowUnreadable(const std::string& path) {
    fEnv.messages.Show(path + "はファイルが読み込めません。\n\rファイルを確認してください。",
                       kImageCaption, platform::mb::Ok);
}

// --- Handlers of the page ---

void TMainForm::ScrollBar1Change() {
    SetValue(fModel.EdtCompress, fModel.ScrollBar1.Value, nullptr);
    WriteInteger(item::Compressrate, fModel.EdtCompress.Value);
}

void TMainForm::EdtCompressChange() {
    SetValue(fModel.ScrollBar1, fModel.EdtCompress.Value, nullptr);
    WriteInteger(item::Compressrate, fModel.EdtCompress.Value);
}

void TMainForm::ChangeMargin(Control& field, void (pdf::TPRPage::*setMargin)(int),
                             const char* item) {
    if (fImagePageLoaded) {
        (fImagePage->PRPage1.*setMargin)(mmTopoint(field.Value));
        RadioGroupGrPaperSizeClick();
    }
    WriteFloat(item, field.Value);
}

void TMainForm::MarginTopChange() {
    ChangeMargin(fModel.MarginTop, &pdf::TPRPage::SetMarginTop, item::MargineTop);
}
void TMainForm::MarginBottomChange() {
    ChangeMargin(fModel.MarginBottom, &pdf::TPRPage::SetMarginBottom, item::MargineBottom);
}
void TMainForm::MarginLeftChange() {
    ChangeMargin(fModel.MarginLeft, &pdf::TPRPage::SetMarginLeft, item::MargineLeft);
}
void TMainForm::MarginRightChange() {
    ChangeMargin(fModel.MarginRight, &pdf::TPRPage::SetMarginRight, item::MargineRight);
}

void TMainForm::RadioGroupGrPaperSizeClick() {
    if (fImagePageLoaded) {
        RecomputePaper();
    }
    WriteInteger(item::PaperSize, fModel.RadioGroupGrPaperSize.ItemIndex);
}

void TMainForm::CmbPaperSizeChange() {
    RadioGroupGrPaperSizeClick();
    WriteInteger(item::Paper, fModel.CmbPaperSize.ItemIndex);
}
void TMainForm::RGPaperDirectionClick() {
    RadioGroupGrPaperSizeClick();
    WriteInteger(item::Direction, fModel.RGPaperDirection.ItemIndex);
}
void TMainForm::EdtPaperWidthChange() {
    RadioGroupGrPaperSizeClick();
    WriteFloat(item::UserPaperWidth, fModel.EdtPaperWidth.Value);
}
void TMainForm::EdtPaperHeightChange() {
    RadioGroupGrPaperSizeClick();
    WriteFloat(item::UserPaperHeight, fModel.EdtPaperHeight.Value);
}
void TMainForm::EdtImageWidthChange() {
    RadioGroupGrPaperSizeClick();
    WriteFloat(item::UserImageWidth, fModel.EdtImageWidth.Value);
}
void TMainForm::EdtImageHeightChange() {
    RadioGroupGrPaperSizeClick();
    WriteFloat(item::UserImageHeight, fModel.EdtImageHeight.Value);
}

void TMainForm::ChkBoxGraphicPropotionClick() {
    if (fImagePageLoaded) {
        Kakudai();
    }
    WriteFlag(item::Propotion, fModel.ChkBoxGraphicPropotion.Checked);
}

void TMainForm::ChkBoxGraphicCenterClick() {
    WriteFlag(item::Center, fModel.ChkBoxGraphicCenter.Checked);
}

void TMainForm::RGImageSizeClick() {
    WriteInteger(item::ImageSize, fModel.RGImageSize.ItemIndex);
}

void TMainForm::ShowImagePage() {
    FormModel& m = fModel;
    pdf::TPRPage& page = fImagePage->PRPage1;
    page.SetMarginTop(mmTopoint(m.MarginTop.Value));
    page.SetMarginBottom(mmTopoint(m.MarginBottom.Value));
    page.SetMarginLeft(mmTopoint(m.MarginLeft.Value));
    page.SetMarginRight(mmTopoint(m.MarginRight.Value));
    fImagePageLoaded = true;
    RadioGroupGrPaperSizeClick();
    ChkBoxGraphicPropotionClick();
}

// --- Paper recompute ---

void TMainForm::RecomputePaper() {
    switch (fModel.RadioGroupGrPaperSize.ItemIndex) {
        case 0:
            SetPaperChecks(false);
            SetStandardPaper();
            break;
        case 1:
            SetPaperChecks(false);
            SetUserPaper();
            break;
        case 2:
            SetPaperChecks(true);
            FitPaperToImage();
            break;
        default:
            break;
    }
    Kakudai();
}

void TMainForm::SetPaperChecks(bool followImage) {
    FormModel& m = fModel;
    if (followImage) {
        SetChecked(m.ChkBoxGraphicPropotion, true, &TMainForm::ChkBoxGraphicPropotionClick);
        SetChecked(m.ChkBoxGraphicCenter, true, &TMainForm::ChkBoxGraphicCenterClick);
    }
    m.ChkBoxGraphicPropotion.Enabled = !followImage;
    m.ChkBoxGraphicCenter.Enabled = !followImage;
    m.RGImageSize.Items[0] = followImage ? "原寸" : "用紙に合わせる";
}

void TMainForm::SetStandardPaper() {
    const int paper = fModel.CmbPaperSize.ItemIndex;
    if (paper < 0 || paper >= static_cast<int>(std::size(kStandardPapers))) {
        return;  // no standard paper chosen: the page keeps its size
    }
    int width = mmTopoint(kStandardPapers[paper][0]);
    int height = mmTopoint(kStandardPapers[paper][1]);
    if (fModel.RGPaperDirection.ItemIndex == 1) {
        std::swap(width, height);
    }
    fImagePage->PRPage1.SetBounds(0, 0, width, height);
}

void TMainForm::SetUserPaper() {
    fImagePage->PRPage1.SetBounds(0, 0, mmTopoint(fModel.EdtPaperWidth.Value),
                                  mmTopoint(fModel.EdtPaperHeight.Value));
}

void TMainForm::FitPaperToImage() {
    const FormModel& m = fModel;
    const graphics::TJPEGImage& jpeg = fImagePage->FJpeg;
    if (jpeg.Empty()) {
        return;
    }
    int width = 0;
    int height = 0;
    try {
        switch (m.RGImageSize.ItemIndex) {
            case 0:  // one picture pixel is one point
                width = jpeg.Width();
                height = jpeg.Height();
                break;
            case 1:
                width = mmTopoint(m.EdtImageWidth.Value);
                height =
                    mmTopoint(Proportional(jpeg.Height(), m.EdtImageWidth.Value, jpeg.Width()));
                break;
            case 2:
                height = mmTopoint(m.EdtImageHeight.Value);
                width =
                    mmTopoint(Proportional(jpeg.Width(), m.EdtImageHeight.Value, jpeg.Height()));
                break;
            default:
                return;
        }
        width =
            Checked32(std::int64_t{width} + mmTopoint(m.MarginLeft.Value + m.MarginRight.Value));
        height =
            Checked32(std::int64_t{height} + mmTopoint(m.MarginTop.Value + m.MarginBottom.Value));
    } catch (const std::overflow_error&) {
        // A picture far too long for the given size: the page keeps its size.
        ShowUnreadable(CurrentEntry());
        return;
    }
    fImagePage->PRPage1.SetBounds(0, 0, width, height);
}

// --- Placement ---

int TMainForm::Kakudai() {
    TImagePage& p = *fImagePage;
    p.PRLayoutPanel1.SetAlign(pdf::TAlign::alClient);
    p.PRJpegImage1.SetAlign(pdf::TAlign::alClient);
    if (p.FJpeg.Empty()) {
        return -1;
    }
    const int contentWidth = p.PRLayoutPanel1.Width();
    const int contentHeight = p.PRLayoutPanel1.Height();
    pdf::TPRJpegImage& item = p.PRJpegImage1;
    try {
        item.SetAlign(pdf::TAlign::alNone);
        if (fModel.ChkBoxGraphicPropotion.Checked) {
            PlaceKeepingAspect(contentWidth, contentHeight);
        } else {
            item.SetBounds(0, 0, contentWidth, contentHeight);  // stretched to the box
        }
        // Horizontally centred in any case; vertically only when asked.
        const int top =
            fModel.ChkBoxGraphicCenter.Checked ? (contentHeight - item.Height()) / 2 : 0;
        item.SetBounds((contentWidth - item.Width()) / 2, top, item.Width(), item.Height());
    } catch (const std::exception&) {
        ShowUnreadable(CurrentEntry());
        return -1;
    }
    return 0;
}

void TMainForm::PlaceKeepingAspect(int contentWidth, int contentHeight) {
    const FormModel& m = fModel;
    const graphics::TJPEGImage& jpeg = fImagePage->FJpeg;
    pdf::TPRJpegImage& item = fImagePage->PRJpegImage1;
    const int imgW = jpeg.Width();
    const int imgH = jpeg.Height();
    const double ratio = std::min(static_cast<double>(contentWidth) / imgW,
                                  static_cast<double>(contentHeight) / imgH);
    const int fitW = static_cast<int>(std::floor(imgW * ratio));
    const int fitH = static_cast<int>(std::floor(imgH * ratio));
    int width = fitW;
    int height = fitH;
    switch (m.RGImageSize.ItemIndex) {
        case 0:
            break;
        case 1:
            width = mmTopoint(m.EdtImageWidth.Value);
            height = Proportional(imgH, width, imgW);
            break;
        case 2:
            height = mmTopoint(m.EdtImageHeight.Value);
            width = Proportional(imgW, height, imgH);
            break;
        default:
            return;  // the item keeps its size
    }
    // A given size only ever shrinks the picture below the fitted size.
    if (width >= fitW || height >= fitH) {
        width = fitW;
        height = fitH;
    }
    item.SetBounds(0, 0, width, height);
}

// --- Conversion ---

bool TMainForm::CompressPicture(const std::string& path) {
    spi::TSPIBitmap picture;
    try {
        picture.LoadFromFile(path);
    } catch (const std::exception&) {
        ShowUnreadable(path);
        return false;
    }
    graphics::TJPEGImage& jpeg = fImagePage->FJpeg;
    try {
        jpeg.TakeBitmap(std::move(picture));
        // The scroll bar reaches 0, which the encoder refuses; a run must not stall on it.
        jpeg.SetCompressionQuality(std::clamp(fModel.ScrollBar1.Value, 1, 100));
        jpeg.Compress();
        jpeg.ReleaseBitmap();
    } catch (const std::exception&) {
        // A picture larger than the memory the machine can give is refused like bad data.
        jpeg = graphics::TJPEGImage();
        ShowUnreadable(path);
        return false;
    }
    fImagePage->PRJpegImage1.SetPicture(&jpeg);
    return true;
}

void TMainForm::WriteGraphicPdf(const std::string& path) {
    const std::string out = MakeSaveFilePath(ExtractFileName(path, kPathDelimiter));
    pdf::TPReport& report = fImagePage->PReport1;
    std::string failure;
    try {
        report.SetFileName(out);
        report.BeginDocument();
        report.PrintPage(fImagePage->PRPage1);
        report.EndDocument();
    } catch (const std::exception& error) {
        report.AbortDocument();
        failure = error.what();
    }
    // Our writer has renamed the finished file into place when EndDocument returns.
    std::error_code ec;
    if (failure.empty() && !std::filesystem::is_regular_file(out, ec)) {
        failure = "the file is missing after writing";
    }
    if (!failure.empty()) {
        fEnv.messages.Show(out + "にPDFファイルを書き込めません。\n\r" + failure, kImageCaption,
                           platform::mb::Ok | platform::mb::IconError);
        return;
    }
    Run.FMergeFiles.push_back(out);
    Run.FProducedFiles.push_back(out);
}

void TMainForm::ConvertGraphicFileToPDF() {
    const std::string path = CurrentEntry();
    if (path.empty() || !CompressPicture(path)) {
        return;
    }
    // The handler's work without its store: the setting has not changed.
    RecomputePaper();
    if (Kakudai() == 0) {
        WriteGraphicPdf(path);
    }
    if (!Run.FRunning) {
        CompleteStop();
    }
}

}  // namespace korvent::app
