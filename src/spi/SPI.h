#pragma once

#include <memory>
#include <string>
#include <vector>

#include "spi/susie_api.h"

namespace korvent::platform {
class DynamicLibrary;
}

namespace korvent::spi {

// One loaded plug-in: the library, its texts and its nine entry points (each may be absent).
// The kind of plug-in is the class: TInSPI for image input ("00IN"), TAmSPI for archives
// ("00AM"), TXnSPI ("00XN"), plain TSPI for any other version text.
//
// Make plug-ins with Create<Kind>(path): it loads and binds the library, runs the kind's
// CheckAPI and reads the texts. Destroying a plug-in unloads its library.
class TSPI {
public:
    // Raises ESPIFOpenErrorSPI when the library cannot be loaded, ESPIInvalidAPI when an entry
    // that the kind requires is missing.
    template <class Kind>
    static std::unique_ptr<Kind> Create(const std::string& path) {
        auto spi = std::make_unique<Kind>(path);
        static_cast<TSPI&>(*spi).Initialize();
        return spi;
    }

    // Loads and binds only; Create() finishes the plug-in.
    explicit TSPI(const std::string& path);
    TSPI(const TSPI&) = delete;
    TSPI& operator=(const TSPI&) = delete;
    virtual ~TSPI();

    // Raises ESPIInvalidAPI when an entry that this kind of plug-in requires is absent.
    virtual void CheckAPI() const;

    const std::string& ModuleFileName() const { return FModuleFileName; }
    const std::string& APIVersion() const { return FAPIVersion; }
    const std::string& PluginName() const { return FPluginName; }
    // Pattern lists ("*.jpg;*.jpeg") and format names; entry i of each forms one pair.
    const std::vector<std::string>& Filters() const { return FFilters; }
    const std::vector<std::string>& Descriptions() const { return FDescriptions; }

    // The typed callers: each raises ESPIInvalidAPI when the entry is absent, otherwise calls
    // it and returns its result unchanged.
    int GetPluginInfo(int infono, char* buf, int buflen) const;
    int IsSupported(const char* filename, const void* header) const;
    int GetPictureInfo(const char* buf, long len, unsigned int flag, SPI_PICTINFO* info) const;
    int GetPicture(const char* buf, long len, unsigned int flag, SPI_HLOCAL* info, SPI_HLOCAL* bits,
                   SPI_PROGRESS progress, SPI_USERDATA user) const;
    int GetPreview(const char* buf, long len, unsigned int flag, SPI_HLOCAL* info, SPI_HLOCAL* bits,
                   SPI_PROGRESS progress, SPI_USERDATA user) const;

    bool HasGetPluginInfo() const { return FGetPluginInfo != nullptr; }
    bool HasConfigurationDlg() const { return FConfigurationDlg != nullptr; }
    bool HasIsSupported() const { return FIsSupported != nullptr; }
    bool HasGetPictureInfo() const { return FGetPictureInfo != nullptr; }
    bool HasGetPicture() const { return FGetPicture != nullptr; }
    bool HasGetPreview() const { return FGetPreview != nullptr; }
    bool HasGetArchiveInfo() const { return FGetArchiveInfo != nullptr; }
    bool HasGetFileInfo() const { return FGetFileInfo != nullptr; }
    bool HasGetFile() const { return FGetFile != nullptr; }

protected:
    // Raises ESPIInvalidAPI for `entry` unless `present`.
    void Require(bool present, const char* entry) const;

private:
    void Initialize();
    // Text `number` of GetPluginInfo, or nothing when the plug-in has none.
    bool InfoText(int number, std::string& text) const;

    std::unique_ptr<platform::DynamicLibrary> FLibrary;
    std::string FModuleFileName;
    std::string FAPIVersion;
    std::string FPluginName;
    std::vector<std::string> FFilters;
    std::vector<std::string> FDescriptions;

    SPI_GetPluginInfo FGetPluginInfo = nullptr;
    SPI_ConfigurationDlg FConfigurationDlg = nullptr;
    SPI_IsSupported FIsSupported = nullptr;
    SPI_GetPictureInfo FGetPictureInfo = nullptr;
    SPI_GetPicture FGetPicture = nullptr;
    SPI_GetPreview FGetPreview = nullptr;
    SPI_GetArchiveInfo FGetArchiveInfo = nullptr;
    SPI_GetFileInfo FGetFileInfo = nullptr;
    SPI_GetFile FGetFile = nullptr;
};

}  // namespace korvent::spi
