#include "spi/SPIs.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include "graphics/PictureFormats.h"
#include "spi/AmSPI.h"
#include "spi/InSPI.h"
#include "spi/SPIDupCreateSPIs.h"
#include "spi/SPIFOpenErrorSPI.h"
#include "spi/SPIFolders.h"
#include "spi/SPIInvalidAPI.h"
#include "spi/SPIInvalidSPI.h"
#include "spi/SystemSPIFolders.h"
#include "spi/XnSPI.h"

namespace korvent::spi {
namespace {

// Process-wide by design: the picture loader reaches the host only through it.
TSPIs* gLiveHost = nullptr;
const graphics::TGraphicClass* gDefaultGraphicClass = nullptr;

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool SameText(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return Lower(x) == Lower(y); });
}

// File-name patterns with "*" and "?", ignoring letter case as the plug-ins' home system does.
bool MatchesMask(const char* mask, const char* name) {
    while (*mask) {
        if (*mask == '*') {
            while (*mask == '*') {
                ++mask;
            }
            if (!*mask) {
                return true;
            }
            for (const char* rest = name; *rest; ++rest) {
                if (MatchesMask(mask, rest)) {
                    return true;
                }
            }
            return false;
        }
        if (!*name || (*mask != '?' && Lower(*mask) != Lower(*name))) {
            return false;
        }
        ++mask;
        ++name;
    }
    return !*name;
}

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

// The extension of a file name with its dot, or empty.
std::string ExtractFileExt(const std::string& fileName) {
    const std::size_t dot = fileName.find_last_of("./");
    if (dot == std::string::npos || fileName[dot] != '.') {
        return {};
    }
    return fileName.substr(dot);
}

std::unique_ptr<TSPI> CreateOfVersion(const std::string& version, const std::string& path) {
    if (version == "00IN") {
        return TSPI::Create<TInSPI>(path);
    }
    if (version == "00AM") {
        return TSPI::Create<TAmSPI>(path);
    }
    if (version == "00XN") {
        return TSPI::Create<TXnSPI>(path);
    }
    return TSPI::Create<TSPI>(path);
}

}  // namespace

TSPIs::TSPIs(std::unique_ptr<TSPIFolders> folders, graphics::TPictureFormats* formats)
    : FFolders(std::move(folders)),
      FFormats(formats ? *formats : graphics::TPictureFormats::Global()) {
    if (gLiveHost) {
        throw ESPIDupCreateSPIs("TSPIs は複数生成できません");
    }
    if (!FFolders) {
        FFolders = std::make_unique<TSystemSPIFolders>();
    }
    gLiveHost = this;
}

TSPIs::~TSPIs() {
    if (gLiveHost == this) {
        gLiveHost = nullptr;
    }
    Clear();
}

TSPIs* TSPIs::LiveHost() {
    return gLiveHost;
}

void TSPIs::SetGraphicClass(const graphics::TGraphicClass* graphicClass) {
    gDefaultGraphicClass = graphicClass;
}

const graphics::TGraphicClass* TSPIs::DefaultGraphicClass() {
    return gDefaultGraphicClass;
}

void TSPIs::Loaded() {
    if (AutoSearch) {
        Search("*.spi");
    }
}

void TSPIs::Search(const std::string& Mask) {
    const std::size_t slash = Mask.rfind('/');
    if (slash != std::string::npos) {
        SearchDirectory(Mask.substr(0, slash + 1), Mask.substr(slash + 1));
        return;
    }
    struct TSource {
        TSPISearchOption option;
        std::optional<std::string> (TSPIFolders::*folder)();
    };
    static constexpr TSource kSources[] = {
        {spsSusieDir, &TSPIFolders::SusieDir},     {spsAppDir, &TSPIFolders::AppDir},
        {spsCurrentDir, &TSPIFolders::CurrentDir}, {spsSystemDir, &TSPIFolders::SystemDir},
        {spsWindowsDir, &TSPIFolders::WindowsDir},
    };
    for (const TSource& source : kSources) {
        if (!SearchOptions.Contains(source.option)) {
            continue;
        }
        const std::optional<std::string> folder = (FFolders.get()->*source.folder)();
        // The registry value counts only when it names a folder.
        if (!folder || (source.option == spsSusieDir && folder->empty())) {
            continue;
        }
        SearchDirectory(WithSeparator(*folder), Mask);
    }
}

