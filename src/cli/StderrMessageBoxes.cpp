#include "cli/StderrMessageBoxes.h"

#include <cstdio>
#include <string>

namespace korvent::cli {

platform::MessageResult StderrMessageBoxes::Show(const std::string& text, const std::string&,
                                                 unsigned flags) {
    namespace mb = platform::mb;
    // Some texts break their lines with "\n\r", which a terminal shows as a stray return.
    std::string line;
    for (const char c : text) {
        if (c != '\r') {
            line += c;
        }
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    switch (flags & 0x0Fu) {
        case mb::YesNo:
            return fQuestionAnswer;
        case mb::OkCancel:
            return platform::MessageResult::Cancel;
        default:
            return platform::MessageResult::Ok;
    }
}

}  // namespace korvent::cli
