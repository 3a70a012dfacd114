#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace korvent::pdf {

class TPdfFont;
class TPdfXref;

using TPdfFontFactory = std::function<std::unique_ptr<TPdfFont>(TPdfXref&, std::string name)>;

// Makes the font registered under `name` (the twelve standard and sixteen Japanese fonts are
// registered from the start). Throws EPdfClassNotFound for an unknown name.
std::unique_ptr<TPdfFont> CreatePdfFont(std::string_view name, TPdfXref& xref);
// Adds or replaces a registration.
void RegisterPdfFont(std::string name, TPdfFontFactory factory);

}  // namespace korvent::pdf
