// A stand-in for a PDF printer's program, registered for a test file type's "print" verb:
// asked to print a document, it opens the system's own Save dialog (Explorer style) and
// writes a small PDF at the path chosen there. With --own-prompt it asks about an existing
// file itself, with a prompt captioned as its Save dialog, as the PDF printers of Windows do.
//   kvt_pdf_printer.exe [--own-prompt] DOCUMENT
#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>
#include <winspool.h>

#include <fstream>
#include <string>

namespace {

const wchar_t kCaption[] = L"名前を付けて保存";

bool Exists(const wchar_t* path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// Asked before the dialog accepts a name: an existing file is replaced only after "Yes".
UINT_PTR CALLBACK OwnPrompt(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != CDN_FILEOK) {
        return 0;
    }
    const auto* notify = reinterpret_cast<OFNOTIFYW*>(lParam);
    if (!Exists(notify->lpOFN->lpstrFile)) {
        return 0;
    }
    const std::wstring text =
        std::wstring(notify->lpOFN->lpstrFile) + L" は既に存在します。\n上書きしますか?";
    const HWND dialog = GetParent(hook);
    const bool replace =
        MessageBoxW(dialog, text.c_str(), kCaption, MB_YESNO | MB_ICONWARNING) == IDYES;
    SetWindowLongPtrW(hook, DWLP_MSGRESULT, replace ? 0 : 1);
    return 1;
}

std::wstring BaseName(const std::wstring& document) {
    const std::size_t slash = document.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? document : document.substr(slash + 1);
    return name.substr(0, name.find_last_of(L'.')) + L".pdf";
}

// The default printer when the document was printed, so a test can tell that it was ours.
std::string DefaultPrinterUtf8() {
    wchar_t name[256];
    DWORD size = 256;
    if (!GetDefaultPrinterW(name, &size)) {
        return {};
    }
    char utf8[1024];
    const int n = WideCharToMultiByte(CP_UTF8, 0, name, -1, utf8, sizeof utf8, nullptr, nullptr);
    return n > 0 ? std::string(utf8, static_cast<std::size_t>(n - 1)) : std::string();
}

void WritePdf(const wchar_t* path) {
    std::ofstream out(path, std::ios::binary);
    out << "%PDF-1.4\n%Printer: " << DefaultPrinterUtf8()
        << "\n"
           "1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
           "2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>endobj\n"
           "3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 595 842]>>endobj\n"
           "trailer<</Root 1 0 R>>\n%%EOF\n";
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const bool ownPrompt = argc > 2 && std::wstring(argv[1]) == L"--own-prompt";
    if (argc < 2 + (ownPrompt ? 1 : 0)) {
        return 2;
    }
    wchar_t file[MAX_PATH] = {};
    BaseName(argv[argc - 1]).copy(file, MAX_PATH - 1);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = L"PDF (*.pdf)\0*.pdf\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = L"pdf";
    ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                (ownPrompt ? OFN_ENABLEHOOK : OFN_OVERWRITEPROMPT);
    ofn.lpfnHook = ownPrompt ? OwnPrompt : nullptr;
    if (!GetSaveFileNameW(&ofn)) {
        return 1;
    }
    WritePdf(file);
    return 0;
}
