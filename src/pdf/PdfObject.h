#pragma once

#include <cstdint>
#include <iosfwd>

namespace korvent::pdf {

enum class TPdfObjectKind : std::uint8_t {
    okDirect,    // written inline where it is used
    okIndirect,  // registered with the cross-reference table, referred to elsewhere
    okVirtual,   // a placeholder carrying only the number of an indirect object
};

// A PDF value that writes itself. Indirect objects are owned by the cross-reference table;
// containers own their direct children and hold indirect ones through virtual references.
class TPdfObject {
public:
    virtual ~TPdfObject();
    TPdfObject(const TPdfObject&) = delete;
    TPdfObject& operator=(const TPdfObject&) = delete;

    TPdfObjectKind ObjectType() const { return FObjectType; }
    int ObjectNumber() const { return FObjectNumber; }
    int GenerationNumber() const { return FGenerationNumber; }

    // The value's own syntax.
    virtual void EmitBody(std::ostream& stream) = 0;
    // The body for a direct object, else the reference "n g R".
    void EmitAsValue(std::ostream& stream);
    // "n g obj" CR LF, body, CR LF "endobj" CR LF; only for indirect objects.
    void EmitAsObject(std::ostream& stream);

    // Called by the cross-reference table when it takes the object over.
    void MarkIndirect(int objectNumber);

protected:
    TPdfObject() = default;
    TPdfObject(TPdfObjectKind kind, int objectNumber);

private:
    TPdfObjectKind FObjectType = TPdfObjectKind::okDirect;
    std::int32_t FObjectNumber = -1;
    std::int32_t FGenerationNumber = 0;
};

}  // namespace korvent::pdf
