#pragma once

#include "pdf/PdfObject.h"

#include <memory>

namespace korvent::pdf {

// Stands for the indirect object of the given number inside a container. It can only be made
// from a number: there is deliberately no parameterless constructor.
class TPdfVirtualObject : public TPdfObject {
public:
    explicit TPdfVirtualObject(int objectNumber);
    static std::unique_ptr<TPdfVirtualObject> CreateVirtual(int objectNumber);

    void EmitBody(std::ostream& stream) override;
};

}  // namespace korvent::pdf
