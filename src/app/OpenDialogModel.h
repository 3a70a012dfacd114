#pragma once

#include <string>
#include <utility>
#include <vector>

namespace korvent::app {

// The settings of the file-open dialog used by New and Append.
struct OpenDialogModel {
    // (description, pattern) pairs, in the order the dialog lists them.
    std::vector<std::pair<std::string, std::string>> Filter;
    int FilterIndex = 1;  // counts from 1, as the dialog's filter index does
    std::string InitialDir;
    bool MultiSelect = true;
    bool HideReadOnly = true;
    bool Resizable = true;
};

}  // namespace korvent::app
