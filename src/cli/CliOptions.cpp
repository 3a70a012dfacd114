#include "cli/CliOptions.h"

#include <array>
#include <charconv>
#include <utility>

#include "cli/UsageError.h"

namespace korvent::cli {
namespace {

int NumberIn(const std::string& option, const std::string& text, int min, int max) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < min || value > max) {
        throw UsageError(option + " takes a number from " + std::to_string(min) + " to " +
                         std::to_string(max) + ", not '" + text + "'");
    }
    return value;
}

int PaperPosition(const std::string& text) {
    static const std::array<std::pair<const char*, int>, 5> kPapers{
        {{"A3", 0}, {"A4", 1}, {"B4", 2}, {"B5", 3}, {"image", -1}}};
    for (const auto& [name, position] : kPapers) {
        if (text == name) {
            return position;
        }
    }
    throw UsageError("--paper takes A3, A4, B4, B5 or image, not '" + text + "'");
}

bool SetFlag(CliOptions& o, const std::string& a) {
    const std::array<std::pair<const char*, bool*>, 6> flags{{{"--merge", &o.merge},
                                                              {"--json", &o.json},
                                                              {"--dry-run", &o.dryRun},
                                                              {"--help", &o.help},
                                                              {"--version", &o.version},
                                                              {"--landscape", &o.landscape}}};
    for (const auto& [name, flag] : flags) {
        if (a == name) {
            *flag = true;
            return true;
        }
    }
    if (a == "--keep" || a == "--no-keep") {
        o.keep = a == "--keep";
        return true;
    }
    return false;
}

void SetValue(CliOptions& o, const std::string& a, const std::string& v) {
    if (a == "--ini") {
        o.ini = v;
    } else if (a == "--out") {
        o.out = v;
    } else if (a == "--writer") {
        o.writer = v;
    } else if (a == "--paper") {
        o.paper = PaperPosition(v);
    } else if (a == "--quality") {
        o.quality = NumberIn(a, v, 1, 100);
    } else if (a == "--margins") {
        o.margins = NumberIn(a, v, 0, 100);
    }
}

bool TakesValue(const std::string& a) {
    for (const char* name : {"--ini", "--out", "--writer", "--paper", "--quality", "--margins"}) {
        if (a == name) {
            return true;
        }
    }
    return false;
}

}  // namespace

CliOptions CliOptions::Parse(const std::vector<std::string>& arguments) {
    CliOptions o;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (optionsEnded || a.empty() || a[0] != '-' || a == "-") {
            o.files.push_back(a);
        } else if (a == "--") {
            optionsEnded = true;
        } else if (TakesValue(a)) {
            if (i + 1 == arguments.size()) {
                throw UsageError(a + " needs a value");
            }
            SetValue(o, a, arguments[++i]);
        } else if (!SetFlag(o, a)) {
            throw UsageError("unknown option '" + a + "'");
        }
    }
    if (o.files.empty() && !o.help && !o.version) {
        throw UsageError("no files given");
    }
    return o;
}

}  // namespace korvent::cli
