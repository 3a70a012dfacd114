// KorventPDF: turns the files of a list into PDF documents.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <filesystem>
#include <string>
#include <vector>

#include "app/PathText.h"
#include "app/qt/MainWindow.h"
#include "platform/KnownFolders.h"
#include "platform/Paths.h"
#include "platform/ProfileRegistry.h"
#include "platform/QpdfCombiner.h"
#include "platform/posix/CupsPrintSystem.h"
#include "platform/posix/DesktopShellActions.h"
#include "platform/posix/GioRecycleBin.h"
#include "platform/posix/IniProfileStore.h"
#include "platform/posix/LinuxDocumentWriters.h"
#include "platform/posix/SteadyClock.h"

int main(int argc, char* argv[]) {
    namespace fs = std::filesystem;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KorventPDF"));

    // The window is Japanese whatever the user's locale, so Qt's own texts (Yes/No, edit
    // menus) are too; without the translation they simply stay English.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ja"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    std::error_code cwdError;
    const std::string currentDir = std::filesystem::current_path(cwdError).string();
    // QApplication has taken its own options out of argv; what is left are file names, kept as
    // bytes because a Linux name need not be UTF-8.
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(korvent::app::FullCommandLinePath(argv[i], currentDir));
    }

    using namespace korvent;
    platform::IniProfileStore profiles;
    platform::ProfileRegistry registry(profiles,
                                       (platform::UserConfigDir() / "registry.ini").string());
    platform::SteadyClock clock;
    platform::CupsPrintSystem printers;
    platform::DesktopShellActions shell;
    platform::QpdfCombiner combiner;
    platform::GioRecycleBin recycleBin;
    platform::LinuxDocumentWriters documentWriters;

    fs::path program = platform::ProgramFilePath();
    if (program.empty()) {
        program = fs::absolute(argv[0]);
    }

    app::TMainWindow window(app::FormServices{
        .profiles = profiles,
        .registry = registry,
        .clock = clock,
        .printSystem = &printers,
        .shell = &shell,
        // No PDF printer on this system shows a Save dialog to drive.
        .windows = nullptr,
        .combiner = &combiner,
        .recycleBin = &recycleBin,
        .documentWriters = &documentWriters,
        .programFile = program,
        .dataDir = platform::ProgramDataDir(),
        .desktopDir = platform::SpecialFolderPath(platform::SpecialFolder::Desktop),
        .profileExists =
            [](const std::string& file) {
                std::error_code ec;
                return fs::exists(file, ec);
            },
        .arguments = arguments,
        .pluginFolders = nullptr,
    });
    window.show();
    return QApplication::exec();
}
