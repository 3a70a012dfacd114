#include "graphics/PictureFormats.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace korvent::graphics {
namespace {

bool SameText(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

TPictureFormats& TPictureFormats::Global() {
    static TPictureFormats formats;
    return formats;
}

void TPictureFormats::Register(const std::string& extension, const std::string& description,
                               const TGraphicClass& graphicClass) {
    FEntries.insert(FEntries.begin(), TEntry{extension, description, &graphicClass});
}

void TPictureFormats::UnregisterClass(const TGraphicClass& graphicClass) {
    std::erase_if(FEntries, [&](const TEntry& e) { return e.GraphicClass == &graphicClass; });
}

const TPictureFormats::TEntry* TPictureFormats::Find(const std::string& extension) const {
    const std::string bare = extension.starts_with('.') ? extension.substr(1) : extension;
    const auto it = std::find_if(FEntries.begin(), FEntries.end(),
                                 [&](const TEntry& e) { return SameText(e.Extension, bare); });
    return it == FEntries.end() ? nullptr : &*it;
}

std::unique_ptr<TGraphic> TPictureFormats::CreateForFile(const std::string& fileName) const {
    const std::string extension = std::filesystem::path(fileName).extension().string();
    const TEntry* entry = extension.empty() ? nullptr : Find(extension);
    return entry ? entry->GraphicClass->Create() : nullptr;
}

}  // namespace korvent::graphics
