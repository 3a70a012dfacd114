#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace korvent::printer {

// A value of a stored list: text or an integer.
using TFormValue = std::variant<std::string, int>;

// The design values of a printer selector: what the printer was set to when the form was
// designed.
struct TDesignValues {
    std::string PrinterName;
    int Landscape = 0;  // 1 = landscape
    std::string PaperName;
    int PaperSize = 0;
    int DefaultSource = 0;
    int DriverVersion = 0;

    bool operator==(const TDesignValues&) const = default;
};

// The stored properties of a printer selector, as the form keeps them. ADevData and
// DesignValue are present only when DevDataSize > 0.
struct TPrinterProperties {
    std::string PrinterName;
    int DevDataSize = 0;
    std::optional<std::string> ADevData;                 // two upper-case hex digits a byte
    std::optional<std::vector<TFormValue>> DesignValue;  // string, int, string, int, int, int

    bool operator==(const TPrinterProperties&) const = default;
};

}  // namespace korvent::printer
