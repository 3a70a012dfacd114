#include "platform/sim/RecordingMessageBoxes.h"

namespace korvent::platform {

MessageResult RecordingMessageBoxes::Show(const std::string& text, const std::string& caption,
                                          unsigned flags) {
    fCalls.push_back({text, caption, flags});
    if (!fAnswers.empty()) {
        const MessageResult answer = fAnswers.front();
        fAnswers.pop_front();
        return answer;
    }
    return (flags & mb::YesNo) == mb::YesNo ? MessageResult::Yes : MessageResult::Ok;
}

std::vector<std::string> RecordingMessageBoxes::Texts() const {
    std::vector<std::string> texts;
    for (const auto& call : fCalls) {
        texts.push_back(call.text);
    }
    return texts;
}

}  // namespace korvent::platform
