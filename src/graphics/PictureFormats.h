#pragma once

#include <memory>
#include <string>
#include <vector>

#include "graphics/GraphicClass.h"

namespace korvent::graphics {

// Which picture class loads files of which extension. The image plug-ins register their
// extensions here as they are loaded; loading a file then picks the class by its extension.
// The program uses the one Global() registry; tests may make their own.
class TPictureFormats {
public:
    struct TEntry {
        std::string Extension;  // without the dot, as registered ("jpg")
        std::string Description;
        const TGraphicClass* GraphicClass;
    };

    static TPictureFormats& Global();

    // A later registration of the same extension (ignoring letter case) takes precedence.
    void Register(const std::string& extension, const std::string& description,
                  const TGraphicClass& graphicClass);
    // Removes every registration of the class.
    void UnregisterClass(const TGraphicClass& graphicClass);
    void Clear() { FEntries.clear(); }

    // The registration for an extension, with or without its dot, ignoring letter case; null
    // when there is none.
    const TEntry* Find(const std::string& extension) const;
    // A new, empty picture of the class registered for the file's extension; null when none.
    std::unique_ptr<TGraphic> CreateForFile(const std::string& fileName) const;
    // Newest first.
    const std::vector<TEntry>& Entries() const { return FEntries; }

private:
    std::vector<TEntry> FEntries;
};

}  // namespace korvent::graphics
