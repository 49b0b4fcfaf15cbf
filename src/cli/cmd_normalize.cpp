// zerlant-cli normalize: rewrites output files in the normalised form (CR LF
// line ends, '|' for '\', one CR LF appended), on the user's explicit request.

#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.hpp"
#include "cli/fileargs.hpp"
#include "core/files/filetext.hpp"
#include "core/files/paths.hpp"

namespace zerlant::cli {

namespace {

struct NormalizeCommand {
    bool keepBackup = false;
    FileArguments input;
};

int runNormalize(NormalizeCommand& command);

}  // namespace

RunCommand addNormalize(CLI::App& program) {
    auto command = std::make_shared<NormalizeCommand>();
    CLI::App& app = *program.add_subcommand(
        "normalize", "rewrite output files with CR LF line ends and '|' for '\\'");
    app.add_flag("--keep-backup", command->keepBackup,
                 "keep the previous content as NAME.bak beside\n"
                 "each file (NAME: the file name without its\n"
                 "extension); when that name is taken, NAME.1.bak,\n"
                 "NAME.2.bak, ...: no file is ever replaced");
    addFileArguments(app, command->input);
    app.footer(
        "Rewrites each FILE with CR LF line ends, every '\\' turned into '|', and\n"
        "one CR LF appended.  Each file is replaced in one step once its new text is\n"
        "complete; it keeps its mode, owner, group and hard links.  A read-only\n"
        "file is left as it is.  The reading tools never need this.\n\n" ZERLANT_EXIT_STATUS_HELP);
    return [command] { return runNormalize(*command); };
}

namespace {

int runNormalize(NormalizeCommand& command) {
    if (auto stop = collectFiles("normalize", command.input))
        return *stop;
    const bool keepBackup = command.keepBackup;
    const std::vector<std::string>& files = command.input.files;

    int status = 0;
    // The same file named twice (or through two names) is normalised once:
    // every run appends a CR LF.
    std::set<std::pair<dev_t, ino_t>> done;
    for (const auto& file : files) {
        struct stat st {};
        if (::stat(file.c_str(), &st) == 0 && !done.insert({st.st_dev, st.st_ino}).second)
            continue;
        std::string backup;
        if (Status s = normalizararchivo(file, keepBackup, &backup); !s) {
            std::fprintf(stderr, "zerlant-cli: normalize: %s\n", s.error().describe().c_str());
            status = 1;
            continue;
        }
        if (!backup.empty() &&
            nombredearchivo(backup, true) != nombredearchivo(file, false) + ".bak")
            std::fprintf(stderr, "zerlant-cli: normalize: %s: backup kept as %s\n", file.c_str(),
                         backup.c_str());
        if (::stat(file.c_str(), &st) == 0) {
            done.insert({st.st_dev, st.st_ino});  // the rewritten file is a new one
        }
    }
    return status;
}

}  // namespace
}  // namespace zerlant::cli
