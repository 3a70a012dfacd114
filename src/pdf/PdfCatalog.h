#pragma once

#include "pdf/PdfDictionaryWrapper.h"
#include "pdf/PdfDocTypes.h"

namespace korvent::pdf {

class TPdfDestination;

// The document catalog.
class TPdfCatalog : public TPdfDictionaryWrapper {
public:
    void SetPageLayout(TPdfPageLayout value);
    void SetPageMode(TPdfPageMode value);
    // Written into ViewerPreferences, only for pmUseOutlines and pmUseThumbs.
    void SetNonFullScreenPageMode(TPdfPageMode value);
    void SetViewerPreference(TPdfViewerPreferences value);
    // Accepted only for a dictionary whose Type is Pages (an indirect one).
    void SetPages(TPdfDictionary* pages);
    TPdfDictionary* Pages() const;

    TPdfDestination* OpenAction() const { return FOpenAction; }
    void SetOpenAction(TPdfDestination* destination) { FOpenAction = destination; }
    // Brings the OpenAction key in line with the destination (dropped when there is none).
    void SaveOpenAction();

private:
    TPdfDictionary& ViewerPreferences();

    TPdfDestination* FOpenAction = nullptr;
};

}  // namespace korvent::pdf
