#pragma once

#include "pdf/PROutlineEntry.h"

namespace korvent::pdf {

// Stands for the open document's outline root.
class TPROutlineRoot : public TPROutlineEntry {
public:
    using TPROutlineEntry::TPROutlineEntry;
};

}  // namespace korvent::pdf
