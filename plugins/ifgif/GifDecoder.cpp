// ifgif.spi: GIF images through giflib; the first frame, on its logical screen.

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "SpiPlugin.h"

namespace korvent::plugins {
namespace {

const char* const kTexts[] = {"00IN", "KorventPDF GIF plug-in 1.0", "*.gif", "GIF file"};

struct TReader {
    const TInput* input;
    std::size_t position;
};

int ReadBytes(GifFileType* gif, GifByteType* out, int count) {
    auto* reader = static_cast<TReader*>(gif->UserData);
    const std::size_t left = reader->input->size - reader->position;
    const std::size_t n = std::min(static_cast<std::size_t>(std::max(count, 0)), left);
    std::memcpy(out, reader->input->data + reader->position, n);
    reader->position += n;
    return static_cast<int>(n);
}

struct TCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using TGifFile = std::unique_ptr<GifFileType, TCloser>;

TGifFile Open(TReader& reader) {
    int error = 0;
    return TGifFile(DGifOpen(&reader, ReadBytes, &error));
}

// Reads records up to the first image descriptor, noting the transparent index of the graphic
// control extension in front of it (-1 when none). False when the file ends or breaks first.
bool SeekFirstImage(GifFileType* gif, int& transparent) {
    transparent = -1;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
            return false;
        }
        if (type == IMAGE_DESC_RECORD_TYPE) {
            return DGifGetImageDesc(gif) != GIF_ERROR;
        }
        if (type != EXTENSION_RECORD_TYPE) {
            return false;
        }
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
            return false;
        }
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
            transparent = (block[1] & 1) ? block[4] : -1;
        }
        while (block) {
            if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
                return false;
            }
        }
    }
}

}  // namespace

TPluginTexts PluginTexts() {
    return {kTexts, static_cast<int>(std::size(kTexts))};
}

bool HasSignature(const std::uint8_t* head, std::size_t size) {
    return size >= 6 &&
           (std::memcmp(head, "GIF87a", 6) == 0 || std::memcmp(head, "GIF89a", 6) == 0);
}

int ReadPictureInfo(const TInput& input, SPI_PICTINFO& info) {
    TReader reader{&input, 0};
    const TGifFile gif = Open(reader);
    if (!gif) {
        return SPI_OUT_OF_ORDER;
    }
    info.width = gif->SWidth;
    info.height = gif->SHeight;
    // A zero screen: the picture is the first frame's extent, as GetPicture makes it.
    if (gif->SWidth <= 0 || gif->SHeight <= 0) {
        int transparent = -1;
        if (!SeekFirstImage(gif.get(), transparent)) {
            return SPI_OUT_OF_ORDER;
        }
        if (gif->SWidth <= 0) {
            info.width = gif->Image.Left + gif->Image.Width;
        }
        if (gif->SHeight <= 0) {
            info.height = gif->Image.Top + gif->Image.Height;
        }
    }
    info.colorDepth = 8;
    return SPI_ALL_RIGHT;
}

int DecodePicture(const TInput& input, TDib& dib, const TProgress& progress) {
    TReader reader{&input, 0};
    const TGifFile gif = Open(reader);
    if (!gif) {
        return SPI_OUT_OF_ORDER;
    }
    int transparent = -1;
    if (!SeekFirstImage(gif.get(), transparent)) {
        return SPI_OUT_OF_ORDER;
    }
    const GifImageDesc& frame = gif->Image;
    if (frame.Width <= 0 || frame.Height <= 0) {
        return SPI_OUT_OF_ORDER;
    }
    // The logical screen is the picture; a file with a zero screen gets the frame's extent.
    const int width = gif->SWidth > 0 ? gif->SWidth : frame.Left + frame.Width;
    const int height = gif->SHeight > 0 ? gif->SHeight : frame.Top + frame.Height;

    std::vector<GifColorType> colors;
    if (const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap) {
        colors.assign(map->Colors, map->Colors + std::clamp(map->ColorCount, 0, 256));
    } else {
        for (int i = 0; i < 256; ++i) {
            const auto v = static_cast<GifByteType>(i);
            colors.push_back({v, v, v});
        }
    }
    // A transparent index beyond the table still marks pixels: the table grows to hold it.
    if (transparent >= static_cast<int>(colors.size())) {
        colors.resize(static_cast<std::size_t>(transparent) + 1, GifColorType{0, 0, 0});
    }
    const int count = static_cast<int>(colors.size());
    const bool covers = frame.Left <= 0 && frame.Top <= 0 && frame.Left + frame.Width >= width &&
                        frame.Top + frame.Height >= height;
    // Transparent pixels and the screen around the frame show white.
    int fill = std::clamp(gif->SBackGroundColor, 0, std::max(count - 1, 0));
    if (transparent >= 0 && transparent < count) {
        colors[transparent] = {255, 255, 255};
        fill = transparent;
    } else if (!covers) {
        const auto white = std::find_if(colors.begin(), colors.end(), [](const GifColorType& c) {
            return c.Red == 255 && c.Green == 255 && c.Blue == 255;
        });
        if (white != colors.end()) {
            fill = static_cast<int>(white - colors.begin());
        } else if (count < 256) {
            colors.push_back({255, 255, 255});
            fill = count;
        }
    }

    // The code size of the image data, not the table, bounds the indexes: a damaged file
    // points past a short table, so every byte value gets an entry (black beyond the table).
    colors.resize(256, GifColorType{0, 0, 0});
    int result = dib.Create(width, height, 8, static_cast<int>(colors.size()));
    if (result != SPI_ALL_RIGHT) {
        return result;
    }
    for (std::size_t i = 0; i < colors.size(); ++i) {
        dib.SetColor(static_cast<int>(i), colors[i].Red, colors[i].Green, colors[i].Blue);
    }
    if (!covers) {
        for (int y = 0; y < height; ++y) {
            std::memset(dib.Row(y), fill, static_cast<std::size_t>(width));
        }
    }

    std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
    static constexpr int kPassStart[] = {0, 4, 2, 1};
    static constexpr int kPassStep[] = {8, 8, 4, 2};
    int pass = 0;
    int row = 0;
    for (int i = 0; i < frame.Height; ++i) {
        if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR) {
            return SPI_OUT_OF_ORDER;
        }
        int y = i;
        if (frame.Interlace) {
            while (row >= frame.Height && pass < 3) {
                ++pass;
                row = kPassStart[pass];
            }
            y = row;
            row += kPassStep[pass];
        }
        const int top = frame.Top + y;
        if (top >= 0 && top < height) {
            const int from = std::max(0, -frame.Left);
            const int to = std::min(frame.Width, width - frame.Left);
            std::uint8_t* out = dib.Row(top);
            // The transparent entry of the palette is white already.
            for (int x = from; x < to; ++x) {
                out[frame.Left + x] = line[x];
            }
        }
        if (progress.Step(i + 1, frame.Height)) {
            return SPI_ABORT;
        }
    }
    return SPI_ALL_RIGHT;
}

}  // namespace korvent::plugins
