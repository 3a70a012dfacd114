#include "writers/PdfQueueServer.h"

#include <unistd.h>

#include <fstream>
#include <iterator>

#include "platform/posix/CupsPdfConfig.h"

namespace korvent::writers::testing {

namespace fs = std::filesystem;

std::string PdfQueueServer::Start() {
    if (access("/usr/lib/cups/backend/cups-pdf", F_OK) != 0) {
        return "cups-pdf is not installed";
    }
    if (std::string failure = fServer.Start(); !failure.empty()) {
        return failure;
    }
    const fs::path dir = fServer.Dir();
    const std::string device = "cups-pdf:/" + fQueue;
    fConfigFile = platform::CupsPdfConfig::FileFor(platform::CupsPdfConfig::kSystemFolder, device);
    std::ofstream(fConfigFile) << "Out " << OutFolder().string() << "\nSpool "
                               << (dir / "pdfspool").string() << "\nLog " << (dir / "log").string()
                               << "\nLabel 2\nTitlePref 1\n";
    const auto added = fServer.Tool({"lpadmin", "-p", fQueue, "-E", "-v", device, "-P",
                                     "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"});
    return added.status == 0 ? std::string() : "lpadmin failed: " + added.output;
}

void PdfQueueServer::Stop() {
    fServer.Stop();
    if (!fConfigFile.empty()) {
        std::error_code ec;
        fs::remove(fConfigFile, ec);
        fConfigFile.clear();
    }
}

std::string PdfQueueServer::Log() const {
    std::string log;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(fServer.Dir() / "log", ec)) {
        const std::string name = e.path().filename().string();
        if (name == "error_log" || name.starts_with("cups-pdf-")) {
            std::ifstream in(e.path());
            log += std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return log;
}

}  // namespace korvent::writers::testing
