// ifwebp.spi: WebP images through libwebp (the first frame of an animation), with transparency
// laid over white.

#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "SpiPlugin.h"

namespace korvent::plugins {
namespace {

const char* const kTexts[] = {"00IN", "KorventPDF WebP plug-in 1.0", "*.webp", "WebP file"};

// Rows decoded between two progress reports.
constexpr int kRowsPerStep = 64;

int ResultOf(VP8StatusCode status) {
    switch (status) {
        case VP8_STATUS_OK:
            return SPI_ALL_RIGHT;
        case VP8_STATUS_OUT_OF_MEMORY:
            return SPI_NO_MEMORY;
        case VP8_STATUS_UNSUPPORTED_FEATURE:
            return SPI_NOT_SUPPORT;
        default:
            return SPI_OUT_OF_ORDER;
    }
}

struct TDecoderConfig {
    WebPDecoderConfig config{};
    WebPIDecoder* decoder = nullptr;
    ~TDecoderConfig() {
        if (decoder) {
            WebPIDelete(decoder);
        }
        WebPFreeDecBuffer(&config.output);
    }
};

struct TAnimDecoder {
    WebPAnimDecoder* decoder = nullptr;
    ~TAnimDecoder() {
        if (decoder) {
            WebPAnimDecoderDelete(decoder);
        }
    }
};

void BgraOverWhite(const std::uint8_t* bgra, TDib& dib) {
    for (int y = 0; y < dib.Height(); ++y) {
        const std::uint8_t* in = bgra + static_cast<std::size_t>(y) * dib.Width() * 4;
        std::uint8_t* out = dib.Row(y);
        for (int x = 0; x < dib.Width(); ++x, in += 4, out += 3) {
            out[0] = OverWhite(in[0], in[3]);
            out[1] = OverWhite(in[1], in[3]);
            out[2] = OverWhite(in[2], in[3]);
        }
    }
}

// The first frame of an animation as it shows on the canvas, as the GIF plug-in takes the
// first frame of a GIF.
int DecodeFirstFrame(const TInput& input, const WebPBitstreamFeatures& features, TDib& dib,
                     const TProgress& progress) {
    int result = dib.Create(features.width, features.height, 24);
    if (result != SPI_ALL_RIGHT) {
        return result;
    }
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) {
        return SPI_OTHER_ERROR;
    }
    options.color_mode = MODE_BGRA;
    const WebPData data{input.data, input.size};
    TAnimDecoder anim;
    anim.decoder = WebPAnimDecoderNew(&data, &options);
    if (!anim.decoder) {
        return SPI_OUT_OF_ORDER;
    }
    WebPAnimInfo info;
    std::uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetInfo(anim.decoder, &info) ||
        static_cast<int>(info.canvas_width) != dib.Width() ||
        static_cast<int>(info.canvas_height) != dib.Height() ||
        !WebPAnimDecoderGetNext(anim.decoder, &canvas, &timestamp)) {
        return SPI_OUT_OF_ORDER;
    }
    BgraOverWhite(canvas, dib);
    return progress.Step(1, 1) ? SPI_ABORT : SPI_ALL_RIGHT;
}

}  // namespace

TPluginTexts PluginTexts() {
    return {kTexts, static_cast<int>(std::size(kTexts))};
}

bool HasSignature(const std::uint8_t* head, std::size_t size) {
    return size >= 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WEBP", 4) == 0;
}

int ReadPictureInfo(const TInput& input, SPI_PICTINFO& info) {
    WebPBitstreamFeatures features{};
    const int result = ResultOf(WebPGetFeatures(input.data, input.size, &features));
    if (result != SPI_ALL_RIGHT) {
        return result;
    }
    info.width = features.width;
    info.height = features.height;
    info.colorDepth = features.has_alpha ? 32 : 24;
    return SPI_ALL_RIGHT;
}

int DecodePicture(const TInput& input, TDib& dib, const TProgress& progress) {
    TDecoderConfig holder;
    WebPDecoderConfig& config = holder.config;
    if (!WebPInitDecoderConfig(&config)) {
        return SPI_OTHER_ERROR;
    }
    int result = ResultOf(WebPGetFeatures(input.data, input.size, &config.input));
    if (result != SPI_ALL_RIGHT) {
        return result;
    }
    if (config.input.has_animation) {
        return DecodeFirstFrame(input, config.input, dib, progress);
    }
    result = dib.Create(config.input.width, config.input.height, 24);
    if (result != SPI_ALL_RIGHT) {
        return result;
    }
    const bool alpha = config.input.has_alpha != 0;
    const int width = dib.Width();
    const int height = dib.Height();
    std::vector<std::uint8_t> rgba;
    config.output.is_external_memory = 1;
    if (alpha) {
        rgba.resize(static_cast<std::size_t>(width) * height * 4);
        config.output.colorspace = MODE_BGRA;
        config.output.u.RGBA.rgba = rgba.data();
        config.output.u.RGBA.stride = width * 4;
        config.output.u.RGBA.size = rgba.size();
    } else {
        // Straight into the bitmap: libwebp writes the rows bottom-up when asked to flip.
        config.output.colorspace = MODE_BGR;
        config.options.flip = 1;
        config.output.u.RGBA.rgba = dib.Row(height - 1);
        config.output.u.RGBA.stride = static_cast<int>(dib.Stride());
        config.output.u.RGBA.size = dib.Stride() * static_cast<std::size_t>(height);
    }

    // The incremental decoder is fed in slices so that progress shows while it works.
    holder.decoder = WebPIDecode(nullptr, 0, &config);
    if (!holder.decoder) {
        return SPI_NO_MEMORY;
    }
    const std::size_t slice = std::max<std::size_t>(input.size / 16, 4096);
    int lastRows = 0;
    VP8StatusCode status = VP8_STATUS_SUSPENDED;
    for (std::size_t fed = 0; status == VP8_STATUS_SUSPENDED && fed < input.size;) {
        const std::size_t n = std::min(slice, input.size - fed);
        fed += n;
        status = WebPIUpdate(holder.decoder, input.data, fed);
        int rows = 0;
        WebPIDecGetRGB(holder.decoder, &rows, nullptr, nullptr, nullptr);
        if (rows >= lastRows + kRowsPerStep || status == VP8_STATUS_OK) {
            lastRows = rows;
            if (progress.Step(rows, height)) {
                return SPI_ABORT;
            }
        }
    }
    if (status != VP8_STATUS_OK) {
        return status == VP8_STATUS_SUSPENDED ? SPI_OUT_OF_ORDER : ResultOf(status);
    }
    if (alpha) {
        BgraOverWhite(rgba.data(), dib);
    }
    return SPI_ALL_RIGHT;
}

}  // namespace korvent::plugins
