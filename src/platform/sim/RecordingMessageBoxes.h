#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/MessageBoxes.h"

namespace korvent::platform {

// Records every message box; answers with the queued answers, then with the first button.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        std::string text;
        std::string caption;
        unsigned flags;
    };

    MessageResult Show(const std::string& text, const std::string& caption,
                       unsigned flags) override;
    void QueueAnswer(MessageResult answer) { fAnswers.push_back(answer); }

    const std::vector<Shown>& Calls() const { return fCalls; }
    std::vector<std::string> Texts() const;
    void Clear() { fCalls.clear(); }

private:
    std::vector<Shown> fCalls;
    std::deque<MessageResult> fAnswers;
};

}  // namespace korvent::platform
