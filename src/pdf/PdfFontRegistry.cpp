#include "pdf/PdfFontRegistry.h"

#include "pdf/PdfClassNotFound.h"
#include "pdf/PdfJpFonts.h"
#include "pdf/PdfStandardFont.h"

#include <map>
#include <utility>

namespace korvent::pdf {
namespace {

template <class T>
TPdfFontFactory Factory() {
    return [](TPdfXref& xref, std::string name) -> std::unique_ptr<TPdfFont> {
        return std::make_unique<T>(xref, std::move(name));
    };
}

template <int... I>
void AddJpFonts(std::map<std::string, TPdfFontFactory, std::less<>>& map,
                std::integer_sequence<int, I...>) {
    (map.emplace(kJpFontStyles[I].name, Factory<TPdfJpStyledFont<I>>()), ...);
}

template <int... I>
void AddStandardFonts(std::map<std::string, TPdfFontFactory, std::less<>>& map,
                      std::integer_sequence<int, I...>) {
    (map.emplace(kStandardFonts[I].registeredName,
                 Factory<TPdfStandardFont<static_cast<TStandardFontId>(I)>>()),
     ...);
}

std::map<std::string, TPdfFontFactory, std::less<>>& Registry() {
    static std::map<std::string, TPdfFontFactory, std::less<>> registry = [] {
        std::map<std::string, TPdfFontFactory, std::less<>> map;
        AddStandardFonts(map, std::make_integer_sequence<int, 12>());
        AddJpFonts(map, std::make_integer_sequence<int, 16>());
        return map;
    }();
    return registry;
}

}  // namespace

std::unique_ptr<TPdfFont> CreatePdfFont(std::string_view name, TPdfXref& xref) {
    auto& registry = Registry();
    const auto it = registry.find(name);
    if (it == registry.end()) {
        throw EPdfClassNotFound("Class " + std::string(name) + " not found");
    }
    return it->second(xref, std::string(name));
}

void RegisterPdfFont(std::string name, TPdfFontFactory factory) {
    Registry().insert_or_assign(std::move(name), std::move(factory));
}

}  // namespace korvent::pdf
