// KorventPDF: turns the files of a list into PDF documents.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <filesystem>
#include <string>
#include <vector>

#include "app/DesktopServices.h"
#include "app/PathText.h"
#include "app/qt/MainWindow.h"
#include "platform/Paths.h"

int main(int argc, char* argv[]) {
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
    app::DesktopServices desktop;
    app::TMainWindow window(desktop.Services(app::DesktopServices::ProgramFile(argv[0]),
                                             platform::ProgramDataDir(), arguments));
    window.show();
    return QApplication::exec();
}
