#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <string>

#include "graphics/Bitmap.h"
#include "graphics/GraphicClass.h"

namespace korvent::spi {

using TSPILoadFromStreamWithNameEvent =
    std::function<void(std::istream& Stream, const std::string& FileName)>;

// A bitmap whose file and stream loading falls back to the image plug-ins: a ".bmp" file goes
// to the bitmap reader first, anything else to the plug-ins first. After a load it holds an
// ordinary bitmap; a failed load leaves the previous picture in place. The picture class that
// the plug-in host registers every plug-in extension with.
class TSPIBitmap : public graphics::TBitmap {
public:
    static const graphics::TGraphicClass& Class();

    TSPIBitmap();
    TSPIBitmap(const TSPIBitmap&) = delete;
    TSPIBitmap& operator=(const TSPIBitmap&) = delete;
    ~TSPIBitmap() override;

    // Always this bitmap's own LoadFromStreamWithName; setting it has no effect.
    const TSPILoadFromStreamWithNameEvent& OnLoadFromStreamWithName() const {
        return FOnLoadFromStreamWithName;
    }
    void SetOnLoadFromStreamWithName(const TSPILoadFromStreamWithNameEvent&) {}

    // Takes a TSPIGraphic's picture (keeping that graphic's plug-in memory) or whatever the
    // bitmap class accepts.
    void Assign(const graphics::TGraphic& Source) override;
    // Raise EInvalidGraphic "Susie Plugins could not decode" when neither the bitmap reader nor
    // a plug-in reads the image. The last progress event is always (Ending, 100,
    // "Loaded Graphic").
    void LoadFromFile(const std::filesystem::path& fileName) override;
    // = LoadFromStreamWithName(stream, ""): plug-ins first.
    void LoadFromStream(std::istream& stream) override;

    // Takes the picture of `G` (freed in any case). Raises the error above when G is null or
    // empty.
    virtual void AssignDecoded(std::unique_ptr<graphics::TGraphic> G);
    // The stream's position is restored after each reader that fails.
    virtual void LoadFromStreamWithName(std::istream& Stream, const std::string& FileName);

private:
    template <class Loader>
    void LoadFirstOf(bool bitmapFirst, Loader load);
    void TakePicture(graphics::TBitmap&& bitmap);
    void ForwardProgress(graphics::TGraphic& sender, graphics::TProgressStage stage,
                         std::uint8_t percent, bool redraw, const graphics::TRect& rect,
                         const std::string& message);

    TSPILoadFromStreamWithNameEvent FOnLoadFromStreamWithName;
};

}  // namespace korvent::spi
