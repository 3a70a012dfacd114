// Our INI code against Wine's own profile functions: the same operations on two files, and
// after each one the same answers and the same lines.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/IniProfileStore.h"
#include "platform/TemporaryFolder.h"
#include "platform/win32/Utf16.h"

namespace korvent::platform {
namespace {

enum class Op { Write, Delete };

struct Step {
    const char* name;
    Op op;
    std::string section;
    std::string ident;
    std::string value;
};

// What the program asks after every step: present, absent, in other letter case.
struct Probe {
    std::string section;
    std::string ident;
};

const std::string kLong(3000, 'x');

std::vector<Step> Steps() {
    return {
        {"first write creates the file", Op::Write, "Driver", "PDFWriter", "クセロPDF"},
        {"new ident at the end of its section", Op::Write, "Driver", "Printer", "Paper"},
        {"new section at the end of the file", Op::Write, "OutPut", "OutPutDir", "C:\\out"},
        {"existing ident in other letter case", Op::Write, "driver", "PDFWRITER", "CutePDF Writer"},
        {"ident of the first section after a second", Op::Write, "DRIVER", "Delay", "2"},
        {"value longer than a read returns", Op::Write, "Merge", "List", kLong},
        {"empty value", Op::Write, "OutPut", "AppendString", ""},
        {"spaces kept inside the value", Op::Write, "File", "Name", "a  b"},
        {"delete in other letter case", Op::Delete, "output", "outputdir", ""},
        {"delete of what is not there", Op::Delete, "Driver", "Missing", ""},
        {"delete in a missing section", Op::Delete, "Nowhere", "Delay", ""},
        {"write after a delete", Op::Write, "OutPut", "OutPutDir", "D:\\pdf"},
    };
}

std::vector<Probe> Probes() {
    return {{"Driver", "PDFWriter"}, {"DRIVER", "pdfwriter"}, {"Driver", "Printer"},
            {"Driver", "Delay"},     {"OutPut", "OutPutDir"}, {"OutPut", "AppendString"},
            {"Merge", "List"},       {"File", "Name"},        {"Driver", "Missing"},
            {"Nowhere", "Delay"}};
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The file's sections and ident lines in order, without line ends and blank lines (Wine and
// we separate sections differently; neither is read back).
std::vector<std::string> Lines(const std::filesystem::path& file) {
    std::istringstream in(ReadBytes(file));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

class WineProfile {
public:
    explicit WineProfile(std::filesystem::path file) : fFile(std::move(file)) {}

    void Apply(const Step& step) {
        const std::wstring section = ToUtf16(step.section);
        const std::wstring ident = ToUtf16(step.ident);
        const std::wstring value = ToUtf16(step.value);
        WritePrivateProfileStringW(section.c_str(), ident.c_str(),
                                   step.op == Op::Write ? value.c_str() : nullptr, fFile.c_str());
    }

    std::string Read(const Probe& probe) {
        std::wstring buffer(2048, L'\0');
        const DWORD n =
            GetPrivateProfileStringW(ToUtf16(probe.section).c_str(), ToUtf16(probe.ident).c_str(),
                                     L"(default)", buffer.data(), 2048, fFile.c_str());
        buffer.resize(n);
        return FromUtf16(buffer);
    }

private:
    std::filesystem::path fFile;
};

class ProfileComparisonTest : public testing::Test {
protected:
    TemporaryFolder fFolder{"korvent-ini"};
    std::filesystem::path fOurs = fFolder.Path() / "ours.ini";
    std::filesystem::path fWines = fFolder.Path() / "wine.ini";
    IniProfileStore fStore;
    WineProfile fWine{fWines};

    void Apply(const Step& step) {
        if (step.op == Op::Write) {
            ASSERT_TRUE(fStore.WriteString(fOurs.string(), step.section, step.ident, step.value));
        } else {
            ASSERT_TRUE(fStore.DeleteIdent(fOurs.string(), step.section, step.ident));
        }
        fWine.Apply(step);
    }
};

TEST_F(ProfileComparisonTest, EveryStepReadsAndLooksTheSame) {
    for (const Step& step : Steps()) {
        SCOPED_TRACE(step.name);
        Apply(step);
        for (const Probe& probe : Probes()) {
            SCOPED_TRACE("[" + probe.section + "] " + probe.ident);
            EXPECT_EQ(fStore.ReadString(fOurs.string(), probe.section, probe.ident, "(default)"),
                      fWine.Read(probe));
        }
        // Wine writes its cached file when it is asked for another one or flushed.
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, fWines.c_str());
        EXPECT_EQ(Lines(fOurs), Lines(fWines));
    }
}

TEST_F(ProfileComparisonTest, ReadsStopAt2047Characters) {
    Apply({"long", Op::Write, "Merge", "List", kLong});
    const Probe probe{"Merge", "List"};
    EXPECT_EQ(fWine.Read(probe).size(), ProfileStore::kMaxReadLength);
    EXPECT_EQ(fStore.ReadString(fOurs.string(), "Merge", "List", "").size(),
              ProfileStore::kMaxReadLength);
}

TEST_F(ProfileComparisonTest, MissingFileGivesTheDefault) {
    const Probe probe{"Driver", "PDFWriter"};
    EXPECT_EQ(fWine.Read(probe), "(default)");
    EXPECT_EQ(fStore.ReadString(fOurs.string(), "Driver", "PDFWriter", "(default)"), "(default)");
    EXPECT_FALSE(std::filesystem::exists(fOurs));
}

}  // namespace
}  // namespace korvent::platform
