#include "spi/SPI.h"

#include <array>
#include <cstring>

#include "platform/DynamicLibrary.h"
#include "spi/SPIFOpenErrorSPI.h"
#include "spi/SPIInvalidAPI.h"

namespace korvent::spi {
namespace {

// The texts are read into 256-byte buffers announced as 255 long, so a plug-in that fills the
// whole announced length still leaves a terminating zero.
constexpr int kInfoLength = 255;
// Filter pairs are read until a plug-in has no more; one that answers every number would keep
// the program from starting, so the reading stops here.
constexpr int kMaxPairs = 1024;

template <class Function>
Function Bind(const platform::DynamicLibrary& library, const char* name) {
    return reinterpret_cast<Function>(library.Symbol(name));
}

}  // namespace

TSPI::TSPI(const std::string& path) {
    FLibrary = platform::DynamicLibrary::Load(path);
    if (!FLibrary) {
        throw ESPIFOpenErrorSPI(path + ":Susie Pluginがロードできませんでした");
    }
    FModuleFileName = FLibrary->ModulePath();
    if (FModuleFileName.empty()) {
        FModuleFileName = path;
    }
    FGetPluginInfo = Bind<SPI_GetPluginInfo>(*FLibrary, "GetPluginInfo");
    FConfigurationDlg = Bind<SPI_ConfigurationDlg>(*FLibrary, "ConfigurationDlg");
    FIsSupported = Bind<SPI_IsSupported>(*FLibrary, "IsSupported");
    FGetPictureInfo = Bind<SPI_GetPictureInfo>(*FLibrary, "GetPictureInfo");
    FGetPicture = Bind<SPI_GetPicture>(*FLibrary, "GetPicture");
    FGetPreview = Bind<SPI_GetPreview>(*FLibrary, "GetPreview");
    FGetArchiveInfo = Bind<SPI_GetArchiveInfo>(*FLibrary, "GetArchiveInfo");
    FGetFileInfo = Bind<SPI_GetFileInfo>(*FLibrary, "GetFileInfo");
    FGetFile = Bind<SPI_GetFile>(*FLibrary, "GetFile");
}

TSPI::~TSPI() = default;

void TSPI::Require(bool present, const char* entry) const {
    if (!present) {
        throw ESPIInvalidAPI(std::string(entry) + "は[" + FModuleFileName +
                             "]では使えないSusie Plugin APIです");
    }
}

void TSPI::CheckAPI() const {
    Require(HasGetPluginInfo(), "GetPluginInfo");
}

bool TSPI::InfoText(int number, std::string& text) const {
    std::array<char, kInfoLength + 1> buffer{};
    if (GetPluginInfo(number, buffer.data(), kInfoLength) <= 0) {
        return false;
    }
    text.assign(buffer.data(), strnlen(buffer.data(), kInfoLength));
    return true;
}

void TSPI::Initialize() {
    CheckAPI();
    InfoText(0, FAPIVersion);
    InfoText(1, FPluginName);
    for (int pair = 0; pair < kMaxPairs; ++pair) {
        std::string filter;
        std::string description;
        if (!InfoText(2 + 2 * pair, filter) || !InfoText(3 + 2 * pair, description)) {
            break;
        }
        FFilters.push_back(std::move(filter));
        FDescriptions.push_back(std::move(description));
    }
}

int TSPI::GetPluginInfo(int infono, char* buf, int buflen) const {
    Require(HasGetPluginInfo(), "GetPluginInfo");
    return FGetPluginInfo(infono, buf, buflen);
}

int TSPI::IsSupported(const char* filename, const void* header) const {
    Require(HasIsSupported(), "IsSupported");
    return FIsSupported(filename, reinterpret_cast<SPI_DWORD_PTR>(header));
}

int TSPI::GetPictureInfo(const char* buf, long len, unsigned int flag, SPI_PICTINFO* info) const {
    Require(HasGetPictureInfo(), "GetPictureInfo");
    return FGetPictureInfo(buf, len, flag, info);
}

int TSPI::GetPicture(const char* buf, long len, unsigned int flag, SPI_HLOCAL* info,
                     SPI_HLOCAL* bits, SPI_PROGRESS progress, SPI_USERDATA user) const {
    Require(HasGetPicture(), "GetPicture");
    return FGetPicture(buf, len, flag, info, bits, progress, user);
}

int TSPI::GetPreview(const char* buf, long len, unsigned int flag, SPI_HLOCAL* info,
                     SPI_HLOCAL* bits, SPI_PROGRESS progress, SPI_USERDATA user) const {
    Require(HasGetPreview(), "GetPreview");
    return FGetPreview(buf, len, flag, info, bits, progress, user);
}

}  // namespace korvent::spi
