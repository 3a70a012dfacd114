#pragma once

#include <iosfwd>

namespace korvent::pdf {

// The header line "%PDF-1.2 " CR LF (11 bytes).
class TPdfHeader {
public:
    void WriteToStream(std::ostream& stream) const;
};

}  // namespace korvent::pdf
