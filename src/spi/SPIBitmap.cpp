#include "spi/SPIBitmap.h"

#include <algorithm>
#include <cctype>

#include "graphics/InvalidGraphic.h"
#include "graphics/PictureFormats.h"
#include "platform/ScopeExit.h"
#include "spi/SPIGraphic.h"
#include "spi/SPIs.h"

namespace korvent::spi {
namespace {

using graphics::TBitmap;
using graphics::TGraphic;
using graphics::TProgressStage;

constexpr const char* kCouldNotDecode = "Susie Plugins could not decode";

std::unique_ptr<TGraphic> CreateBitmap() {
    return std::make_unique<TSPIBitmap>();
}

constexpr graphics::TGraphicClass kClass{"TSPIBitmap", &CreateBitmap};

// The unit's start-up and shut-down: plug-in extensions are registered as TSPIBitmap while
// the program runs, and the registrations go when it ends.
struct TUnitRegistration {
    TUnitRegistration() {
        // Made first, so that the registry outlives this object.
        graphics::TPictureFormats::Global();
        TSPIs::SetGraphicClass(&kClass);
    }
    ~TUnitRegistration() {
        graphics::TPictureFormats::Global().UnregisterClass(kClass);
        if (TSPIs::DefaultGraphicClass() == &kClass) {
            TSPIs::SetGraphicClass(nullptr);
        }
    }
};
const TUnitRegistration gUnitRegistration;

bool IsBmpName(const std::filesystem::path& fileName) {
    // The text from the name's last dot on: a name that is all extension (".bmp") has one too.
    const std::string name = fileName.filename().string();
    const std::size_t dot = name.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return extension == ".BMP";
}

}  // namespace

const graphics::TGraphicClass& TSPIBitmap::Class() {
    return kClass;
}

TSPIBitmap::TSPIBitmap() {
    FOnLoadFromStreamWithName = [this](std::istream& Stream, const std::string& FileName) {
        LoadFromStreamWithName(Stream, FileName);
    };
}

TSPIBitmap::~TSPIBitmap() = default;

void TSPIBitmap::TakePicture(TBitmap&& bitmap) {
    // The picture only: this bitmap keeps its own progress handler.
    TProgressEvent handler = OnProgress();
    TBitmap::operator=(std::move(bitmap));
    SetOnProgress(std::move(handler));
}

void TSPIBitmap::ForwardProgress(TGraphic&, TProgressStage stage, std::uint8_t percent, bool redraw,
                                 const graphics::TRect& rect, const std::string& message) {
    // The bitmap reports its own end once the whole load is over.
    if (stage != TProgressStage::Ending) {
        Progress(*this, stage, percent, redraw, rect, message);
    }
}

template <class Loader>
void TSPIBitmap::LoadFirstOf(bool bitmapFirst, Loader load) {
    // The end of the load is reported whether a picture was decoded or not.
    const platform::ScopeExit ending([this] {
        Progress(*this, TProgressStage::Ending, 100, true, {0, 0, Width(), Height()},
                 "Loaded Graphic");
    });
    std::unique_ptr<TGraphic> result;
    for (const bool plain : {bitmapFirst, !bitmapFirst}) {
        std::unique_ptr<TGraphic> graphic;
        if (plain) {
            graphic = std::make_unique<TBitmap>();
        } else {
            graphic = std::make_unique<TSPIGraphic>();
        }
        graphic->SetOnProgress([this](TGraphic& sender, TProgressStage stage, std::uint8_t percent,
                                      bool redraw, const graphics::TRect& rect,
                                      const std::string& text) {
            ForwardProgress(sender, stage, percent, redraw, rect, text);
        });
        if (load(*graphic, plain)) {
            result = std::move(graphic);
            break;
        }
    }
    AssignDecoded(std::move(result));
}

void TSPIBitmap::LoadFromFile(const std::filesystem::path& fileName) {
    LoadFirstOf(IsBmpName(fileName), [&](TGraphic& graphic, bool) {
        try {
            graphic.LoadFromFile(fileName);
            return true;
        } catch (const std::exception&) {
            return false;
        }
    });
}

void TSPIBitmap::LoadFromStream(std::istream& stream) {
    LoadFromStreamWithName(stream, "");
}

void TSPIBitmap::LoadFromStreamWithName(std::istream& Stream, const std::string& FileName) {
    const std::istream::pos_type start = Stream.tellg();
    LoadFirstOf(IsBmpName(FileName), [&](TGraphic& graphic, bool plain) {
        try {
            if (plain) {
                graphic.LoadFromStream(Stream);
            } else {
                static_cast<TSPIGraphic&>(graphic).LoadFromStreamWithName(Stream, FileName);
            }
            return true;
        } catch (const std::exception&) {
            Stream.clear();
            Stream.seekg(start);
            return false;
        }
    });
}

void TSPIBitmap::AssignDecoded(std::unique_ptr<TGraphic> G) {
    if (!G || G->Empty()) {
        throw graphics::EInvalidGraphic(kCouldNotDecode);
    }
    if (auto* decoded = dynamic_cast<TSPIGraphic*>(G.get())) {
        std::vector<graphics::TRgb> palette;
        const bool fourBit = decoded->IsFourBit();
        if (fourBit) {
            palette = decoded->Palette();
        }
        std::unique_ptr<TBitmap> bitmap = decoded->ToBitmap();
        TakePicture(std::move(*bitmap));
        if (fourBit) {
            SetPalette(std::move(palette));
        }
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(G.get())) {
        TakePicture(std::move(*bitmap));
        return;
    }
    // Any other kind of picture through the bitmap's own assignment, into a bitmap of its own
    // first so that this one keeps its progress handler and, on failure, its picture.
    TBitmap picture;
    picture.Assign(*G);
    TakePicture(std::move(picture));
}

void TSPIBitmap::Assign(const TGraphic& Source) {
    if (const auto* decoded = dynamic_cast<const TSPIGraphic*>(&Source)) {
        std::unique_ptr<TBitmap> bitmap = decoded->CopyToBitmap();
        TakePicture(std::move(*bitmap));
        if (decoded->IsFourBit()) {
            SetPalette(decoded->Palette());
        }
        return;
    }
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(&Source)) {
        if (bitmap != this) {
            TakePicture(TBitmap(*bitmap));
        }
        return;
    }
    TBitmap picture;
    picture.Assign(Source);
    TakePicture(std::move(picture));
}

}  // namespace korvent::spi
