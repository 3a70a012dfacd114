#pragma once

#include "pdf/PdfStream.h"

namespace korvent::pdf {

// A stream painted with the Do operator.
class TPdfXObject : public TPdfStream {
public:
    using TPdfStream::TPdfStream;
};

}  // namespace korvent::pdf
