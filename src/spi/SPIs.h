#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graphics/GraphicClass.h"
#include "spi/SPI.h"
#include "spi/SPISearchOptions.h"

namespace korvent::graphics {
class TPictureFormats;
}

namespace korvent::spi {

class TInSPI;
class TSPI;
class TSPIFolders;
class TSPIs;

// Raised for each candidate file before it is loaded; Accept arrives true, false skips the file.
using TSPISearchingEvent =
    std::function<void(TSPIs& Sender, const std::string& FileName, bool& Accept)>;
// Raised for each loaded plug-in; Accept arrives true, false unloads it instead of adding it.
using TSPISearchEvent = std::function<void(TSPIs& Sender, TSPI& ASPI, bool& Accept)>;
// Raised for each extension of an image-input plug-in before it is registered; setting
// AGraphicClass to null suppresses the registration.
using TSPIPictureRegisterEvent = std::function<void(
    TSPIs& Sender, TInSPI& ASPI, const std::string& AExtension, const std::string& ADescription,
    const graphics::TGraphicClass*& AGraphicClass)>;

// The plug-in host: finds the plug-in files, loads them, sorts them into kinds by their
// version text, registers the extensions of the image-input plug-ins, and tells the picture
// loader which plug-ins to try for a file. Only one host exists at a time (the live host).
class TSPIs {
public:
    // Raises ESPIDupCreateSPIs while another host exists. Without `folders`, the search uses
    // the system's folders (TSystemSPIFolders); without `formats`, the global picture-format
    // registry.
    explicit TSPIs(std::unique_ptr<TSPIFolders> folders = nullptr,
                   graphics::TPictureFormats* formats = nullptr);
    TSPIs(const TSPIs&) = delete;
    TSPIs& operator=(const TSPIs&) = delete;
    virtual ~TSPIs();

    // The live host, or null.
    static TSPIs* LiveHost();
    // The picture class that extensions are registered with (TSPIBitmap once its unit is in
    // the program; null before).
    static void SetGraphicClass(const graphics::TGraphicClass* graphicClass);
    static const graphics::TGraphicClass* DefaultGraphicClass();

    TSPISearchOptions SearchOptions{spsSusieDir, spsAppDir};
    bool AutoSearch = true;
    // Also try each image as if a 128-byte MacBinary header preceded it.
    bool MacBinary = true;
    // Try a plug-in's preview entry before its full-picture entry.
    bool GraphicPreview = false;

    TSPISearchEvent OnSearch;
    TSPISearchingEvent OnSearching;
    TSPIPictureRegisterEvent OnPictureRegister;

    // To be called once the owner has set the properties: searches "*.spi" if AutoSearch.
    void Loaded();
    // Loads every plug-in matching Mask ("*.spi"). A mask with a folder searches that folder
    // only; otherwise the folders of SearchOptions are searched in the order of the options.
    void Search(const std::string& Mask);

    int Count() const { return static_cast<int>(FItems.size()); }
    TSPI& Items(int Index) const;
    // Index of the first plug-in loaded from Path (ignoring letter case), or -1.
    int IndexOfFile(const std::string& Path) const;
    void Add(std::unique_ptr<TSPI> SPI);
    // Puts the plug-in into the list and registers the extensions of an image-input plug-in.
    // A null plug-in (what CreateSPI gives for a file that is none) is ignored.
    void Insert(int Index, std::unique_ptr<TSPI> SPI);
    // Unloads the plug-in. Its extensions stay registered. Raises std::out_of_range for an
    // index outside the list.
    void Delete(int Index);
    void Clear();

    // The image-input plug-ins to try for a file, in order: those whose filters name the file's
    // extension first (the last loaded first), then the others in load order. Empty when no
    // host is live.
    static std::vector<TInSPI*> CandidateLoaders(const std::string& FileName);

    // A plug-in of the kind its version text selects, or null when the file is no loadable
    // plug-in or lacks an entry that its kind requires.
    static std::unique_ptr<TSPI> CreateSPI(const std::string& Path);

protected:
    virtual void SearchDirectory(const std::string& Folder, const std::string& Pattern);

private:
    std::vector<std::unique_ptr<TSPI>> FItems;
    std::unique_ptr<TSPIFolders> FFolders;
    graphics::TPictureFormats& FFormats;
};

}  // namespace korvent::spi