void TSPIs::SearchDirectory(const std::string& Folder, const std::string& Pattern) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(Folder.empty() ? fs::path(".") : fs::path(Folder), ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        // Hidden files and folders are left out, as the search of the plug-ins' home system
        // does.
        if (name.starts_with('.') || !it->is_regular_file(typeError) ||
            !MatchesMask(Pattern.c_str(), name.c_str())) {
            continue;
        }
        names.push_back(name);
    }
    // The home system lists a folder sorted by name; so does this search, so that the load
    // order (and with it the order plug-ins are tried in) does not depend on the file system.
    std::sort(names.begin(), names.end());

    std::vector<std::string> paths;
    for (const std::string& name : names) {
        const std::string path = Folder + name;
        // Loaded modules report their full path; compare in the same form.
        std::error_code pathError;
        const fs::path full = fs::absolute(path, pathError).lexically_normal();
        if (IndexOfFile(pathError ? path : full.string()) < 0) {
            paths.push_back(path);
        }
    }
    for (const std::string& path : paths) {
        bool accept = true;
        if (OnSearching) {
            OnSearching(*this, path, accept);
        }
        if (!accept) {
            continue;
        }
        std::unique_ptr<TSPI> spi = CreateSPI(path);
        if (!spi) {
            continue;
        }
        TSPI* const added = spi.get();
        try {
            accept = true;
            if (OnSearch) {
                OnSearch(*this, *spi, accept);
            }
            if (accept) {
                Add(std::move(spi));
            }
        } catch (const std::exception&) {
            // The plug-in is freed: still owned here when Add did not take it, taken out of the
            // list again when registering its extensions failed after it was put there. The
            // search goes on with the next file.
            std::erase_if(
                FItems, [added](const std::unique_ptr<TSPI>& item) { return item.get() == added; });
        }
    }
}

TSPI& TSPIs::Items(int Index) const {
    return *FItems.at(static_cast<std::size_t>(Index));
}

int TSPIs::IndexOfFile(const std::string& Path) const {
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        if (SameText(FItems[i]->ModuleFileName(), Path)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TSPIs::Add(std::unique_ptr<TSPI> SPI) {
    Insert(Count(), std::move(SPI));
}

void TSPIs::Insert(int Index, std::unique_ptr<TSPI> SPI) {
    // No plug-in (a file CreateSPI refused): nothing to list.
    if (!SPI) {
        return;
    }
    const std::size_t at = std::min(static_cast<std::size_t>(std::max(Index, 0)), FItems.size());
    TSPI& spi = **FItems.insert(FItems.begin() + static_cast<long>(at), std::move(SPI));
    auto* in = dynamic_cast<TInSPI*>(&spi);
    if (!in) {
        return;
    }
    for (std::size_t i = 0; i < in->Filters().size(); ++i) {
        const graphics::TGraphicClass* graphicClass = gDefaultGraphicClass;
        const std::string& filter = in->Filters()[i];
        const std::string& description = in->Descriptions()[i];
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = filter.find(';', start);
            const std::string piece = filter.substr(start, end - start);
            const std::size_t dot = piece.find('.');
            const std::string extension = dot == std::string::npos ? piece : piece.substr(dot + 1);
            if (OnPictureRegister) {
                OnPictureRegister(*this, *in, extension, description, graphicClass);
            }
            // An empty piece ("*.png;") names no extension.
            if (graphicClass && !extension.empty()) {
                FFormats.Register(extension, description, *graphicClass);
            }
            if (end == std::string::npos) {
                break;
            }
            start = end + 1;
        }
    }
}

void TSPIs::Delete(int Index) {
    if (Index < 0 || Index >= Count()) {
        throw std::out_of_range("TSPIs::Delete: index " + std::to_string(Index) + " out of range");
    }
    FItems.erase(FItems.begin() + Index);
}

void TSPIs::Clear() {
    while (Count() > 0) {
        Delete(0);
    }
}

std::vector<TInSPI*> TSPIs::CandidateLoaders(const std::string& FileName) {
    std::vector<TInSPI*> result;
    if (!gLiveHost) {
        return result;
    }
    const std::string extension = ExtractFileExt(FileName);
    for (const auto& spi : gLiveHost->FItems) {
        auto* in = dynamic_cast<TInSPI*>(spi.get());
        if (!in) {
            continue;
        }
        // A filter entry's extension runs from its last dot to its end, over the whole entry:
        // "*.jpg;*.jpeg" declares ".jpeg" only.
        const bool preferred =
            !extension.empty() &&
            std::any_of(in->Filters().begin(), in->Filters().end(), [&](const std::string& f) {
                const std::size_t dot = f.rfind('.');
                return dot != std::string::npos && SameText(f.substr(dot), extension);
            });
        if (preferred) {
            result.insert(result.begin(), in);
        } else {
            result.push_back(in);
        }
    }
    return result;
}

std::unique_ptr<TSPI> TSPIs::CreateSPI(const std::string& Path) {
    try {
        std::unique_ptr<TSPI> probe = TSPI::Create<TSPI>(Path);
        // The library is loaded a second time for the object of the right kind, which checks
        // the entries that kind requires.
        std::unique_ptr<TSPI> spi = CreateOfVersion(probe->APIVersion(), Path);
        probe.reset();
        return spi;
    } catch (const ESPIFOpenErrorSPI&) {
        return nullptr;
    } catch (const ESPIInvalidSPI&) {
        return nullptr;
    } catch (const ESPIInvalidAPI&) {
        return nullptr;
    }
}

}  // namespace korvent::spi
