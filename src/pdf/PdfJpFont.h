#pragma once

#include "pdf/PdfType0Font.h"

#include <memory>
#include <string>

namespace korvent::pdf {

class TPdfArray;

// A Japanese CID-keyed font: a Type 0 dictionary, its CIDFontType2 descendant and a font
// descriptor, all registered, using the Adobe-Japan1 character collection.
class TPdfJpFont : public TPdfType0Font {
public:
    using TPdfType0Font::TPdfType0Font;

protected:
    // Builds the three dictionaries; subclasses call it from their constructors, where their
    // overrides below are in effect.
    void Build();

    // Flags, ItalicAngle and StemV of the descriptor.
    virtual void AddDescriptorItem(TPdfDictionary& descriptor) = 0;
    // The descendant's W array.
    virtual std::unique_ptr<TPdfArray> AddWArray() = 0;
    // The BaseFont name.
    virtual std::string GetFontName() const { return Name(); }
    // The Encoding name.
    virtual const char* EncodingName() const = 0;
};

}  // namespace korvent::pdf
