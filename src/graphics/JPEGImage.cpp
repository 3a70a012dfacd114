#include "graphics/JPEGImage.h"

#include "graphics/InvalidGraphic.h"

#include <csetjmp>
#include <cstdio>
#include <istream>
#include <iterator>
#include <ostream>
#include <string>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
// After jpeglib.h, which it builds on.
#include <jerror.h>

namespace korvent::graphics {
namespace {

// libjpeg reports fatal errors through error_exit, which must not return; it jumps back to the
// set-up point of the call, where the error becomes an exception outside the library's frames.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings about damaged data are not errors: the library goes on with what it can decode.
void SilentMessage(j_common_ptr, int) {}

// Compressed output straight into a growing vector.
struct VectorDestination {
    jpeg_destination_mgr pub;
    std::vector<std::uint8_t>* out;
};

void InitDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    dest->pub.next_output_byte = dest->out->data();
    dest->pub.free_in_buffer = dest->out->size();
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    const std::size_t used = dest->out->size();
    bool grown = true;
    try {
        dest->out->resize(used * 2);
    } catch (...) {
        grown = false;
    }
    // Outside the handler: jumping out of a catch block would never finish the exception.
    if (!grown) {
        ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    }
    dest->pub.next_output_byte = dest->out->data() + used;
    dest->pub.free_in_buffer = dest->out->size() - used;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    dest->out->resize(dest->out->size() - dest->pub.free_in_buffer);
}

// Returns an empty string on success, else the library's message. No C++ object with a
// destructor lives in this frame, as the error path leaves it by longjmp.
std::string CompressInto(const TBitmap& bitmap, int quality, std::vector<std::uint8_t>& out) {
    jpeg_compress_struct cinfo;
    ErrorManager error;
    VectorDestination dest;
    cinfo.err = jpeg_std_error(&error.pub);
    error.pub.error_exit = ErrorExit;
    error.pub.emit_message = SilentMessage;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&cinfo);
        return error.message;
    }
    jpeg_create_compress(&cinfo);
    dest.pub.init_destination = InitDestination;
    dest.pub.empty_output_buffer = EmptyOutputBuffer;
    dest.pub.term_destination = TermDestination;
    dest.out = &out;
    cinfo.dest = &dest.pub;

    cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
    cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.dct_method = JDCT_FLOAT;
    // Rows are handed over as stored: blue, green, red.
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(bitmap.ScanLine(static_cast<int>(cinfo.next_scanline)).data());
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return {};
}

struct HeaderInfo {
    JDIMENSION width = 0;
    JDIMENSION height = 0;
};

// Reads the header, and with `into` the whole picture as 24-bit rows. Same frame rule as above.
std::string Decode(std::span<const std::uint8_t> data, HeaderInfo& info, TBitmap* into) {
    jpeg_decompress_struct cinfo;
    ErrorManager error;
    cinfo.err = jpeg_std_error(&error.pub);
    error.pub.error_exit = ErrorExit;
    error.pub.emit_message = SilentMessage;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return error.message;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    info.width = cinfo.image_width;
    info.height = cinfo.image_height;
    if (static_cast<std::uint64_t>(info.width) * info.height > TBitmap::kMaxPixels) {
        jpeg_destroy_decompress(&cinfo);
        return "picture too large";
    }
    if (into != nullptr) {
        cinfo.out_color_space = JCS_EXT_BGR;
        jpeg_start_decompress(&cinfo);
        // The bitmap was sized by the caller from the header read before.
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = into->ScanLine(static_cast<int>(cinfo.output_scanline)).data();
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
    }
    jpeg_destroy_decompress(&cinfo);
    return {};
}

}  // namespace

TJPEGImage::TJPEGImage() = default;
TJPEGImage::TJPEGImage(const TJPEGImage& other) = default;
TJPEGImage& TJPEGImage::operator=(const TJPEGImage& other) = default;
TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::LoadFromStream(std::istream& stream) {
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(stream),
                                    std::istreambuf_iterator<char>()};
    LoadFromMemory(bytes);
}

