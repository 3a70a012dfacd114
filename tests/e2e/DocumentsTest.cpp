// Documents of every kind through the real programs and the real writers: a private CUPS
// scheduler with a cups-pdf queue and LibreOffice with a private profile, both started here.
// Every road registers the same inputs and checks each PDF it makes as a reader would.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "pdf/RunProgram.h"
#include "platform/ScratchFolder.h"
#include "writers/PdfQueueServer.h"
#include "writers/WriterTestSupport.h"

namespace korvent::e2e {
namespace {

namespace fs = std::filesystem;
using korvent::testing::ProgramResult;
using korvent::testing::RunProgram;
using writers::testing::PdfQueueServer;

constexpr const char* kLibreOffice = "LibreOffice PDF";
constexpr const char* kPaperPrinter = "Paper";

// One input: written as `source` (an extension and its content), then made into `name` by
// LibreOffice or Ghostscript where the extensions differ.
struct Input {
    std::string name;
    std::string sourceExtension;
    std::string content;
    int pages;
    std::string text;  // what pdftotext must find in LibreOffice's PDF; empty: nothing
};

std::string FlatOdp(const std::vector<std::string>& slides) {
    std::string pages;
    for (const std::string& slide : slides) {
        pages += R"(<draw:page draw:name=")" + slide +
                 R"("><draw:frame svg:x="2cm" svg:y="2cm" svg:width="20cm" svg:height="3cm">)"
                 "<draw:text-box><text:p>" +
                 slide + "</text:p></draw:text-box></draw:frame></draw:page>";
    }
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" office:version="1.2"
 office:mimetype="application/vnd.oasis.opendocument.presentation">
<office:body><office:presentation>)" +
           pages + "</office:presentation></office:body></office:document>\n";
}

const std::vector<Input> kInputs = {
    {"報告書.docx", ".fodt", writers::testing::FlatOdt("ワード形式の報告書"), 1,
     "ワード形式の報告書"},
    {"議事録.odt", ".fodt", writers::testing::FlatOdt("オープン文書の議事録"), 1,
     "オープン文書の議事録"},
    {"集計.xlsx", ".csv", "item,count\napple,3\npear,5\n", 1, ""},
    {"発表.pptx", ".fodp", FlatOdp({"一枚目", "二枚目"}), 2, ""},
    {"メモ.txt", ".txt", "テキストのメモ\nsecond line\n", 1, "テキストのメモ"},
    {"絵.png", ".ps", "1 0 0 setrgbcolor 0 0 200 200 rectfill showpage", 1, ""},
    {"既存.pdf", ".ps", "showpage", 1, ""},
};

// One way through the programs.
struct Road {
    const char* name;
    bool window;  // the window program under Xvfb with the auto-run setting, else korventpdf
    bool merge;
    bool queue;  // the cups-pdf queue, else LibreOffice
};

// A PDF the road must leave and what it holds.
struct Expected {
    fs::path pdf;
    int pages;
    std::vector<std::string> texts;
};

class DocumentsTest : public ::testing::TestWithParam<Road> {
public:
    static void SetUpTestSuite() {
        if (!writers::testing::Installed("soffice")) {
            skipReason = "LibreOffice (soffice) is not installed";
            return;
        }
        skipReason = server.Start();
        if (!skipReason.empty()) {
            return;
        }
        setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (work / "data").c_str(), 1);
        // The default printer makes paper, as on most desktops; every run must leave it so.
        server.Cups().Tool(
            {"lpadmin", "-p", kPaperPrinter, "-E", "-v", "file:/dev/null", "-m", "raw"});
        server.Cups().Tool({"lpadmin", "-d", kPaperPrinter});
        fs::create_directories(work.Path() / "docs");
        fs::create_directories(fs::path(getenv("HOME")) / "Desktop");
        for (const Input& input : kInputs) {
            MakeInput(input);
        }
    }
    static void TearDownTestSuite() { server.Stop(); }

