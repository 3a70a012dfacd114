// The Windows implementations of the platform layer against Wine's real functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/DynamicLibrary.h"
#include "platform/KnownFolders.h"
#include "platform/Paths.h"
#include "platform/TemporaryFolder.h"
#include "platform/TextCodec.h"
#include "platform/win32/DesktopWindows.h"
#include "platform/win32/ShellExecuteActions.h"
#include "platform/win32/SpoolerPrintSystem.h"
#include "platform/win32/UserRegistry.h"
#include "platform/win32/Utf16.h"

namespace korvent::platform {
namespace {

using namespace std::chrono_literals;

struct Cp932Case {
    const char* utf8;
    const char* cp932;
};

TEST(Win32TextCodecTest, Cp932BothWays) {
    const Cp932Case cases[] = {
        {"abc", "abc"},
        {"名前を付けて保存", "\x96\xBC\x91\x4F\x82\xF0\x95\x74\x82\xAF\x82\xC4\x95\xDB\x91\xB6"},
        {"ｶﾅ", "\xB6\xC5"},
        {"表", "\x95\x5C"},  // a second byte that is a backslash
    };
    for (const Cp932Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932);
        EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8);
    }
    EXPECT_EQ(Utf8ToCp932("\xF0\x9F\x98\x80"), "?");  // no counterpart
    EXPECT_EQ(Cp932ToUtf16("\x82\xA0"), u"あ");
}

TEST(Win32RegistryTest, ValuesOfBothTypes) {
    UserRegistry registry;
    const std::string key = "Software\\Korvent\\PlatformTest";
    ASSERT_TRUE(registry.WriteString(key, "Path", "C:\\プラグイン"));
    ASSERT_TRUE(registry.WriteBinary(key, "Data", {1, 2, 0, 255}));
    EXPECT_EQ(registry.ReadString(key, "path"), "C:\\プラグイン");
    EXPECT_EQ(registry.ReadBinary(key, "DATA"), (std::vector<std::uint8_t>{1, 2, 0, 255}));
    EXPECT_EQ(registry.ReadString(key, "Data"), std::nullopt);  // the other type
    EXPECT_TRUE(registry.DeleteValue(key, "Path"));
    EXPECT_TRUE(registry.DeleteValue(key, "Path"));
    EXPECT_EQ(registry.ReadString(key, "Path"), std::nullopt);
    EXPECT_EQ(registry.ReadString("Software\\Korvent\\Missing", "Path"), std::nullopt);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Korvent");
}

TEST(Win32KnownFoldersTest, FoldersOfTheUser) {
    for (SpecialFolder f : {SpecialFolder::Home, SpecialFolder::Desktop, SpecialFolder::Documents,
                            SpecialFolder::Config, SpecialFolder::Temp, SpecialFolder::Root}) {
        EXPECT_TRUE(std::filesystem::is_directory(SpecialFolderPath(f)))
            << static_cast<int>(f) << " " << SpecialFolderPath(f);
    }
    EXPECT_TRUE(SpecialFolderPath(SpecialFolder::Trash).empty());
}

TEST(Win32DynamicLibraryTest, LoadsBySystemPathAndFindsSymbols) {
    std::string error;
    EXPECT_EQ(DynamicLibrary::Load("missing.spi", &error), nullptr);
    EXPECT_FALSE(error.empty());
    const auto kernel = DynamicLibrary::Load("C:\\windows\\system32\\kernel32.dll");
    ASSERT_NE(kernel, nullptr);
    EXPECT_NE(kernel->Symbol("GetTickCount"), nullptr);
    EXPECT_EQ(kernel->Symbol("NoSuchExport"), nullptr);
    EXPECT_NE(kernel->ModulePath().find("kernel32.dll"), std::string::npos);
    // A shipped plug-in, built beside the tests, with the entries of the plug-in interface.
    const auto plugin =
        DynamicLibrary::Load((ProgramFilePath().parent_path() / "ifjpeg.spi").string());
    ASSERT_NE(plugin, nullptr);
    for (const char* entry : {"GetPluginInfo", "IsSupported", "GetPictureInfo", "GetPicture"}) {
        EXPECT_NE(plugin->Symbol(entry), nullptr) << entry;
    }
}

