// Any file content: reading, editing and writing back never fails, and an ident written is then
// read back as written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/IniDocument.h"
#include "platform/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvent::platform;
    std::string text(reinterpret_cast<const char*>(data), size);
    if (!IsValidUtf8(text)) {
        text = Cp932ToUtf8(text);
    }
    IniDocument doc = IniDocument::Parse(text);
    doc.Read("Driver", "Name");
    doc.Delete("OutPut", "Dir");
    doc.Write("Merge", "FileName", "結合 1");
    const IniDocument again = IniDocument::Parse(doc.Serialize());
    if (again.Read("merge", "filename") != std::optional<std::string>("結合 1")) {
        std::abort();
    }
    return 0;
}
