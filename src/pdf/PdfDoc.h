#pragma once

#include "pdf/PdfDocTypes.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvent::pdf {

class TPdfArray;
class TPdfCanvas;
class TPdfCatalog;
class TPdfDictionary;
class TPdfDictionaryWrapper;
class TPdfFont;
class TPdfHeader;
class TPdfImage;
class TPdfInfo;
class TPdfOutlineEntry;
class TPdfOutlineRoot;
class TPdfStream;
class TPdfTrailer;
class TPdfXref;

// One PDF 1.2 document, built in memory and written in one pass by SaveToStream.
class TPdfDoc {
public:
    static constexpr const char* kProducer = "Korvent PDF Writer 0.9";

    TPdfDoc();
    ~TPdfDoc();
    TPdfDoc(const TPdfDoc&) = delete;
    TPdfDoc& operator=(const TPdfDoc&) = delete;

    // Discards any open document and builds a new empty one: catalog 1, info 2 (outline root 2
    // and info 3 with outlines), then the root page tree.
    void StartDocument();
    void DiscardDocument();
    bool HasDoc() const { return FHasDoc; }

    // A new page in the current page tree, made the canvas's page.
    void AddPage();
    // Header, every object, cross-reference table and trailer, from position 0 of the stream.
    void SaveToStream(std::ostream& stream);

    TPdfCanvas& Canvas();            // GetCanvas
    TPdfInfo& Info();                // GetInfo
    TPdfCatalog& Root();             // GetRoot
    TPdfOutlineRoot& OutlineRoot();  // GetOutlineRoot
    TPdfXref& Xref();
    // The font of that registered name, created on first use.
    TPdfFont& GetFont(std::string_view name);
    TPdfFont& CreateFont(std::string_view name);

    // Registers an image stream under a resource name (see the failure messages in the .cpp).
    void AddImage(std::string_view name, std::unique_ptr<TPdfImage> image);
    // Registers an external object (Type XObject) under a name; returns it, now indirect.
    TPdfStream* RegisterXObject(std::unique_ptr<TPdfStream> object, std::string_view name);
    TPdfStream* FindXObject(std::string_view name) const;

    // A document with one page whose canvas writes nothing, for measuring.
    TPdfCanvas& StartMeasuringDocument();

    // A page-tree node under `parent` (a Pages node), or the catalog's root node.
    TPdfDictionary* CreatePages(TPdfDictionary* parent);
    TPdfDictionary* CurrentPages() const { return FCurrentPages; }

    std::uint16_t DefaultPageWidth() const { return FDefaultPageWidth; }
    std::uint16_t DefaultPageHeight() const { return FDefaultPageHeight; }
    void SetDefaultPageWidth(std::uint16_t width) { FDefaultPageWidth = width; }
    void SetDefaultPageHeight(std::uint16_t height) { FDefaultPageHeight = height; }
    bool UseOutlines() const { return FUseOutlines; }
    void SetUseOutlines(bool use) { FUseOutlines = use; }
    TPdfCompressionMethod CompressionMethod() const { return FCompressionMethod; }
    void SetCompressionMethod(TPdfCompressionMethod method) { FCompressionMethod = method; }

    // Takes over an outline entry made by TPdfOutlineEntry::AddChild.
    TPdfOutlineEntry* AdoptOutlineEntry(std::unique_ptr<TPdfOutlineEntry> entry);

private:
    void RequireDocument(const char* operation) const;
    void RegisterXObjectIndirect(TPdfStream& object, std::string_view name);

    TPdfCatalog* FRoot = nullptr;
    TPdfDictionary* FCurrentPages = nullptr;
    std::unique_ptr<TPdfCanvas> FCanvas;
    std::unique_ptr<TPdfHeader> FHeader;
    std::unique_ptr<TPdfTrailer> FTrailer;
    std::unique_ptr<TPdfXref> FXref;
    TPdfInfo* FInfo = nullptr;
    bool FHasDoc = false;
    std::vector<std::unique_ptr<TPdfFont>> FFontList;
    std::vector<std::unique_ptr<TPdfDictionaryWrapper>> FObjectList;
    TPdfOutlineRoot* FOutlineRoot = nullptr;
    std::unique_ptr<TPdfArray> FXObjectList;
    std::uint16_t FDefaultPageWidth = 596;
    std::uint16_t FDefaultPageHeight = 842;
    TPdfCompressionMethod FCompressionMethod = TPdfCompressionMethod::cmNone;
    bool FUseOutlines = false;
};

}  // namespace korvent::pdf