protected:
    void SetUp() override {
        if (!skipReason.empty()) {
            GTEST_SKIP() << skipReason;
        }
        if (GetParam().window && !writers::testing::Installed("xvfb-run")) {
            GTEST_SKIP() << "xvfb-run is not installed";
        }
        for (const Input& input : kInputs) {
            ASSERT_TRUE(fs::exists(Doc(input.name))) << "the input " << input.name;
        }
    }

    static fs::path Doc(const std::string& name) { return work.Path() / "docs" / name; }

    static void MakeInput(const Input& input) {
        const fs::path target = Doc(input.name);
        const std::string extension = target.extension().string();
        if (input.sourceExtension == extension) {
            writers::testing::WriteFile(target, input.content);
            return;
        }
        const fs::path source = work.Path() / ("source" + input.sourceExtension);
        writers::testing::WriteFile(source, input.content);
        if (input.sourceExtension == ".ps") {
            const std::string device = extension == ".png" ? "png16m" : "pdfwrite";
            RunProgram(
                {"gs", "-q", "-sDEVICE=" + device, "-r30", "-o", target.string(), source.string()});
            return;
        }
        RunProgram({"soffice", "--headless",
                    "-env:UserInstallation=file://" + (work.Path() / "profile").string(),
                    "--convert-to", extension.substr(1), "--outdir", work.Path().string(),
                    source.string()});
        std::error_code ec;
        fs::rename(work.Path() / ("source" + extension), target, ec);
    }

    static std::vector<std::string> DocArguments() {
        std::vector<std::string> paths;
        for (const Input& input : kInputs) {
            paths.push_back(Doc(input.name).string());
        }
        return paths;
    }

    static std::string WriterName(const Road& road) { return road.queue ? kQueue : kLibreOffice; }

    static ProgramResult RunCli(const Road& road, const fs::path& out) {
        const std::string ini = work / (std::string(road.name) + ".ini");
        writers::testing::WriteFile(ini,
                                    "[OutPut]\nDir=\nMode=0\n[OverWrite]\nMode=2\n"
                                    "[Merge]\nMode=0\nFileName=Joined\n[Option]\nMessage=0\n");
        std::vector<std::string> args = {KORVENT_CLI_PROGRAM, "--ini", ini,         "--writer",
                                         WriterName(road),    "--out", out.string()};
        if (road.merge) {
            args.push_back("--merge");
        }
        const std::vector<std::string> docs = DocArguments();
        args.insert(args.end(), docs.begin(), docs.end());
        return RunProgram(args);
    }

    // The window keeps its settings beside itself, so it runs from a folder of its own.
    static ProgramResult RunWindow(const Road& road, const fs::path& out) {
        const fs::path app = work.Path() / road.name / "app";
        fs::create_directories(app);
        fs::create_directories(out);
        const fs::path built = KORVENT_WINDOW_PROGRAM;
        fs::copy_file(built, app / built.filename());
        for (const fs::directory_entry& e : fs::directory_iterator(built.parent_path())) {
            if (e.path().extension() == ".spi") {
                fs::copy_file(e.path(), app / e.path().filename());
            }
        }
        writers::testing::WriteFile(
            app / "KorventPDF.ini",
            "[OutPut]\nDir=" + out.string() +
                "\nMode=1\n[Option]\nD&D=1\nMessage=0\n[Driver]\nName=" + WriterName(road) + "\n");
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        std::vector<std::string> args = {"timeout",
                                         "180",
                                         "xvfb-run",
                                         "-a",
                                         "-s",
                                         "-screen 0 1024x768x24",
                                         (app / built.filename()).string()};
        const std::vector<std::string> docs = DocArguments();
        args.insert(args.end(), docs.begin(), docs.end());
        return RunProgram(args);
    }

    static std::vector<Expected> ExpectedPdfs(const Road& road, const fs::path& out) {
        Expected merged{out / "Joined.pdf", 0, {}};
        std::vector<Expected> single;
        for (const Input& input : kInputs) {
            std::vector<std::string> texts;
            if (!road.queue && !input.text.empty()) {
                texts.push_back(input.text);
            }
            merged.pages += input.pages;
            merged.texts.insert(merged.texts.end(), texts.begin(), texts.end());
            // A given PDF is taken as it is: a single run writes nothing for it.
            if (fs::path(input.name).extension() != ".pdf") {
                single.push_back(
                    {out / fs::path(input.name).replace_extension(".pdf"), input.pages, texts});
            }
        }
        return road.merge ? std::vector<Expected>{merged} : single;
    }

    static std::string DefaultPrinter() { return server.Cups().Tool({"lpstat", "-d"}).output; }

    static inline const std::string kQueue = "KorventDocs" + std::to_string(getpid());
    static inline PdfQueueServer server{kQueue};
    static inline std::string skipReason;
    static inline platform::ScratchFolder work;
};

TEST_P(DocumentsTest, EveryPdfIsSoundAndComplete) {
    const Road& road = GetParam();
    const std::string printerBefore = DefaultPrinter();
    const fs::path out = work.Path() / road.name / "out";
    fs::create_directories(out.parent_path());
    const ProgramResult r = road.window ? RunWindow(road, out) : RunCli(road, out);
    ASSERT_EQ(r.exitCode, 0) << r.output << server.Log();
    for (const Expected& e : ExpectedPdfs(road, out)) {
        ASSERT_TRUE(fs::exists(e.pdf)) << e.pdf << "\n" << r.output;
        EXPECT_TRUE(writers::testing::PdfSound(e.pdf)) << e.pdf;
        EXPECT_TRUE(writers::testing::PdfRenders(e.pdf, out / "pages")) << e.pdf;
        EXPECT_EQ(writers::testing::PdfPages(e.pdf), e.pages) << e.pdf;
        const std::string text = writers::testing::PdfText(e.pdf);
        for (const std::string& expected : e.texts) {
            EXPECT_NE(text.find(expected), std::string::npos) << e.pdf << " lacks " << expected;
        }
    }
    EXPECT_FALSE(fs::exists(out / "既存.pdf")) << "a given PDF was copied";
    EXPECT_EQ(DefaultPrinter(), printerBefore);
}

INSTANTIATE_TEST_SUITE_P(Roads, DocumentsTest,
                         ::testing::Values(Road{"WindowThroughTheQueue", true, false, true},
                                           Road{"CliThroughLibreOffice", false, false, false},
                                           Road{"CliMergedThroughLibreOffice", false, true, false}),
                         [](const ::testing::TestParamInfo<Road>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace korvent::e2e
