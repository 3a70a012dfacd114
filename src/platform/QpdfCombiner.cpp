#include "platform/QpdfCombiner.h"

#include <qpdf/InputSource.hh>
#include <qpdf/JSON.hh>
#include <qpdf/PDFVersion.hh>
#include <qpdf/Pl_OStream.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <system_error>

#include "platform/AtomicFile.h"

namespace korvent::platform {
namespace {

using Handle = QPDFObjectHandle;
using PageMap = std::map<QPDFObjGen, Handle>;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// One line per path; CR LF or LF; blank lines and a byte-order mark that an editor may have
// added are ignored.
std::vector<std::string> ReadListFile(const std::string& listFile) {
    std::ifstream in(listFile, std::ios::binary);
    std::vector<std::string> paths;
    std::string line;
    for (bool first = true; std::getline(in, line); first = false) {
        if (first && line.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0) {
            line.erase(0, kUtf8Bom.size());
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            paths.push_back(line);
        }
    }
    return paths;
}

// One read buffer for all sources of a merge. qpdf reads the sources one after the other
// (parsing, then copying stream data while writing) and seeks constantly within them, so a
// single window answers nearly every read without a system call, keeps memory flat however
// many sources there are, and lets every file stay closed between window fills.
struct ReadWindow {
    static constexpr std::size_t kBytes = 256 * 1024;
    std::vector<char> bytes = std::vector<char>(kBytes);
    std::uint64_t owner = 0;  // id of the source whose bytes are in the window, 0 for none
    qpdf_offset_t start = 0;
    std::size_t length = 0;
    std::uint64_t lastId = 0;
};

[[noreturn]] void ThrowErrno(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

// A PDF file read through the shared window; opened only to fill it.
class WindowedFile final : public InputSource {
public:
    WindowedFile(std::string path, std::shared_ptr<ReadWindow> window)
        : fPath(std::move(path)), fWindow(std::move(window)), fId(++fWindow->lastId) {
        std::error_code ec;
        const bool regular = std::filesystem::is_regular_file(fPath, ec);
        if (!regular) {
            throw std::system_error(ec ? ec : std::make_error_code(std::errc::is_a_directory),
                                    fPath);
        }
        fSize = static_cast<qpdf_offset_t>(std::filesystem::file_size(fPath));
    }

    std::string const& getName() const override { return fPath; }
    qpdf_offset_t tell() override { return fPos; }
    void rewind() override { fPos = 0; }
    void unreadCh(char) override { --fPos; }

    void seek(qpdf_offset_t offset, int whence) override {
        const qpdf_offset_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? fPos : fSize;
        if (base + offset < 0) {
            throw std::runtime_error(fPath + ": seek before the start of the file");
        }
        fPos = base + offset;
    }

    size_t read(char* buffer, size_t length) override {
        last_offset = fPos;
        std::size_t done = 0;
        while (done < length) {
            const std::size_t n = ReadAt(buffer + done, length - done);
            if (n == 0) {
                break;
            }
            done += n;
            fPos += static_cast<qpdf_offset_t>(n);
        }
        return done;
    }

    // Skips to the first byte after the next run of CR and LF; returns where the run began.
    qpdf_offset_t findAndSkipNextEOL() override {
        char ch = 0;
        while (read(&ch, 1) == 1) {
            if (ch == '\r' || ch == '\n') {
                const qpdf_offset_t eol = fPos - 1;
                while (read(&ch, 1) == 1 && (ch == '\r' || ch == '\n')) {
                }
                if (ch != '\r' && ch != '\n') {
                    unreadCh(ch);
                }
                return eol;
            }
        }
        return fPos;
    }

private:
    // Copies what the window holds at the current position, filling it first when needed.
    std::size_t ReadAt(char* buffer, std::size_t length) {
        ReadWindow& w = *fWindow;
        const bool inWindow = w.owner == fId && fPos >= w.start &&
                              fPos < w.start + static_cast<qpdf_offset_t>(w.length);
        if (!inWindow && !Fill()) {
            return 0;
        }
        const std::size_t offset = static_cast<std::size_t>(fPos - w.start);
        const std::size_t n = std::min(length, w.length - offset);
        std::memcpy(buffer, w.bytes.data() + offset, n);
        return n;
    }

    bool Fill() {
        ReadWindow& w = *fWindow;
        std::ifstream in(fPath, std::ios::binary);
        if (!in || !in.seekg(fPos)) {
            ThrowErrno(fPath);
        }
        in.read(w.bytes.data(), static_cast<std::streamsize>(w.bytes.size()));
        const std::streamsize n = in.gcount();
        w.owner = n > 0 ? fId : 0;
        w.start = fPos;
        w.length = static_cast<std::size_t>(n);
        return n > 0;
    }

    std::string fPath;
    std::shared_ptr<ReadWindow> fWindow;
    std::uint64_t fId;
    qpdf_offset_t fSize = 0;
    qpdf_offset_t fPos = 0;
};

// Warnings stay quiet: a damaged input is either repaired or skipped and reported.
std::unique_ptr<QPDF> NewQuietPdf(bool repair) {
    auto pdf = std::make_unique<QPDF>();
    pdf->setSuppressWarnings(true);
    pdf->setAttemptRecovery(repair);
    return pdf;
}

// A PDF text string: plain bytes when ASCII, otherwise UTF-16BE with its byte-order mark.
Handle PdfTextString(const std::string& utf8) {
    const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return Handle::newString(ascii ? utf8 : QUtil::utf8_to_utf16(utf8));
}

// Destination arrays hold the page and then names and numbers; anything else becomes null.
Handle CopyScalar(Handle value) {
    if (value.isInteger()) {
        return Handle::newInteger(value.getIntValue());
    }
    if (value.isReal()) {
        return Handle::newReal(value.getRealValue());
    }
    if (value.isName()) {
        return Handle::newName(value.getName());
    }
    return Handle::newNull();
}

Handle FitDestination(Handle page) {
    return Handle::newArray(
        {page, Handle::newName("/XYZ"), Handle::newNull(), Handle::newNull(), Handle::newNull()});
}

struct OutlineNode {
    Handle title;
    Handle dest;  // null when the entry leads nowhere
    bool open = false;
    std::vector<OutlineNode> kids;
};

// The source's destination rewritten onto the copied page; null when it names no page of it.
Handle CopiedDestination(QPDFOutlineObjectHelper& item, const PageMap& pages) {
    Handle dest = item.getDest();
    if (!dest.isArray() || dest.getArrayNItems() == 0) {
        return Handle::newNull();
    }
    const Handle page = dest.getArrayItem(0);
    const auto copied = page.isIndirect() ? pages.find(page.getObjGen()) : pages.end();
    if (copied == pages.end()) {
        return Handle::newNull();
    }
    Handle result = Handle::newArray({copied->second});
    for (int i = 1; i < dest.getArrayNItems(); ++i) {
        result.appendItem(CopyScalar(dest.getArrayItem(i)));
    }
    return result;
}

std::vector<OutlineNode> CopyOutlines(std::vector<QPDFOutlineObjectHelper> items,
                                      const PageMap& pages) {
    std::vector<OutlineNode> nodes;
    for (auto& item : items) {
        Handle title = item.getObjectHandle().getKey("/Title");
        nodes.push_back({Handle::newString(title.isString() ? title.getStringValue() : ""),
                         CopiedDestination(item, pages), item.getCount() > 0,
                         CopyOutlines(item.getKids(), pages)});
    }
    return nodes;
}

// Writes `nodes` as the children of `parent`; returns how many entries show below `parent`
// when it is open.
int WriteOutlines(QPDF& out, Handle parent, const std::vector<OutlineNode>& nodes) {
    std::vector<Handle> items;
    int shown = 0;
    for (const OutlineNode& node : nodes) {
        Handle item = out.makeIndirectObject(Handle::newDictionary());
        item.replaceKey("/Title", node.title);
        item.replaceKey("/Parent", parent);
        if (Handle dest = node.dest; !dest.isNull()) {
            item.replaceKey("/Dest", dest);
        }
        const int below = WriteOutlines(out, item, node.kids);
        if (below > 0) {
            item.replaceKey("/Count", Handle::newInteger(node.open ? below : -below));
        }
        shown += 1 + (node.open ? below : 0);
        items.push_back(item);
    }
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
        items[i].replaceKey("/Next", items[i + 1]);
        items[i + 1].replaceKey("/Prev", items[i]);
    }
    if (!items.empty()) {
        parent.replaceKey("/First", items.front());
        parent.replaceKey("/Last", items.back());
    }
    return shown;
}

// Builds the merged document source by source. Sources stay open until the document is
// written, because page contents are copied from them only then.
class Merger {
public:
    Merger() : fOut(NewQuietPdf(false)) { fOut->emptyPDF(); }

