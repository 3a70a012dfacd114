#pragma once

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

namespace korvent::testing {

// A file's bytes with both dates written as "(D:X)".
inline std::string Undated(const std::string& file) {
    return std::regex_replace(file, std::regex(R"(\(D:\d{14}\))"), "(D:X)");
}

// What a one-page picture PDF of our writer holds.
struct ImagePagePdf {
    int pageWidth = 0;
    int pageHeight = 0;
    std::string placement;  // the content stream's "w 0 0 h x y cm" line, without its LF
    std::string jpeg;       // the embedded JPEG data
    int imageWidth = 0;
    int imageHeight = 0;
};

// The whole file, byte for byte, with its dates as Undated() writes them (the cross-reference
// offsets are those of the real file, whose dates are 26 bytes longer in all).
inline std::string ExpectedImagePagePdf(const ImagePagePdf& page) {
    const auto object = [](int number, const std::string& body) {
        return std::to_string(number) + " 0 obj\r\n" + body + "\r\nendobj\r\n";
    };
    const std::string content = "/F0 10 Tf\nq\n" + page.placement + "\n/PRJpegImage1 Do\nQ\n";
    const std::vector<std::string> objects = {
        object(1,
               "<<\r\n/Type /Catalog\r\n/Pages 3 0 R\r\n/PageMode /UseNone\r\n"
               "/PageLayout /SinglePage\r\n>>"),
        object(2,
               "<<\r\n/Producer (Korvent PDF Writer 0.9)\r\n/Author ()\r\n"
               "/CreationDate (D:X)\r\n/Creator ()\r\n/Keywords ()\r\n/Subject ()\r\n"
               "/Title ()\r\n/ModDate (D:X)\r\n>>"),
        object(3, "<<\r\n/Type /Pages\r\n/Kids [4 0 R ]\r\n/Count 1\r\n>>"),
        object(4, "<<\r\n/Type /Page\r\n/Parent 3 0 R\r\n/MediaBox [0 0 " +
                      std::to_string(page.pageWidth) + " " + std::to_string(page.pageHeight) +
                      " ]\r\n/Resources <<\r\n/Font <<\r\n/F0 6 0 R\r\n>>\r\n/XObject <<\r\n"
                      "/PRJpegImage1 7 0 R\r\n>>\r\n/ProcSet [/PDF /Text /ImageC ]\r\n>>\r\n"
                      "/Contents 5 0 R\r\n>>"),
        object(5, "<<\r\n/Length " + std::to_string(content.size()) +
                      "\r\n/Filter []\r\n>>\r\nstream\r\n" + content + "\nendstream"),
        object(6,
               "<<\r\n/Type /Font\r\n/Subtype /Type1\r\n/Encoding /WinAnsiEncoding\r\n"
               "/FirstChar 32\r\n/LastChar 255\r\n/BaseFont /Helvetica\r\n/Name /F0\r\n>>"),
        object(7, "<<\r\n/Length " + std::to_string(page.jpeg.size()) +
                      "\r\n/Filter [/DCTDecode ]\r\n/Type /XObject\r\n/Subtype /Image\r\n"
                      "/ColorSpace /DeviceRGB\r\n/Width " +
                      std::to_string(page.imageWidth) + "\r\n/Height " +
                      std::to_string(page.imageHeight) +
                      "\r\n/BitsPerComponent 8\r\n/Name /PRJpegImage1\r\n>>\r\nstream\r\n" +
                      page.jpeg + "\nendstream"),
    };
    std::string expected = "%PDF-1.2 \r\n";
    std::string xref = "xref\r\n0 8\r\n0000000000 65535 f\r\n";
    std::size_t realOffset = expected.size();
    for (std::size_t i = 0; i < objects.size(); ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n\r\n", realOffset);
        xref += line;
        expected += objects[i];
        realOffset += objects[i].size() + (i == 1 ? 26 : 0);
    }
    return expected + xref +
           "trailer\r\n<<\r\n/Size 8\r\n/Root 1 0 R\r\n/Info 2 0 R\r\n>>\r\nstartxref\r\n" +
           std::to_string(realOffset) + "\r\n%%EOF\r\n";
}

}  // namespace korvent::testing
