#include "pdf/PReport.h"

#include "pdf/PROutlineRoot.h"
#include "pdf/PRPage.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfCatalog.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfInfo.h"
#include "pdf/PdfInvalidOperation.h"
#include "pdf/PdfOutlineRoot.h"
#include "platform/AtomicFile.h"
#include "platform/Exception.h"

#include <chrono>
#include <system_error>

namespace korvent::pdf {

TPReport::TPReport() : FCreationDate(std::chrono::system_clock::now()) {}

TPReport::~TPReport() = default;

void TPReport::CheckClosed(const char* setter) const {
    if (FDoc != nullptr) {
        throw EPdfInvalidOperation(std::string(setter) + " --invalid operation.");
    }
}

void TPReport::SetAuthor(std::string value) {
    CheckClosed("SetAuthor");
    FAuthor = std::move(value);
}
void TPReport::SetCreationDate(TDateTime value) {
    CheckClosed("SetCreationDate");
    FCreationDate = value;
}
void TPReport::SetCreator(std::string value) {
    CheckClosed("SetCreator");
    FCreator = std::move(value);
}
void TPReport::SetKeywords(std::string value) {
    CheckClosed("SetKeyWords");
    FKeywords = std::move(value);
}
void TPReport::SetModDate(TDateTime value) {
    CheckClosed("SetModDate");
    FModDate = value;
}
void TPReport::SetSubject(std::string value) {
    CheckClosed("SetSubject");
    FSubject = std::move(value);
}
void TPReport::SetTitle(std::string value) {
    CheckClosed("SetTitle");
    FTitle = std::move(value);
}
void TPReport::SetPageLayout(TPdfPageLayout value) {
    CheckClosed("SetPageLayout");
    FPageLayout = value;
}
void TPReport::SetPageMode(TPdfPageMode value) {
    CheckClosed("SetPageMode");
    FPageMode = value;
}
void TPReport::SetNonFullScreenPageMode(TPdfPageMode value) {
    CheckClosed("SetNonFullScreenPageMode");
    FNonFullScreenPageMode = value == TPdfPageMode::pmFullScreen ? TPdfPageMode::pmUseNone : value;
}
void TPReport::SetUseOutlines(bool value) {
    CheckClosed("SetUseOutlines");
    FUseOutlines = value;
}
void TPReport::SetViewerPreference(TPdfViewerPreferences value) {
    CheckClosed("SetViewerPreference");
    FViewerPreference = value;
}

void TPReport::BeginDocument() {
    AbortDocument();
    auto doc = std::make_unique<TPdfDoc>();
    doc->SetUseOutlines(FUseOutlines);
    doc->SetCompressionMethod(FCompressionMethod);
    doc->StartDocument();
    if (FUseOutlines) {
        FOutlineRoot = std::make_unique<TPROutlineRoot>(&doc->OutlineRoot());
    }
    TPdfCatalog& catalog = doc->Root();
    catalog.SetPageMode(FPageMode);
    catalog.SetPageLayout(FPageLayout);
    if (FNonFullScreenPageMode != TPdfPageMode::pmUseNone) {
        catalog.SetNonFullScreenPageMode(FNonFullScreenPageMode);
    }
    if (FViewerPreference != 0) {
        catalog.SetViewerPreference(FViewerPreference);
    }
    TPdfInfo& info = doc->Info();
    info.SetAuthor(FAuthor);
    info.SetCreationDate(FCreationDate);
    info.SetCreator(FCreator);
    info.SetKeywords(FKeywords);
    info.SetModDate(FModDate);
    info.SetSubject(FSubject);
    info.SetTitle(FTitle);
    FDoc = std::move(doc);
    FPage = 0;
}

void TPReport::PrintPage(TPRPage& page) {
    if (FDoc == nullptr) {
        throw EPdfInvalidOperation("PrintPage --document is null..");
    }
    FDoc->AddPage();
    ++FPage;
    FCanvas.SetPdfCanvas(&FDoc->Canvas());
    page.Render(FCanvas);
}

void TPReport::EndDocument() {
    if (FDoc == nullptr) {
        throw EPdfInvalidOperation("document is null..");
    }
    try {
        platform::AtomicFile file(FFileName);
        FDoc->SaveToStream(file.Stream());
        file.Commit();
    } catch (const std::system_error& error) {
        throw korvent::Exception("Cannot write file \"" + FFileName + "\": " + error.what());
    }
    AbortDocument();
}

void TPReport::AbortDocument() {
    FCanvas.SetPdfCanvas(nullptr);
    FOutlineRoot.reset();
    FDoc.reset();
}

}  // namespace korvent::pdf
