#include "platform/posix/CupsPdfConfig.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <fstream>

namespace korvent::platform {
namespace {

namespace fs = std::filesystem;

struct ConfigCase {
    const char* name;
    const char* deviceUri;
    const char* file;      // the file written, empty for none
    const char* contents;  // its contents
    std::string expected;  // with @HOME@ and @USER@ for the running user's
};

class CupsPdfConfigTest : public ::testing::TestWithParam<ConfigCase> {
protected:
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir = fs::temp_directory_path() / ("korvent-cupspdfconf-" + std::to_string(getpid()));
};

std::string Expand(std::string text, const std::string& home, const std::string& user) {
    for (auto [from, to] : {std::pair{std::string("@HOME@"), home}, {"@USER@", user}}) {
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from)) {
            text.replace(at, from.size(), to);
        }
    }
    return text;
}

TEST_P(CupsPdfConfigTest, OutputFolderForTheJobOwner) {
    const ConfigCase& c = GetParam();
    if (*c.file != '\0') {
        std::ofstream(dir / c.file) << c.contents;
    }
    const passwd* me = getpwuid(geteuid());
    ASSERT_NE(me, nullptr);
    const CupsPdfConfig config(dir, c.deviceUri);
    EXPECT_EQ(config.OutputFolder(me->pw_name).string(),
              Expand(c.expected, me->pw_dir, me->pw_name));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CupsPdfConfigTest,
    ::testing::Values(
        ConfigCase{"HomeForm", "cups-pdf:/", "cups-pdf.conf", "#Out /nowhere\nOut ${HOME}/PDF\n",
                   "@HOME@/PDF"},
        ConfigCase{"UserFormTwiceAndKeyCase", "cups-pdf:/", "cups-pdf.conf",
                   "  out /srv/${USER}/pdf/${USER}\nLabel 2\n", "/srv/@USER@/pdf/@USER@"},
        ConfigCase{"BackendDefaultWithoutFile", "cups-pdf:/", "", "", "/var/spool/cups-pdf/@USER@"},
        // The device names its own file; the shared one is then not read at all.
        ConfigCase{"DeviceOwnFile", "cups-pdf:/Korvent", "cups-pdf-Korvent.conf",
                   "Out /data/pdf out\n", "/data/pdf out"},
        ConfigCase{"DeviceOwnFileMissing", "cups-pdf:/Other", "cups-pdf.conf", "Out /shared\n",
                   "/var/spool/cups-pdf/@USER@"}),
    [](const ::testing::TestParamInfo<ConfigCase>& info) { return info.param.name; });

TEST(CupsPdfConfigOwner, UnknownOwnerHasNoFolder) {
    const CupsPdfConfig config("/nonexistent", "cups-pdf:/");
    EXPECT_TRUE(config.OutputFolder("no-such-user-korvent").empty());
}

}  // namespace
}  // namespace korvent::platform
