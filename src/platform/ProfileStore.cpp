#include "platform/ProfileStore.h"

namespace korvent::platform {

std::string ProfileStore::ReadString(const std::string& file, const std::string& section,
                                     const std::string& ident, const std::string& def) {
    std::string text = Lookup(file, section, ident).value_or(def);
    // Counted in characters and never cut inside one.
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && ++characters > kMaxReadLength) {
            text.resize(i);
            break;
        }
    }
    return text;
}

}  // namespace korvent::platform