    // False when the source could not be read; nothing of it is then in the document.
    bool Add(const std::string& path) {
        try {
            auto source = NewQuietPdf(true);
            source->processInputSource(std::make_shared<WindowedFile>(path, fWindow));
            const bool added = CopyPages(*source, path);
            if (added) {
                fSources.push_back(std::move(source));
            }
            return added;
        } catch (const std::exception&) {
            return false;
        }
    }

    int Pages() const { return fPages; }

    bool Write(const std::string& outputPath) {
        Handle outlines = fOut->makeIndirectObject(Handle::newDictionary());
        outlines.replaceKey("/Type", Handle::newName("/Outlines"));
        outlines.replaceKey("/Count", Handle::newInteger(WriteOutlines(*fOut, outlines, fEntries)));
        Handle root = fOut->getRoot();
        root.replaceKey("/Outlines", outlines);
        root.replaceKey("/PageMode", Handle::newName("/UseOutlines"));
        try {
            AtomicFile file(outputPath);
            Pl_OStream sink("merged PDF", file.Stream());
            QPDFWriter writer(*fOut);
            writer.setOutputPipeline(&sink);
            writer.setMinimumPDFVersion(fVersion);
            writer.write();
            file.Commit();
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }

private:
    // Copies every page first and adds them only when all copied, so a source that fails
    // half-way adds no page.
    bool CopyPages(QPDF& source, const std::string& path) {
        source.pushInheritedAttributesToPage();
        PageMap copies;
        std::vector<Handle> pages;
        for (const Handle& page : source.getAllPages()) {
            pages.push_back(fOut->copyForeignObject(page));
            copies.emplace(page.getObjGen(), pages.back());
        }
        if (pages.empty()) {
            return false;
        }
        OutlineNode entry{PdfTextString(std::filesystem::path(path).filename().string()),
                          FitDestination(pages.front()), false, SourceOutlines(source, copies)};
        for (const Handle& page : pages) {
            fOut->addPage(page, false);
        }
        fEntries.push_back(std::move(entry));
        fPages += static_cast<int>(pages.size());
        source.getVersionAsPDFVersion().updateIfGreater(fVersion);
        return true;
    }

    // A damaged outline costs the source its outline, not its pages.
    static std::vector<OutlineNode> SourceOutlines(QPDF& source, const PageMap& copies) {
        try {
            QPDFOutlineDocumentHelper helper(source);
            return CopyOutlines(helper.getTopLevelOutlines(), copies);
        } catch (const std::exception&) {
            return {};
        }
    }

    std::shared_ptr<ReadWindow> fWindow = std::make_shared<ReadWindow>();
    // Declared first so that they outlive the document whose streams still read from them.
    std::vector<std::unique_ptr<QPDF>> fSources;
    std::unique_ptr<QPDF> fOut;
    std::vector<OutlineNode> fEntries;
    PDFVersion fVersion{1, 3};
    int fPages = 0;
};

}  // namespace

CombineResult QpdfCombiner::CombinePDFEx(const std::string& listFile,
                                         const std::string& outputPath) {
    CombineResult result;
    Merger merger;
    for (const std::string& path : ReadListFile(listFile)) {
        if (!merger.Add(path)) {
            result.skipped.push_back(path);
        }
    }
    if (merger.Pages() > 0 && merger.Write(outputPath)) {
        result.written = true;
        result.pages = merger.Pages();
    }
    return result;
}

int QpdfCombiner::PageCount(const std::string& path) {
    try {
        auto pdf = NewQuietPdf(false);
        pdf->processFile(path.c_str());
        return static_cast<int>(pdf->getAllPages().size());
    } catch (const std::exception&) {
        return -1;
    }
}

}  // namespace korvent::platform
