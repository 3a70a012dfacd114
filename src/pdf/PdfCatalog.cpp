#include "pdf/PdfCatalog.h"

#include "pdf/PdfArray.h"
#include "pdf/PdfBoolean.h"
#include "pdf/PdfDestination.h"
#include "pdf/PdfDictionary.h"
#include "pdf/PdfName.h"

namespace korvent::pdf {

void TPdfCatalog::SetPageLayout(TPdfPageLayout value) {
    Data()->SetNameItem("PageLayout", kPdfPageLayoutNames[static_cast<int>(value)]);
}

void TPdfCatalog::SetPageMode(TPdfPageMode value) {
    Data()->SetNameItem("PageMode", kPdfPageModeNames[static_cast<int>(value)]);
}

TPdfDictionary& TPdfCatalog::ViewerPreferences() {
    if (TPdfDictionary* existing = Data()->DictionaryValueOf("ViewerPreferences")) {
        return *existing;
    }
    Data()->SetItem("ViewerPreferences", std::make_unique<TPdfDictionary>(Data()->ObjectMgr()));
    return *Data()->DictionaryValueOf("ViewerPreferences");
}

void TPdfCatalog::SetNonFullScreenPageMode(TPdfPageMode value) {
    if (value == TPdfPageMode::pmUseOutlines || value == TPdfPageMode::pmUseThumbs) {
        ViewerPreferences().SetNameItem("NonFullScreenPageMode",
                                        kPdfPageModeNames[static_cast<int>(value)]);
    }
}

void TPdfCatalog::SetViewerPreference(TPdfViewerPreferences value) {
    for (int bit = 0; bit < 5; ++bit) {
        if (value & (1u << bit)) {
            ViewerPreferences().SetItem(kPdfViewerPreferenceNames[bit],
                                        std::make_unique<TPdfBoolean>(true));
        }
    }
}

void TPdfCatalog::SetPages(TPdfDictionary* pages) {
    TPdfName* type = pages != nullptr ? pages->NameValueOf("Type") : nullptr;
    if (type != nullptr && type->Value() == "Pages") {
        Data()->SetItem("Pages", *pages);
    }
}

TPdfDictionary* TPdfCatalog::Pages() const {
    return Data()->DictionaryValueOf("Pages");
}

void TPdfCatalog::SaveOpenAction() {
    if (FOpenAction == nullptr) {
        Data()->DropKey("OpenAction");
    } else {
        Data()->SetItem("OpenAction", FOpenAction->GetValue(Data()->ObjectMgr()));
    }
}

}  // namespace korvent::pdf
