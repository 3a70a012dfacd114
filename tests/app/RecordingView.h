#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/FormView.h"

namespace korvent::app {

// A window for tests: dialogs return prepared answers (cancel when none is queued), text is
// measured as a fixed width per character, and every other request is counted.
class RecordingView final : public FormView {
public:
    std::optional<std::vector<std::string>> ExecuteOpenDialog(
        const OpenDialogModel& dialog) override {
        openDialogInitialDirs.push_back(dialog.InitialDir);
        return Next(openAnswers);
    }
    std::optional<std::string> ExecuteBrowseFolder(const std::string& initialDir) override {
        browseInitialDirs.push_back(initialDir);
        return Next(folderAnswers);
    }
    // Every character (UTF-8 code point) is charWidth pixels wide.
    int TextWidth(const std::string& text) override {
        int count = 0;
        for (unsigned char c : text) {
            count += (c & 0xC0) != 0x80;
        }
        return count * charWidth;
    }
    void ShowAboutBox() override { ++aboutShown; }
    void HideWindow() override { ++hidden; }
    void CloseWindow() override { ++closed; }
    void ProcessMessages() override {
        ++messagePumps;
        if (onProcessMessages) {
            onProcessMessages();
        }
    }

    int charWidth = 1;
    std::deque<std::optional<std::vector<std::string>>> openAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    std::vector<std::string> openDialogInitialDirs;
    std::vector<std::string> browseInitialDirs;
    int aboutShown = 0;
    int hidden = 0;
    int closed = 0;
    int messagePumps = 0;
    // What pending events do (a test delivers timer ticks here).
    std::function<void()> onProcessMessages;

private:
    template <typename T>
    static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
        if (answers.empty()) {
            return std::nullopt;
        }
        auto answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};

}  // namespace korvent::app
