#include "platform/sim/SimWindowSystem.h"

#include <gtest/gtest.h>

#include "platform/sim/VirtualClock.h"

namespace korvent::platform {
namespace {

using namespace std::chrono_literals;
using Message = SimWindowSystem::Message;

class SimWindowSystemTest : public ::testing::Test {
protected:
    WindowHandle Top(const std::string& className, const std::string& caption,
                     WindowHandle owner = 0) {
        return ws.Create({.className = className, .caption = caption, .owner = owner, .thread = 1});
    }
    WindowHandle Child(WindowHandle parent, const std::string& className,
                       const std::string& caption = {}) {
        return ws.Create(
            {.className = className, .caption = caption, .parent = parent, .thread = 1});
    }

    VirtualClock clock;
    SimWindowSystem ws{clock};
};

TEST_F(SimWindowSystemTest, NewTopLevelWindowsGoOnTopAndThreadsKeepTheirOwn) {
    const WindowHandle a = Top("#32770", "a");
    const WindowHandle b = Top("#32770", "b", a);
    const WindowHandle other = ws.Create({.className = "#32770", .caption = "a", .thread = 2});
    EXPECT_EQ(ws.TopLevelWindows(), (std::vector<WindowHandle>{other, b, a}));
    EXPECT_EQ(ws.ThreadWindows(a), (std::vector<WindowHandle>{b, a}));
    EXPECT_EQ(ws.Owner(b), a);
    EXPECT_EQ(ws.FindTopLevel("#32770", "a"), other);
}

TEST_F(SimWindowSystemTest, ClassesIgnoreLetterCaseCaptionsDoNot) {
    const WindowHandle dialog = Top("#32770", "名前を付けて保存");
    const WindowHandle edit = Child(dialog, "Edit");
    const WindowHandle save = Child(dialog, "Button", "保存(&S)");
    EXPECT_EQ(ws.FindChild(dialog, "EDIT", std::nullopt), edit);
    EXPECT_EQ(ws.FindChild(dialog, "button", "保存(&S)"), save);
    EXPECT_EQ(ws.FindChild(dialog, "Button", "保存(&s)"), 0u);
    EXPECT_EQ(ws.FindTopLevel("#32770", "名前を付けて保存 "), 0u);
}

TEST_F(SimWindowSystemTest, DescendantsComeParentsFirstAndClassNamesAreCut) {
    const WindowHandle dialog = Top("#32770", "d");
    const WindowHandle ex = Child(dialog, "ComboBoxEx32");
    const WindowHandle combo = Child(ex, "ComboBox");
    const WindowHandle edit = Child(combo, "Edit");
    const WindowHandle button = Child(dialog, std::string(120, 'B'));
    EXPECT_EQ(ws.Descendants(dialog), (std::vector<WindowHandle>{ex, combo, edit, button}));
    EXPECT_EQ(ws.ClassName(button), std::string(99, 'B'));
}

TEST_F(SimWindowSystemTest, AHiddenParentHidesItsChildren) {
    const WindowHandle dialog = Top("#32770", "d");
    const WindowHandle edit = Child(dialog, "Edit");
    ws.SetVisible(dialog, false);
    EXPECT_FALSE(ws.IsVisible(edit));
    EXPECT_EQ(ws.FindTopLevel("#32770", "d"), dialog);
}

TEST_F(SimWindowSystemTest, DestroyingAWindowTakesItsChildrenAndOwnedWindows) {
    const WindowHandle dialog = Top("#32770", "d");
    const WindowHandle edit = Child(dialog, "Edit");
    const WindowHandle prompt = Top("#32770", "d", dialog);
    ws.Destroy(dialog);
    EXPECT_FALSE(ws.Exists(edit));
    EXPECT_FALSE(ws.Exists(prompt));
    EXPECT_TRUE(ws.TopLevelWindows().empty());
}

TEST_F(SimWindowSystemTest, AWindowThatIsGoneFailsQuietly) {
    const WindowHandle dialog = Top("#32770", "d");
    const WindowHandle edit = Child(dialog, "Edit");
    ws.Destroy(dialog);
    EXPECT_EQ(ws.ClassName(edit), "");
    EXPECT_EQ(ws.Caption(edit), "");
    EXPECT_FALSE(ws.IsVisible(edit));
    EXPECT_EQ(ws.Owner(edit), 0u);
    EXPECT_TRUE(ws.ThreadWindows(edit).empty());
    EXPECT_TRUE(ws.Descendants(dialog).empty());
    EXPECT_EQ(ws.FindChild(dialog, "Edit", std::nullopt), 0u);
    EXPECT_FALSE(ws.SetText(edit, "x", 200ms));
    EXPECT_EQ(ws.GetText(edit, 256, 200ms), std::nullopt);
    EXPECT_FALSE(ws.SendMouse(edit, MouseMessage::LeftButtonDown, 2000ms));
}

TEST_F(SimWindowSystemTest, TextsAreReadIntoTheGivenBufferWithoutSplittingACharacter) {
    const WindowHandle edit = Child(Top("#32770", "d"), "Edit");
    ws.SetText(edit, "ab名前", 200ms);
    EXPECT_EQ(ws.GetText(edit, 256, 200ms), "ab名前");
    EXPECT_EQ(ws.GetText(edit, 6, 200ms), "ab名");
    EXPECT_EQ(ws.GetText(edit, 5, 200ms), "ab");
}

TEST_F(SimWindowSystemTest, AClickIsADownAndAnUpOnTheSameWindow) {
    const WindowHandle dialog = Top("#32770", "d");
    const WindowHandle edit = Child(dialog, "Edit");
    const WindowHandle button = Child(dialog, "Button", "OK");
    int clicks = 0;
    ws.OnClick(button, [&] { ++clicks; });
    ws.SendMouse(button, MouseMessage::LeftButtonUp, 2000ms);
    ws.SendMouse(edit, MouseMessage::LeftButtonDown, 2000ms);
    ws.SendMouse(button, MouseMessage::LeftButtonUp, 2000ms);
    EXPECT_EQ(clicks, 0);
    ws.SendMouse(button, MouseMessage::LeftButtonDown, 2000ms);
    ws.SendMouse(button, MouseMessage::LeftButtonUp, 2000ms);
    EXPECT_EQ(clicks, 1);
}

TEST_F(SimWindowSystemTest, MessagesAreRecordedWithTheirTargetAndTime) {
    const WindowHandle dialog = Top("#32770", "d");
    const WindowHandle edit = Child(dialog, "Edit");
    ws.SetAcceptsText(edit, false);
    ws.SetText(edit, "/out/a.pdf", 200ms);
    clock.Advance(200ms);
    ws.GetText(edit, 256, 200ms);
    ws.SendMouse(dialog, MouseMessage::LeftButtonDown, 2000ms);
    using R = SimWindowSystem::Record;
    EXPECT_EQ(ws.Records(),
              (std::vector<R>{{Message::SetText, edit, "Edit", "", "/out/a.pdf", 0ms, false},
                              {Message::GetText, edit, "Edit", "", "", 200ms, true},
                              {Message::LeftButtonDown, dialog, "#32770", "d", "", 200ms, true}}));
}

TEST_F(SimWindowSystemTest, QueryHooksRunBeforeEveryLookUntilRemoved) {
    int runs = 0;
    const int id = ws.AddQueryHook([&] { ++runs; });
    ws.TopLevelWindows();
    ws.FindTopLevel("#32770", "d");
    ws.RemoveQueryHook(id);
    ws.TopLevelWindows();
    EXPECT_EQ(runs, 2);
}

}  // namespace
}  // namespace korvent::platform
