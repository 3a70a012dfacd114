#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pdf/RunProgram.h"
#include "platform/ScratchFolder.h"

namespace korvent::cli {
namespace {

namespace fs = std::filesystem;
using korvent::testing::ProgramResult;
using korvent::testing::RunProgram;

constexpr const char* kWriter = "LibreOffice PDF";

// A one-page PDF with a correct cross-reference table.
std::string OnePagePdf() {
    const std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >>"};
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 4\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        const std::string digits = std::to_string(offset);
        pdf += std::string(10 - digits.size(), '0') + digits + " 00000 n \n";
    }
    return pdf + "trailer\n<< /Size 4 /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) +
           "\n%%EOF\n";
}

class KorventPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The trash, the desktop and the registry of the run stay inside the scratch folder.
        fs::create_directories(dir.Path() / "home/Desktop");
        setenv("HOME", (dir / "home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (dir / "home/.config").c_str(), 1);
        setenv("XDG_DATA_HOME", (dir / "home/.local/share").c_str(), 1);
        // Merged files are named "Joined.pdf"; a taken name gets "_new".
        ini = WriteSettings(2);
        a = dir.Write("a.pdf", OnePagePdf());
        b = dir.Write("b.pdf", OnePagePdf());
    }

    // Settings with the given same-name policy.
    std::string WriteSettings(int policy) const {
        return dir.Write("settings.ini",
                         "[OutPut]\nDir=\nMode=0\n[OverWrite]\nMode=" + std::to_string(policy) +
                             "\n[AppendString]\nNew=_new\nOld=_old\n"
                             "[Merge]\nMode=0\nFileName=Joined\n[Option]\nMessage=0\n");
    }

    ProgramResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {KORVENT_CLI_PROGRAM, "--ini", ini});
        return RunProgram(args);
    }

    static int Pages(const std::string& pdf) {
        const ProgramResult r = RunProgram({"qpdf", "--show-npages", pdf});
        return r.exitCode == 0 ? std::stoi(r.output) : -1;
    }

    // Arguments with the fixture's files for their placeholders.
    std::vector<std::string> Expand(std::vector<std::string> args) const {
        const std::vector<std::pair<std::string, std::string>> files = {
            {"A", a}, {"B", b}, {"PNG", png}, {"JPG", jpg}, {"BAD", bad}, {"OUT", out}};
        for (std::string& arg : args) {
            for (const auto& [placeholder, path] : files) {
                arg = arg == placeholder ? path : arg;
            }
        }
        return args;
    }

    // A small picture drawn by Ghostscript in the given output format.
    std::string Picture(const std::string& name, const std::string& device) const {
        const std::string path = dir / name;
        const ProgramResult r =
            RunProgram({"gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=" + device,
                        "-g160x90", "-o", path, "-c",
                        "1 0 0 setrgbcolor 0 0 80 90 rectfill 0 0 1 setrgbcolor 80 0 80 90 "
                        "rectfill showpage"});
        EXPECT_EQ(r.exitCode, 0) << r.output;
        return path;
    }

    platform::ScratchFolder dir;
    std::string ini, a, b;
    // Two pictures, and text posing as a picture.
    std::string png = Picture("red.png", "png16m");
    std::string jpg = Picture("blue.jpg", "jpeg");
    std::string bad = dir.Write("text.png", "this is text, not a picture\n");
    std::string out = dir / "out";
};

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
};

