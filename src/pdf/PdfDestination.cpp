#include "pdf/PdfDestination.h"

#include "pdf/PdfArray.h"
#include "pdf/PdfDictionary.h"
#include "pdf/PdfName.h"
#include "pdf/PdfNull.h"
#include "pdf/PdfNumber.h"
#include "pdf/PdfReal.h"

namespace korvent::pdf {
namespace {

constexpr int kLeft = 0;
constexpr int kTop = 1;
constexpr int kRight = 2;
constexpr int kBottom = 3;

std::unique_ptr<TPdfObject> Coordinate(int value, int limit) {
    if (value < limit) {
        return std::make_unique<TPdfNull>();
    }
    return std::make_unique<TPdfNumber>(value);
}

}  // namespace

std::unique_ptr<TPdfArray> TPdfDestination::GetValue(TPdfObjectMgr* objectMgr) const {
    auto array = std::make_unique<TPdfArray>(objectMgr);
    array->Append(*FPage);
    array->Append(std::make_unique<TPdfName>(kPdfDestinationTypeNames[static_cast<int>(FType)]));
    switch (FType) {
        case TPdfDestinationType::dtXYZ:
            array->Append(Coordinate(FValues[kLeft], -100));
            array->Append(Coordinate(FValues[kTop], -100));
            array->Append(std::make_unique<TPdfReal>(FZoom < 0 ? 0 : FZoom));
            break;
        case TPdfDestinationType::dtFitH:
        case TPdfDestinationType::dtFitBH:
            array->Append(Coordinate(FValues[kTop], -100));
            break;
        case TPdfDestinationType::dtFitV:
        case TPdfDestinationType::dtFitBV:
            array->Append(Coordinate(FValues[kLeft], -100));
            break;
        case TPdfDestinationType::dtFitR:
            array->Append(Coordinate(FValues[kLeft], 0));
            array->Append(Coordinate(FValues[kBottom], 0));
            array->Append(Coordinate(FValues[kRight], 0));
            array->Append(Coordinate(FValues[kTop], 0));
            break;
        case TPdfDestinationType::dtFit:
        case TPdfDestinationType::dtFitB:
            break;
    }
    return array;
}

}  // namespace korvent::pdf