TEST(Win32PrintSystemTest, SpoolerListsTheServersPrintersAndSwitchesTheDefault) {
    SpoolerPrintSystem spooler;
    std::vector<std::string> names;
    for (const PrinterRecord& p : spooler.EnumPrinters()) {
        names.push_back(p.name);
    }
    ASSERT_NE(std::find(names.begin(), names.end(), "クセロPDF"), names.end());
    const std::string before = spooler.DefaultPrinterName();
    ASSERT_FALSE(before.empty());
    EXPECT_FALSE(spooler.WriteDefaultDevice("Not Installed,,"));
    ASSERT_TRUE(spooler.WriteDefaultDevice("クセロPDF,,"));
    spooler.BroadcastSettingChange("windows");
    EXPECT_EQ(spooler.DefaultPrinterName(), "クセロPDF");
    ASSERT_TRUE(spooler.WriteDefaultDevice(before + ",,"));
    EXPECT_EQ(spooler.DefaultPrinterName(), before);
    const auto mode = spooler.DefaultDeviceMode("クセロPDF");
    ASSERT_TRUE(mode.has_value());
    EXPECT_EQ(mode->DeviceName(), "クセロPDF");
    EXPECT_FALSE(spooler.DefaultDeviceMode("Not Installed").has_value());
}

TEST(Win32ShellActionsTest, RefusalsCarryTheShellsCodes) {
    TemporaryFolder folder("korvent-shell");
    std::ofstream(folder.Path() / "plain.unknowntype") << "x";
    struct Case {
        std::filesystem::path path;
        int error;
    };
    const Case cases[] = {
        {folder.Path() / "missing.txt", shell_error::FileNotFound},
        // Windows answers 3 for a missing folder; Wine's shell does not tell the two apart.
        {folder.Path() / "no folder" / "missing.txt", shell_error::FileNotFound},
        {folder.Path() / "plain.unknowntype", shell_error::NoAssociation},
    };
    ShellExecuteActions shell;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.string());
        EXPECT_EQ(shell.Execute(ShellVerb::Print, c.path.string()).error, c.error);
    }
}

// A dialog of our own thread, with a child edit field, found and filled as another program's.
TEST(Win32WindowSystemTest, FindsReadsAndFillsWindows) {
    const HWND dialog = CreateWindowExW(0, L"#32770", L"名前を付けて保存", WS_OVERLAPPEDWINDOW, 0,
                                        0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    const HWND edit = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, dialog,
                                      nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    DesktopWindows windows;
    const auto handle = reinterpret_cast<WindowHandle>(dialog);
    EXPECT_EQ(windows.FindTopLevel("#32770", "名前を付けて保存"), handle);
    EXPECT_EQ(windows.FindTopLevel("#32770", "名前を付けて保存 "), 0u);
    EXPECT_EQ(windows.ClassName(handle), "#32770");
    EXPECT_EQ(windows.Caption(handle), "名前を付けて保存");
    EXPECT_FALSE(windows.IsVisible(handle));
    const auto topLevel = windows.TopLevelWindows();
    EXPECT_NE(std::find(topLevel.begin(), topLevel.end(), handle), topLevel.end());
    const auto field = windows.FindChild(handle, "EDIT", std::nullopt);
    EXPECT_EQ(field, reinterpret_cast<WindowHandle>(edit));
    EXPECT_EQ(windows.Descendants(handle), std::vector<WindowHandle>{field});
    const auto threadWindows = windows.ThreadWindows(handle);
    EXPECT_NE(std::find(threadWindows.begin(), threadWindows.end(), handle), threadWindows.end());
    ASSERT_TRUE(windows.SetText(field, "C:\\出力\\文書.pdf", 200ms));
    EXPECT_EQ(windows.GetText(field, 256, 200ms), "C:\\出力\\文書.pdf");
    EXPECT_EQ(windows.GetText(field, 4, 200ms), "C:\\");
    DestroyWindow(dialog);
    EXPECT_EQ(windows.Caption(handle), "");
    EXPECT_FALSE(windows.SetText(field, "x", 200ms));
}

}  // namespace
}  // namespace korvent::platform
