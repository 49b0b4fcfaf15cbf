// zerlant-cli: the tools of Zerlant for terminals and clusters.

#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.hpp"

namespace zerlant::cli {

int usageError(const std::string& message) {
    std::fprintf(stderr, "zerlant-cli: %s (try 'zerlant-cli --help')\n", message.c_str());
    return 2;
}

namespace {

struct Command {
    const char* name;
    int (*run)(const Args&);
    const char* summary;
};

constexpr Command kCommands[] = {
    {"extract", runExtract, "tabulate quantities of Gaussian output files (.out, .log)"},
    {"scan", runScan, "tabulate rigid potential-surface scan summaries"},
    {"aim", runAim, "tabulate bond critical points of AIM summary files (.sum)"},
    {"rename", runRename, "rename files by one rule, after a preview"},
    {"substitute", runSubstitute, "replace a block of text in many files"},
    {"bcf", runBcf, "write a Gaussian batch control file (.bcf)"},
    {"normalize", runNormalize, "rewrite output files with CR LF line ends and '|' for '\\'"},
};

void printHelp() {
    std::printf(
        "Usage: zerlant-cli COMMAND [OPTIONS] FILE...\n"
        "       zerlant-cli COMMAND --help\n\n"
        "Commands:\n");
    for (const auto& c : kCommands) std::printf("  %-11s %s\n", c.name, c.summary);
    std::printf(
        "\nOptions:\n"
        "  --help       show this help\n"
        "  --version    show the version\n\n"
        "Exit status: 0 done, 1 some file could not be read or written, 2 usage error.\n");
}

}  // namespace
}  // namespace zerlant::cli

int main(int argc, char** argv) {
    using namespace zerlant::cli;
    if (argc < 2)
        return usageError("no command given");
    std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "help") {
        printHelp();
        return 0;
    }
    if (first == "--version") {
        std::printf("zerlant-cli %s\n", ZERLANT_VERSION);
        return 0;
    }
    Args args(argv + 2, argv + argc);
    for (const auto& c : kCommands)
        if (first == c.name)
            return c.run(args);
    return usageError("unknown command '" + first + "'");
}
