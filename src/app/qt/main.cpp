// KorventPDF: turns the files of a list into PDF documents.
#include <QApplication>
#include <QStringList>
#include <filesystem>
#include <string>
#include <vector>

#include "app/qt/MainWindow.h"
#include "platform/KnownFolders.h"
#include "platform/Paths.h"
#include "platform/ProfileRegistry.h"
#include "platform/posix/CupsPrintSystem.h"
#include "platform/posix/IniProfileStore.h"
#include "platform/posix/SteadyClock.h"

int main(int argc, char* argv[]) {
    namespace fs = std::filesystem;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KorventPDF"));

    std::vector<std::string> arguments;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        arguments.push_back(args[i].toStdString());
    }

    using namespace korvent;
    platform::IniProfileStore profiles;
    platform::ProfileRegistry registry(profiles,
                                       (platform::UserConfigDir() / "registry.ini").string());
    platform::SteadyClock clock;
    platform::CupsPrintSystem printers;

    fs::path program = platform::ProgramFilePath();
    if (program.empty()) {
        program = fs::absolute(argv[0]);
    }

    app::TMainWindow window(app::FormServices{
        .profiles = profiles,
        .registry = registry,
        .clock = clock,
        .printSystem = &printers,
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
