#pragma once

#include "pdf/PdfXObject.h"

namespace korvent::pdf {

// An image stream, built by the image creators.
class TPdfImage : public TPdfXObject {
public:
    using TPdfXObject::TPdfXObject;
};

}  // namespace korvent::pdf
