// The whole road of a document under Wine: korventpdf.exe makes the PDF printer the default,
// asks the shell to print, and drives the Save dialog that the printer's program opens (Wine's
// own common dialog) until the PDFs exist; then the default printer is put back.
#include <windows.h>

#include <winspool.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/TemporaryFolder.h"
#include "platform/win32/Utf16.h"

namespace korvent::platform {
namespace {

namespace fs = std::filesystem;

const std::string kPrinter = "クセロPDF";
const wchar_t kType[] = L"KorventTestDocument";

fs::path ProgramFolder() {
    wchar_t buffer[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return fs::path(std::wstring(buffer, n)).parent_path();
}

void SetDefaultValue(const std::wstring& key, const std::wstring& value) {
    RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// The test file type ".kvtdoc", printed by the stand-in printer program.
void RegisterPrintVerb(const std::wstring& printerOptions) {
    SetDefaultValue(L".kvtdoc", L"KorventTestDocument");
    const fs::path program = ProgramFolder() / "kvt_pdf_printer.exe";
    SetDefaultValue(std::wstring(kType) + L"\\shell\\print\\command",
                    L"\"" + program.wstring() + L"\" " + printerOptions + L"\"%1\"");
}

std::wstring DefaultPrinter() {
    wchar_t name[256];
    DWORD size = 256;
    return GetDefaultPrinterW(name, &size) ? std::wstring(name) : std::wstring();
}

std::wstring Quoted(const fs::path& path) {
    return L"\"" + path.wstring() + L"\"";
}

// Runs a program with the arguments as one command line (no shell); its exit code, or -1
// when it does not end within `seconds`.
int RunProgram(const std::wstring& commandLine, DWORD seconds) {
    std::wstring line = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -2;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, seconds * 1000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 99);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A PDF of the stand-in printer, printed while our PDF printer was the default.
void ExpectPrintedPdf(const fs::path& file) {
    SCOPED_TRACE(file.string());
    const std::string pdf = Contents(file);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("%Printer: " + kPrinter + "\n"), std::string::npos);
}

class SaveDialogRoadTest : public testing::Test {
protected:
    void SetUp() override {
        fOriginalDefault = DefaultPrinter();
        ASSERT_FALSE(fOriginalDefault.empty());
        ASSERT_NE(FromUtf16(fOriginalDefault), kPrinter);
        fs::create_directories(fOut);
        for (const char* name : {"first.kvtdoc", "second.kvtdoc"}) {
            std::ofstream(fFolder.Path() / name) << "a document\n";
        }
    }

    void TearDown() override { RegDeleteTreeW(HKEY_CLASSES_ROOT, kType); }

    // Runs korventpdf.exe on the two documents with the PDF printer as its writer.
    int Convert(const std::wstring& extraOptions) {
        const std::wstring line = Quoted(ProgramFolder() / "korventpdf.exe") + L" --writer " +
                                  ToUtf16(kPrinter) + L" --out " + Quoted(fOut) + L" " +
                                  extraOptions + Quoted(fFolder.Path() / "first.kvtdoc") + L" " +
                                  Quoted(fFolder.Path() / "second.kvtdoc");
        return RunProgram(line, 180);
    }

    TemporaryFolder fFolder{"korvent-road"};
    fs::path fOut = fFolder.Path() / "out";
    std::wstring fOriginalDefault;
};

TEST_F(SaveDialogRoadTest, BothDocumentsBecomePdfsThroughWinesSaveDialog) {
    RegisterPrintVerb(L"");
    ASSERT_EQ(Convert(L""), 0);
    ExpectPrintedPdf(fOut / "first.pdf");
    ExpectPrintedPdf(fOut / "second.pdf");
    EXPECT_EQ(DefaultPrinter(), fOriginalDefault);
}

// Wine's own overwrite prompt is captioned "エラー", not as the Save dialog; the answer to the
// prompt is proven on a prompt of ours with the caption the printers of Windows use.
TEST_F(SaveDialogRoadTest, AnExistingPdfIsReplacedAfterTheOverwritePromptIsAnswered) {
    RegisterPrintVerb(L"--own-prompt ");
    std::ofstream(fOut / "first.pdf") << "old";
    const fs::path ini = fFolder.Path() / "overwrite.ini";
    // Same-name policy 0: the printer's prompt decides.
    std::ofstream(ini) << "[OverWrite]\r\nMode=0\r\n";
    ASSERT_EQ(Convert(L"--ini " + Quoted(ini) + L" "), 0);
    ExpectPrintedPdf(fOut / "first.pdf");
    ExpectPrintedPdf(fOut / "second.pdf");
    EXPECT_EQ(DefaultPrinter(), fOriginalDefault);
}

}  // namespace
}  // namespace korvent::platform
