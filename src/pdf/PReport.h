#pragma once

#include "pdf/PRCanvas.h"
#include "pdf/PdfDocTypes.h"
#include "pdf/PdfFormat.h"

#include <memory>
#include <string>

namespace korvent::pdf {

class TPdfDoc;
class TPRPage;
class TPROutlineRoot;

// Produces a PDF file from page controls: BeginDocument, PrintPage per page, EndDocument.
// Document properties cannot change while a document is open.
class TPReport {
public:
    TPReport();
    ~TPReport();
    TPReport(const TPReport&) = delete;
    TPReport& operator=(const TPReport&) = delete;

    void BeginDocument();
    // Throws EPdfInvalidOperation "PrintPage --document is null.." without an open document.
    void PrintPage(TPRPage& page);
    // Writes the document beside FileName and renames it into place, then closes it. Any
    // failure (EPdfInvalidOperation "document is null.." without a document, or a
    // korvent::Exception naming the file) leaves the document open and the target untouched.
    void EndDocument();
    void AbortDocument();
    bool HasDocument() const { return FDoc != nullptr; }
    int PageCount() const { return FPage; }
    TPROutlineRoot* OutlineRoot() const { return FOutlineRoot.get(); }

    const std::string& FileName() const { return FFileName; }
    void SetFileName(std::string value) { FFileName = std::move(value); }
    const std::string& Author() const { return FAuthor; }
    void SetAuthor(std::string value);
    TDateTime CreationDate() const { return FCreationDate; }
    void SetCreationDate(TDateTime value);
    const std::string& Creator() const { return FCreator; }
    void SetCreator(std::string value);
    const std::string& Keywords() const { return FKeywords; }
    void SetKeywords(std::string value);
    TDateTime ModDate() const { return FModDate; }
    void SetModDate(TDateTime value);
    const std::string& Subject() const { return FSubject; }
    void SetSubject(std::string value);
    const std::string& Title() const { return FTitle; }
    void SetTitle(std::string value);
    TPdfPageLayout PageLayout() const { return FPageLayout; }
    void SetPageLayout(TPdfPageLayout value);
    TPdfPageMode PageMode() const { return FPageMode; }
    void SetPageMode(TPdfPageMode value);
    TPdfPageMode NonFullScreenPageMode() const { return FNonFullScreenPageMode; }
    // pmFullScreen is stored as pmUseNone.
    void SetNonFullScreenPageMode(TPdfPageMode value);
    TPdfCompressionMethod CompressionMethod() const { return FCompressionMethod; }
    void SetCompressionMethod(TPdfCompressionMethod value) { FCompressionMethod = value; }
    bool UseOutlines() const { return FUseOutlines; }
    void SetUseOutlines(bool value);
    TPdfViewerPreferences ViewerPreference() const { return FViewerPreference; }
    void SetViewerPreference(TPdfViewerPreferences value);

private:
    void CheckClosed(const char* setter) const;

    std::string FFileName = "default.pdf";
    std::string FAuthor;
    TDateTime FCreationDate;
    std::string FCreator;
    std::string FKeywords;
    TDateTime FModDate{};
    std::string FSubject;
    std::string FTitle;
    TPdfPageLayout FPageLayout = TPdfPageLayout::plSinglePage;
    TPdfPageMode FPageMode = TPdfPageMode::pmUseNone;
    TPdfPageMode FNonFullScreenPageMode = TPdfPageMode::pmUseNone;
    TPdfCompressionMethod FCompressionMethod = TPdfCompressionMethod::cmNone;
    bool FUseOutlines = false;
    TPdfViewerPreferences FViewerPreference = 0;
    TPRCanvas FCanvas;
    std::unique_ptr<TPdfDoc> FDoc;
    int FPage = 0;
    std::unique_ptr<TPROutlineRoot> FOutlineRoot;
};

}  // namespace korvent::pdf
