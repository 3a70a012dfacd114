#include "platform/QpdfCombiner.h"

#include <gtest/gtest.h>
#include <qpdf/JSON.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <filesystem>
#include <fstream>

#include "ScratchFolder.h"

namespace korvent::platform {
namespace {

namespace fs = std::filesystem;
using Handle = QPDFObjectHandle;

// Pages are told apart by their width: the PDF's page i is `widths[i]` points wide.
void AddPages(QPDF& pdf, const std::vector<int>& widths) {
    for (int width : widths) {
        Handle page = pdf.makeIndirectObject(Handle::parse(
            "<< /Type /Page /MediaBox [0 0 " + std::to_string(width) + " 50] /Resources << >> >>"));
        page.replaceKey("/Contents", Handle::newStream(&pdf, "0 0 m 10 10 l S"));
        pdf.addPage(page, false);
    }
}

// Gives the PDF an outline: "Part" opens page 2 (explicit destination) and holds "Detail",
// which opens page 1 through a GoTo action.
void AddOutline(QPDF& pdf) {
    const auto& pages = pdf.getAllPages();
    Handle root = pdf.makeIndirectObject(Handle::parse("<< /Type /Outlines /Count 2 >>"));
    Handle part = pdf.makeIndirectObject(Handle::parse("<< /Title (Part) /Count 1 >>"));
    Handle detail = pdf.makeIndirectObject(Handle::parse("<< /Title (Detail) >>"));
    part.replaceKey("/Dest", Handle::newArray({pages.at(1), Handle::newName("/Fit")}));
    detail.replaceKey("/A", Handle::parse("<< /S /GoTo >>"));
    detail.getKey("/A").replaceKey("/D", Handle::newArray({pages.at(0), Handle::newName("/Fit")}));
    root.replaceKey("/First", part);
    root.replaceKey("/Last", part);
    part.replaceKey("/Parent", root);
    part.replaceKey("/First", detail);
    part.replaceKey("/Last", detail);
    detail.replaceKey("/Parent", part);
    pdf.getRoot().replaceKey("/Outlines", root);
}

struct PdfOptions {
    bool outline = false;
    std::string userPassword;  // with `encrypted`: the password that opens it, empty for none
    bool encrypted = false;
};

std::string MakePdf(const ScratchFolder& dir, const std::string& name,
                    const std::vector<int>& widths, const PdfOptions& options = {}) {
    QPDF pdf;
    pdf.emptyPDF();
    AddPages(pdf, widths);
    if (options.outline) {
        AddOutline(pdf);
    }
    const std::string path = dir / name;
    QPDFWriter writer(pdf, path.c_str());
    if (options.encrypted) {
        writer.setR6EncryptionParameters(options.userPassword.c_str(), "owner", true, true, true,
                                         true, true, true, qpdf_r3p_full, true);
    }
    writer.write();
    return path;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The merged file as the tests see it: page widths and the outline.
struct Merged {
    explicit Merged(const std::string& path) {
        pdf.setSuppressWarnings(true);
        pdf.processFile(path.c_str());
        for (Handle page : pdf.getAllPages()) {
            widths.push_back(page.getKey("/MediaBox").getArrayItem(2).getIntValue());
        }
    }
    // Index of the page an outline entry opens, -1 for none.
    int PageOf(QPDFOutlineObjectHelper& item) {
        Handle page = item.getDestPage();
        const auto& pages = pdf.getAllPages();
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (page.isIndirect() && pages[i].getObjGen() == page.getObjGen()) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    QPDF pdf;
    std::vector<int> widths;
};

class QpdfCombinerTest : public ::testing::Test {
protected:
    std::string List(const std::string& bytes) const { return dir.Write("MergeList.txt", bytes); }

    ScratchFolder dir;
    std::string out = dir / "merged.pdf";
    QpdfCombiner combiner;
};

struct ListCase {
    const char* name;
    const char* format;  // %1 and %2 stand for the two paths
};

class ListFileTest : public QpdfCombinerTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(ListFileTest, PagesFollowTheListWhateverItsLineEnds) {
    const std::string a = MakePdf(dir, "a.pdf", {101, 102});
    const std::string b = MakePdf(dir, "b.pdf", {201, 202, 203});
    std::string text = GetParam().format;
    text.replace(text.find("%1"), 2, b);
    text.replace(text.find("%2"), 2, a);

    const CombineResult result = combiner.CombinePDFEx(List(text), out);

    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.pages, 5);
    EXPECT_TRUE(result.skipped.empty());
    EXPECT_EQ(Merged(out).widths, (std::vector<int>{201, 202, 203, 101, 102}));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ListFileTest,
    ::testing::Values(ListCase{"CrLf", "%1\r\n%2\r\n"}, ListCase{"Lf", "%1\n%2\n"},
                      ListCase{"NoFinalLineEnd", "%1\r\n%2"},
                      ListCase{"BomAndEmptyLines", "\xEF\xBB\xBF\r\n%1\r\n\r\n\n%2\r\n\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadInput {
    const char* name;
    std::string (*make)(const ScratchFolder& dir);
};

class UnreadableInputTest : public QpdfCombinerTest,
                            public ::testing::WithParamInterface<BadInput> {};

TEST_P(UnreadableInputTest, IsSkippedAndReportedWhileTheOthersAreMerged) {
    const std::string a = MakePdf(dir, "a.pdf", {101});
    const std::string bad = GetParam().make(dir);
    const std::string b = MakePdf(dir, "b.pdf", {201});

    const CombineResult result = combiner.CombinePDFEx(List(a + "\r\n" + bad + "\r\n" + b), out);

    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.skipped, std::vector<std::string>{bad});
    EXPECT_EQ(result.pages, 2);
    Merged merged(out);
    EXPECT_EQ(merged.widths, (std::vector<int>{101, 201}));
    EXPECT_EQ(QPDFOutlineDocumentHelper(merged.pdf).getTopLevelOutlines().size(), 2u);
}

TEST_P(UnreadableInputTest, AloneWritesNothing) {
    const std::string bad = GetParam().make(dir);

    const CombineResult result = combiner.CombinePDFEx(List(bad + "\r\n"), out);

    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.skipped, std::vector<std::string>{bad});
    EXPECT_FALSE(fs::exists(out));
}

TEST_P(UnreadableInputTest, HasNoPageCount) {
    EXPECT_EQ(combiner.PageCount(GetParam().make(dir)), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnreadableInputTest,
    ::testing::Values(
        BadInput{"Missing", [](const ScratchFolder& d) { return d / "gone.pdf"; }},
        BadInput{"NotAPdf",
                 [](const ScratchFolder& d) { return d.Write("text.pdf", "just some text\n"); }},
        BadInput{"Empty", [](const ScratchFolder& d) { return d.Write("empty.pdf", ""); }},
        BadInput{"Folder",
                 [](const ScratchFolder& d) {
                     fs::create_directory(d / "folder.pdf");
                     return d / "folder.pdf";
                 }},
        BadInput{"NeedsPassword",
                 [](const ScratchFolder& d) {
                     return MakePdf(d, "locked.pdf", {999}, {false, "secret", true});
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QpdfCombinerTest, EncryptedWithoutUserPasswordIsMerged) {
    const std::string locked = MakePdf(dir, "owner-only.pdf", {301, 302}, {false, "", true});

    const CombineResult result = combiner.CombinePDFEx(List(locked), out);

    EXPECT_TRUE(result.written);
    EXPECT_EQ(Merged(out).widths, (std::vector<int>{301, 302}));
}

// A broken cross-reference table is rebuilt by scanning the file line by line.
TEST_F(QpdfCombinerTest, RepairableDamageIsMergedButHasNoPageCount) {
    std::string bytes = ReadBytes(MakePdf(dir, "a.pdf", {101, 102}));
    const std::size_t at = bytes.rfind("startxref\n") + 10;
    bytes.replace(at, bytes.find('\n', at) - at, "17");
    const std::string damaged = dir.Write("damaged.pdf", bytes);

    const CombineResult result = combiner.CombinePDFEx(List(damaged), out);

    EXPECT_TRUE(result.written);
    EXPECT_EQ(Merged(out).widths, (std::vector<int>{101, 102}));
    EXPECT_EQ(combiner.PageCount(damaged), -1);
}

TEST_F(QpdfCombinerTest, EmptyOrMissingListWritesNothing) {
    for (const std::string& list : {List("\r\n\r\n"), dir / "no-list.txt"}) {
        const CombineResult result = combiner.CombinePDFEx(list, out);
        EXPECT_FALSE(result.written);
        EXPECT_TRUE(result.skipped.empty());
        EXPECT_FALSE(fs::exists(out));
    }
}

TEST_F(QpdfCombinerTest, ReplacesAnEarlierOutput) {
    dir.Write("merged.pdf", "old");
    const std::string a = MakePdf(dir, "a.pdf", {101});

    EXPECT_TRUE(combiner.CombinePDFEx(List(a), out).written);
    EXPECT_EQ(Merged(out).widths, std::vector<int>{101});
}

// Even root can write almost anywhere, so the failures come from paths that cannot be files.
TEST_F(QpdfCombinerTest, OutputThatCannotBeWrittenLeavesNothingBehind) {
    const std::string a = MakePdf(dir, "a.pdf", {101});
    const std::string list = List(a);
    dir.Write("file", "x");
    fs::create_directory(dir / "taken.pdf");
    const auto before = std::distance(fs::directory_iterator(dir.Path()), {});

    for (const std::string& target :
         {dir / "missing/merged.pdf", dir / "file/merged.pdf", dir / "taken.pdf"}) {
        const CombineResult result = combiner.CombinePDFEx(list, target);
        EXPECT_FALSE(result.written) << target;
        EXPECT_EQ(result.pages, 0) << target;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), before);
    EXPECT_TRUE(fs::is_directory(dir / "taken.pdf"));
    EXPECT_EQ(ReadBytes(dir / "file"), "x");
}

TEST_F(QpdfCombinerTest, EachSourceHasAnOutlineEntryAtItsFirstPage) {
    const std::string a = MakePdf(dir, "first.pdf", {101, 102});
    const std::string b = MakePdf(dir, "レポート.pdf", {201});

    ASSERT_TRUE(combiner.CombinePDFEx(List(a + "\r\n" + b + "\r\n"), out).written);

    Merged merged(out);
    auto entries = QPDFOutlineDocumentHelper(merged.pdf).getTopLevelOutlines();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].getObjectHandle().getKey("/Title").getStringValue(), "first.pdf");
    EXPECT_EQ(merged.PageOf(entries[0]), 0);
    // Not ASCII: UTF-16BE with its byte-order mark.
    EXPECT_EQ(entries[1].getObjectHandle().getKey("/Title").getStringValue(),
              std::string("\xFE\xFF\x30\xEC\x30\xDD\x30\xFC\x30\xC8\x00.\x00p\x00"
                          "d\x00"
                          "f",
                          18));
    EXPECT_EQ(merged.PageOf(entries[1]), 2);
}

TEST_F(QpdfCombinerTest, SourceOutlinesStayBeneathTheirEntryOnTheCopiedPages) {
    const std::string a = MakePdf(dir, "a.pdf", {101});
    const std::string b = MakePdf(dir, "b.pdf", {201, 202}, {true, "", false});

    ASSERT_TRUE(combiner.CombinePDFEx(List(a + "\r\n" + b + "\r\n"), out).written);

    Merged merged(out);
    auto entries = QPDFOutlineDocumentHelper(merged.pdf).getTopLevelOutlines();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_TRUE(entries[0].getKids().empty());
    auto parts = entries[1].getKids();
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].getTitle(), "Part");
    EXPECT_EQ(merged.PageOf(parts[0]), 2);
    auto details = parts[0].getKids();
    ASSERT_EQ(details.size(), 1u);
    EXPECT_EQ(details[0].getTitle(), "Detail");
    EXPECT_EQ(merged.PageOf(details[0]), 1);
    // "Part" was open in its source and stays so; the source's entry starts closed.
    EXPECT_EQ(parts[0].getCount(), 1);
    EXPECT_EQ(entries[1].getCount(), -2);
}

TEST_F(QpdfCombinerTest, PageCountOfCompleteAndCutFiles) {
    const std::string pdf = MakePdf(dir, "three.pdf", {1, 2, 3});
    const std::string bytes = ReadBytes(pdf);

    EXPECT_EQ(combiner.PageCount(pdf), 3);
    // A writer that has not finished yet: the start of the file only.
    EXPECT_EQ(combiner.PageCount(dir.Write("half.pdf", bytes.substr(0, bytes.size() / 2))), -1);
}

}  // namespace
}  // namespace korvent::platform
