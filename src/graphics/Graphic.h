#pragma once

#include "graphics/PixelTypes.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>

namespace korvent::graphics {

enum class TProgressStage { Starting, Running, Ending };

// The abstract picture: something with a size that loads from and saves to a stream. Bitmaps,
// JPEG pictures and plug-in decoded pictures derive from it, so a consumer can take any picture
// and ask for the kind it needs.
class TGraphic {
public:
    using TProgressEvent =
        std::function<void(TGraphic& sender, TProgressStage stage, std::uint8_t percentDone,
                           bool redrawNow, const TRect& rect, const std::string& message)>;

    TGraphic() = default;
    virtual ~TGraphic();

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // Reads from the stream's current position. Throws EInvalidGraphic on bad data.
    virtual void LoadFromStream(std::istream& stream) = 0;
    virtual void SaveToStream(std::ostream& stream) const = 0;
    // Throws EInvalidGraphic when the file cannot be opened or read.
    virtual void LoadFromFile(const std::filesystem::path& fileName);
    // Writes beside the target and renames, so a failure leaves any old file untouched.
    virtual void SaveToFile(const std::filesystem::path& fileName) const;
    // Takes over the picture of `source`. The base asks `source.AssignTo(*this)` and throws
    // EInvalidGraphic when that declines.
    virtual void Assign(const TGraphic& source);
    // Lets a picture fill a picture of another kind (a JPEG picture decoding into a bitmap);
    // returns false when it cannot.
    virtual bool AssignTo(TGraphic& dest) const;

    const TProgressEvent& OnProgress() const { return FOnProgress; }
    void SetOnProgress(TProgressEvent handler) { FOnProgress = std::move(handler); }

protected:
    TGraphic(const TGraphic&) = default;
    TGraphic& operator=(const TGraphic&) = default;
    TGraphic(TGraphic&&) = default;
    TGraphic& operator=(TGraphic&&) = default;

    // Raises OnProgress, if assigned.
    void Progress(TGraphic& sender, TProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                  const TRect& rect, const std::string& message);

private:
    TProgressEvent FOnProgress;
};

}  // namespace korvent::graphics
