#pragma once

#include <cstdint>

// Enumerations of the document writer; each value indexes its name table.
namespace korvent::pdf {

enum class TPdfPageLayout { plSinglePage, plOneColumn, plTwoColumnLeft, plTwoColumnRight };
enum class TPdfPageMode { pmUseNone, pmUseOutlines, pmUseThumbs, pmFullScreen };
enum class TPdfDestinationType { dtXYZ, dtFit, dtFitH, dtFitV, dtFitR, dtFitB, dtFitBH, dtFitBV };
enum class TPdfCompressionMethod { cmNone };

// Viewer preferences as bits, in the order the keys are written.
enum TPdfViewerPreference : std::uint8_t {
    vpHideToolbar = 1,
    vpHideMenubar = 2,
    vpHideWindowUI = 4,
    vpFitWindow = 8,
    vpCenterWindow = 16,
};
using TPdfViewerPreferences = std::uint8_t;

inline constexpr const char* kPdfPageLayoutNames[] = {"SinglePage", "OneColumn", "TwoColumnLeft",
                                                      "TwoColumnRight"};
inline constexpr const char* kPdfPageModeNames[] = {"UseNone", "UseOutlines", "UseThumbs",
                                                    "FullScreen"};
inline constexpr const char* kPdfDestinationTypeNames[] = {"XYZ",  "Fit",  "FitH",  "FitV",
                                                           "FitR", "FitB", "FitBH", "FitBV"};
inline constexpr const char* kPdfViewerPreferenceNames[] = {
    "HideToolbar", "HideMenubar", "HideWindowUI", "FitWindow", "CenterWindow"};

}  // namespace korvent::pdf
