// korventpdf: turns files into PDFs from the command line, with the window's settings.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/CliRun.h"
#include "cli/UsageError.h"

namespace {

constexpr const char* kUsage =
    R"(usage: korventpdf [options] FILE...          one PDF per file (a single run)
       korventpdf --merge [options] FILE...  a batch run: also one merged PDF

Runs with the settings of the KorventPDF window; options change them for this run only.
  --ini PATH        settings file to use (default: the window's own)
  --out DIR         output folder for this run
  --writer NAME     PDF writer for documents (a name from the window's writer list)
  --quality N       JPEG quality for pictures, 1..100
  --paper A3|A4|B4|B5|image   --landscape   --margins MM
  --keep / --no-keep          keep the single PDFs after merging
  --json            print JSON lines: {"file","pdf","produced"} per PDF the run ends with
                    ("produced": false for a PDF given in a single run, which is its own
                    result), {"merged"} for a merge, and a final {"summary"}
  --dry-run         print the planned output names; convert, create and delete nothing
  --version, --help

Without a user to ask: a missing output folder is made (not with --dry-run), and an output
name that is still taken after the same-name policy is overwritten. Messages of the window
appear on standard error.
Exit status: 0 all converted, 1 some files failed (named on standard error), 2 usage error.
)";

}  // namespace

int main(int argc, char* argv[]) {
    using namespace korvent::cli;
    try {
        CliOptions options = CliOptions::Parse(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (options.version) {
            std::puts("korventpdf " KORVENT_VERSION);
            return 0;
        }
        CliRun run(std::move(options), argv[0]);
        return run.Execute();
    } catch (const UsageError& e) {
        std::fprintf(stderr, "korventpdf: %s (see korventpdf --help)\n", e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korventpdf: %s\n", e.what());
        return 1;
    }
}
