#include "graphics/Graphic.h"

#include "graphics/InvalidGraphic.h"
#include "platform/AtomicFile.h"

#include <fstream>
#include <system_error>

namespace korvent::graphics {

TGraphic::~TGraphic() = default;

void TGraphic::LoadFromFile(const std::filesystem::path& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        throw EInvalidGraphic("Cannot open file \"" + fileName.string() + "\"");
    }
    LoadFromStream(in);
}

void TGraphic::SaveToFile(const std::filesystem::path& fileName) const {
    try {
        platform::AtomicFile file(fileName);
        SaveToStream(file.Stream());
        file.Commit();
    } catch (const std::system_error& error) {
        throw EInvalidGraphic("Cannot write file \"" + fileName.string() + "\": " + error.what());
    }
}

void TGraphic::Assign(const TGraphic& source) {
    if (source.AssignTo(*this)) {
        return;
    }
    throw EInvalidGraphic("Cannot assign this picture to a picture of another kind");
}

bool TGraphic::AssignTo(TGraphic& dest) const {
    (void)dest;
    return false;
}

void TGraphic::Progress(TGraphic& sender, TProgressStage stage, std::uint8_t percentDone,
                        bool redrawNow, const TRect& rect, const std::string& message) {
    if (FOnProgress) {
        FOnProgress(sender, stage, percentDone, redrawNow, rect, message);
    }
}

}  // namespace korvent::graphics
