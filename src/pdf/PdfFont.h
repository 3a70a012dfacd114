#pragma once

#include "pdf/PdfDictionaryWrapper.h"

#include <string>
#include <string_view>

namespace korvent::pdf {

class TPdfXref;

// A font resource: its dictionary (registered with the cross-reference table) and the name it
// was registered under.
class TPdfFont : public TPdfDictionaryWrapper {
public:
    TPdfFont(TPdfXref& xref, std::string name);
    ~TPdfFont() override;

    const std::string& Name() const { return FName; }
    // Advance of the character at byte `position`, thousandths of the font size.
    virtual int GetCharWidth(std::string_view text, int position) const;

protected:
    TPdfXref& Xref() const { return FXref; }

private:
    TPdfXref& FXref;
    std::string FName;
};

}  // namespace korvent::pdf