class UsageErrorTest : public KorventPdfTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(UsageErrorTest, ExitsWithTwoAndOneLine) {
    const ProgramResult r = Run(Expand(GetParam().args));
    EXPECT_EQ(r.exitCode, 2) << r.output;
    EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1) << r.output;
    EXPECT_NE(r.output.find("korventpdf: "), std::string::npos) << r.output;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageErrorTest,
    ::testing::Values(UsageCase{"unknown_option", {"--bogus", "A"}},
                      UsageCase{"no_files", {"--merge"}},
                      UsageCase{"value_missing", {"A", "--out"}},
                      UsageCase{"quality_zero", {"--quality", "0", "A"}},
                      UsageCase{"quality_text", {"--quality", "high", "A"}},
                      UsageCase{"margins_too_large", {"--margins", "101", "A"}},
                      UsageCase{"unknown_paper", {"--paper", "A5", "A"}},
                      UsageCase{"unknown_writer", {"--writer", "No Such Writer", "A"}},
                      UsageCase{"missing_settings", {"--ini", "/nonexistent/k.ini", "A"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KorventPdfTest, SingleRunMakesOnePdfPerDocument) {
    const std::string doc = dir.Write("report.txt", "a line of text\n");
    const ProgramResult r = Run({"--writer", kWriter, "--out", out, doc});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(Pages(out + "/report.pdf"), 1);
    EXPECT_NE(r.output.find(out + "/report.pdf"), std::string::npos) << r.output;
}

TEST_F(KorventPdfTest, MergeJoinsThePdfsAndKeepsTheInputs) {
    const ProgramResult r = Run({"--merge", "--writer", kWriter, "--out", out, a, b});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(Pages(out + "/Joined.pdf"), 2);
    EXPECT_TRUE(fs::exists(a) && fs::exists(b));
    EXPECT_EQ(RunProgram({"qpdf", "--check", out + "/Joined.pdf"}).exitCode, 0);
}

TEST_F(KorventPdfTest, DryRunCreatesNothingAndNamesWhatTheRunMakes) {
    fs::create_directory(out);
    dir.Write("out/Joined.pdf", OnePagePdf());  // taken: the policy adds "_new"
    const std::vector<std::string> args = {"--merge", "--writer", kWriter, "--out", out, a, b};
    std::vector<std::string> dry = args;
    dry.insert(dry.begin(), "--dry-run");
    const ProgramResult planned = Run(dry);
    ASSERT_EQ(planned.exitCode, 0) << planned.output;
    EXPECT_NE(planned.output.find(out + "/Joined_new.pdf\n"), std::string::npos) << planned.output;
    EXPECT_FALSE(fs::exists(out + "/Joined_new.pdf"));
    EXPECT_EQ(Run({"--dry-run", "--out", dir / "absent", a}).exitCode, 0);
    EXPECT_FALSE(fs::exists(dir / "absent"));

    ASSERT_EQ(Run(args).exitCode, 0);
    EXPECT_EQ(Pages(out + "/Joined_new.pdf"), 2);
}

struct SameNameCase {
    const char* name;
    int policy;
    std::vector<std::string> planned;  // in the output folder, where x.pdf is already taken
};

class SameNameDryRunTest : public KorventPdfTest,
                           public ::testing::WithParamInterface<SameNameCase> {};

TEST_P(SameNameDryRunTest, PlansWhatTheRunThenWrites) {
    WriteSettings(GetParam().policy);
    fs::create_directories(dir / "one");
    fs::create_directories(dir / "two");
    fs::copy_file(png, dir / "one/x.png");
    fs::copy_file(png, dir / "two/x.png");
    fs::create_directory(out);
    dir.Write("out/x.pdf", OnePagePdf());
    const std::vector<std::string> args = {"--out", out, dir / "one/x.png", dir / "two/x.png"};
    std::vector<std::string> dry = args;
    dry.insert(dry.begin(), "--dry-run");
    std::string expected;
    for (const std::string& name : GetParam().planned) {
        expected += out + "/" + name + "\n";
    }
    const ProgramResult planned = Run(dry);
    EXPECT_EQ(planned.exitCode, 0);
    EXPECT_EQ(planned.output, expected);

    const ProgramResult real = Run(args);
    EXPECT_EQ(real.exitCode, 0) << real.output;
    EXPECT_EQ(real.output, expected);
    for (const std::string& name : GetParam().planned) {
        EXPECT_EQ(Pages(out + "/" + name), 1) << name;
    }
    // Only the file from before is ever moved aside, and only by policy 3.
    EXPECT_EQ(fs::exists(out + "/x_old.pdf"), GetParam().policy == 3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SameNameDryRunTest,
    ::testing::Values(SameNameCase{"overwrite_with_prompt", 0, {"x.pdf", "x_new.pdf"}},
                      SameNameCase{"delete_existing", 1, {"x.pdf", "x_new.pdf"}},
                      SameNameCase{"rename_new", 2, {"x_new.pdf", "x_new_new.pdf"}},
                      SameNameCase{"rename_existing", 3, {"x.pdf", "x_new.pdf"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KorventPdfTest, JsonLinesParse) {
    const ProgramResult r = Run({"--json", "--merge", "--writer", kWriter, "--out", out, a, b});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::string json;
    std::istringstream lines(r.output);
    for (std::string line; std::getline(lines, line);) {
        json += line.starts_with("{") ? line + "\n" : "";
    }
    const std::string file = dir.Write("out.jsonl", json);
    const ProgramResult parsed =
        RunProgram({"python3", "-c",
                    "import json,sys\n"
                    "rows=[json.loads(l) for l in open(sys.argv[1])]\n"
                    "assert rows[0]['merged'].endswith('/Joined.pdf'), rows\n"
                    "assert rows[-1]['summary']['failed']==[], rows",
                    file});
    EXPECT_EQ(parsed.exitCode, 0) << parsed.output << json;
}

struct JsonCase {
    const char* name;
    std::vector<std::string> args;
    int exitCode;
    // Python over the JSON `rows` and `summary`, the fixture's files by their placeholders in
    // lower case, and pages(pdf), which also checks the file.
    const char* check;
};

class JsonRunTest : public KorventPdfTest, public ::testing::WithParamInterface<JsonCase> {};

TEST_P(JsonRunTest, ConvertsPicturesAndReportsEveryPdf) {
    std::vector<std::string> args = Expand(GetParam().args);
    args.insert(args.begin(), {"--json", "--writer", kWriter, "--out", out});
    const ProgramResult r = Run(args);
    EXPECT_EQ(r.exitCode, GetParam().exitCode) << r.output;
    std::string json;
    std::istringstream lines(r.output);
    for (std::string line; std::getline(lines, line);) {
        json += line.starts_with("{") ? line + "\n" : "";
    }
    const ProgramResult parsed = RunProgram(
        {"python3", "-c",
         std::string("import json,subprocess,sys\n"
                     "def pages(p):\n"
                     "  subprocess.run(['qpdf','--check',p],check=True,capture_output=True)\n"
                     "  return int(subprocess.check_output(['qpdf','--show-npages',p]))\n"
                     "rows=[json.loads(l) for l in open(sys.argv[1])]\n"
                     "summary=rows.pop()['summary']\n"
                     "a,png,jpg,bad,out=sys.argv[2:]\n"
                     "assert ") +
             GetParam().check + ", (rows, summary)",
         dir.Write("out.jsonl", json), a, png, jpg, bad, out});
    EXPECT_EQ(parsed.exitCode, 0) << parsed.output << r.output;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonRunTest,
    ::testing::Values(
        JsonCase{"single",
                 {"PNG", "JPG", "A"},
                 0,
                 "rows==[{'file':png,'pdf':out+'/red.pdf','produced':True},"
                 "{'file':jpg,'pdf':out+'/blue.pdf','produced':True},"
                 "{'file':a,'pdf':a,'produced':False}] and pages(out+'/red.pdf')==1 and "
                 "pages(out+'/blue.pdf')==1 and summary=={'files':3,'produced':2,'unchanged':1,"
                 "'merged':None,'failed':[]}"},
        JsonCase{"merge_keeping_singles",
                 {"--merge", "--keep", "PNG", "JPG", "A"},
                 0,
                 "[r.get('pdf') for r in rows]==[out+'/red.pdf',out+'/blue.pdf',None] and "
                 "rows[2]=={'merged':out+'/Joined.pdf'} and pages(out+'/Joined.pdf')==3 and "
                 "summary['produced']==2 and summary['unchanged']==0"},
        JsonCase{
            "unreadable_picture",
            {"BAD", "A"},
            1,
            "rows==[{'file':a,'pdf':a,'produced':False}] and "
            "summary['failed']==[{'file':bad.split('/')[-1],'reason':'ＰＤＦにできませんでした'}]"},
        JsonCase{
            "unreadable_picture_in_a_merge",
            {"--merge", "PNG", "BAD", "A"},
            1,
            "pages(summary['merged'])==2 and summary['failed'][0]['file']==bad.split('/')[-1]"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KorventPdfTest, ProgressGoesToATerminalOnly) {
    const std::vector<std::string> args = {"--out", out, png, a};
    std::vector<std::string> onTerminal = {
        "python3",           "-c",    "import pty,sys; pty.spawn(sys.argv[1:])",
        KORVENT_CLI_PROGRAM, "--ini", ini};
    onTerminal.insert(onTerminal.end(), args.begin(), args.end());
    const ProgramResult shown = RunProgram(onTerminal);
    EXPECT_NE(shown.output.find("1/2 red.png\r\n2/2 a.pdf\r\n"), std::string::npos) << shown.output;
    EXPECT_EQ(Run(args).output.find("1/2"), std::string::npos);
}

TEST_F(KorventPdfTest, MissingFileIsNamedAndTheRestConverted) {
    const ProgramResult r =
        Run({"--merge", "--writer", kWriter, "--out", out, a, dir / "gone.pdf", b});
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("failed: " + dir / "gone.pdf"), std::string::npos) << r.output;
    EXPECT_EQ(Pages(out + "/Joined.pdf"), 2);
}

TEST_F(KorventPdfTest, UnwritableOutputFolderFailsClearlyAndWritesNothing) {
    // The folder cannot be made: its parent is a file (this holds for root too).
    const std::string blocked = dir.Write("blocker", "") + "/out";
    const ProgramResult r = Run({"--merge", "--writer", kWriter, "--out", blocked, a, b});
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_NE(r.output.find("を作成できません"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("no merged file was written"), std::string::npos) << r.output;
    int pdfs = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir.Path())) {
        pdfs += entry.path().extension() == ".pdf" ? 1 : 0;
    }
    EXPECT_EQ(pdfs, 2);  // the inputs only
}

}  // namespace
}  // namespace korvent::cli
