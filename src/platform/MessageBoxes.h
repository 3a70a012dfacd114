#pragma once

#include <string>

namespace korvent::platform {

// Buttons, icon and flags of a message box, combined with |. The values are those of the
// Windows message-box flags so that stored or traced values read the same on both systems.
namespace mb {
constexpr unsigned Ok = 0x0;
constexpr unsigned OkCancel = 0x1;
constexpr unsigned YesNo = 0x4;
constexpr unsigned IconError = 0x10;
constexpr unsigned IconQuestion = 0x20;
constexpr unsigned IconWarning = 0x30;
constexpr unsigned IconInformation = 0x40;
constexpr unsigned TopMost = 0x40000;
}  // namespace mb

// The answer a message box returns.
enum class MessageResult { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// Message boxes shown to the user. The GUI implements it with real dialogs; tests record the
// calls and give prepared answers.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageResult Show(const std::string& text, const std::string& caption,
                               unsigned flags) = 0;
};

}  // namespace korvent::platform