void TJPEGImage::LoadFromMemory(std::span<const std::uint8_t> data) {
    if (data.empty()) {
        throw EInvalidGraphic("Invalid JPEG: no data");
    }
    HeaderInfo info;
    const std::string failure = Decode(data, info, nullptr);
    if (!failure.empty()) {
        throw EInvalidGraphic("Invalid JPEG: " + failure);
    }
    FData = std::make_shared<const std::vector<std::uint8_t>>(data.begin(), data.end());
    FBitmap.reset();
    FWidth = static_cast<int>(info.width);
    FHeight = static_cast<int>(info.height);
}

void TJPEGImage::SaveToStream(std::ostream& stream) const {
    const std::span<const std::uint8_t> data = Data();
    stream.write(reinterpret_cast<const char*>(data.data()),
                 static_cast<std::streamsize>(data.size()));
    if (!stream) {
        throw EInvalidGraphic("Cannot write the JPEG data to the stream");
    }
}

void TJPEGImage::Assign(const TGraphic& source) {
    if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(&source)) {
        if (jpeg != this) {
            FBitmap = jpeg->FBitmap;
            FData = jpeg->FData;
            FWidth = jpeg->FWidth;
            FHeight = jpeg->FHeight;
            FQuality = jpeg->FQuality;
        }
        return;
    }
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
        TakeBitmap(TBitmap(*bitmap));
        return;
    }
    TGraphic::Assign(source);
}

void TJPEGImage::TakeBitmap(TBitmap&& bitmap) {
    auto taken = std::make_shared<TBitmap>(std::move(bitmap));
    taken->SetPixelFormat(TPixelFormat::Bit24);
    FWidth = taken->Width();
    FHeight = taken->Height();
    FBitmap = std::move(taken);
    FData.reset();
}

void TJPEGImage::ReleaseBitmap() {
    Data();
    FBitmap.reset();
}

bool TJPEGImage::AssignTo(TGraphic& dest) const {
    if (auto* bitmap = dynamic_cast<TBitmap*>(&dest)) {
        *bitmap = ToBitmap();
        return true;
    }
    return false;
}

void TJPEGImage::SetCompressionQuality(int quality) {
    if (quality < 1 || quality > 100) {
        throw EInvalidGraphic("JPEG quality must lie in 1..100, not " + std::to_string(quality));
    }
    FQuality = quality;
}

void TJPEGImage::Compress() {
    if (!FBitmap) {
        return;
    }
    if (FBitmap->Empty()) {
        throw EInvalidGraphic("Cannot compress an empty bitmap");
    }
    auto data = std::make_shared<std::vector<std::uint8_t>>();
    // A first guess of 1.5 bits a pixel: above what photographs need at ordinary qualities,
    // and every byte of it is touched (zeroed) before the encoder runs; higher qualities grow it.
    data->resize(std::max<std::size_t>(4096, FBitmap->Bits().size() / 16));
    const std::string failure = CompressInto(*FBitmap, FQuality, *data);
    if (!failure.empty()) {
        throw EInvalidGraphic("JPEG compression failed: " + failure);
    }
    data->shrink_to_fit();
    FData = std::move(data);
}

std::span<const std::uint8_t> TJPEGImage::Data() const {
    if (!FData && FBitmap) {
        const_cast<TJPEGImage*>(this)->Compress();
    }
    if (!FData) {
        return {};
    }
    return *FData;
}

TBitmap TJPEGImage::ToBitmap() const {
    if (FBitmap) {
        return *FBitmap;
    }
    if (!FData) {
        return TBitmap();
    }
    TBitmap bitmap(FWidth, FHeight, TPixelFormat::Bit24);
    HeaderInfo info;
    const std::string failure = Decode(*FData, info, &bitmap);
    if (!failure.empty()) {
        throw EInvalidGraphic("Invalid JPEG: " + failure);
    }
    return bitmap;
}

}  // namespace korvent::graphics
