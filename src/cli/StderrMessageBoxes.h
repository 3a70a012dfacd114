#pragma once

#include "platform/MessageBoxes.h"

namespace korvent::cli {

// Message boxes as lines on standard error. A question takes the answer a run without a user
// needs, so nothing waits: `questionAnswer` for Yes/No (whether to make a missing output
// folder), "Cancel" for OK/Cancel.
class StderrMessageBoxes final : public platform::MessageBoxes {
public:
    explicit StderrMessageBoxes(platform::MessageResult questionAnswer)
        : fQuestionAnswer(questionAnswer) {}

    platform::MessageResult Show(const std::string& text, const std::string& caption,
                                 unsigned flags) override;
    void SetQuestionAnswer(platform::MessageResult answer) { fQuestionAnswer = answer; }

private:
    platform::MessageResult fQuestionAnswer;
};

}  // namespace korvent::cli
