#include "platform/QpdfCombiner.h"

#include <qpdf/ClosedFileInputSource.hh>
#include <qpdf/JSON.hh>
#include <qpdf/PDFVersion.hh>
#include <qpdf/Pl_OStream.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>

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
            auto input = std::make_shared<ClosedFileInputSource>(path.c_str());
            input->stayOpen(true);
            auto source = NewQuietPdf(true);
            source->processInputSource(input);
            const bool added = CopyPages(*source, path);
            // Keeps the descriptor count flat however many sources there are; the file is
            // reopened for the stream data when the output is written.
            input->stayOpen(false);
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
