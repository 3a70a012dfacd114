#pragma once

#include "pdf/PdfDocTypes.h"

#include <memory>

namespace korvent::pdf {

class TPdfArray;
class TPdfDictionary;
class TPdfObjectMgr;

// A place in the document: a page, a fit type and its coordinates.
class TPdfDestination {
public:
    explicit TPdfDestination(TPdfDictionary* page) : FPage(page) {}

    TPdfDestinationType DestinationType() const { return FType; }
    void SetDestinationType(TPdfDestinationType type) { FType = type; }
    // Left, top, right, bottom.
    void SetElement(int index, int value) { FValues[index] = value; }
    void SetZoom(double zoom) { FZoom = zoom; }

    // [page-reference /Type arguments...]. A coordinate below -100 (for a rectangle: below 0)
    // is written as null; a negative zoom as 0.
    std::unique_ptr<TPdfArray> GetValue(TPdfObjectMgr* objectMgr) const;

private:
    TPdfDictionary* FPage;
    TPdfDestinationType FType = TPdfDestinationType::dtXYZ;
    int FValues[4] = {-1000, -1000, -1000, -1000};
    double FZoom = 1;
};

}  // namespace korvent::pdf
