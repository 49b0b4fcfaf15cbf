// zerlant-cli substitute: one block of text replaced by another in many files.

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/commands.hpp"
#include "cli/fileargs.hpp"
#include "core/files/filetext.hpp"
#include "core/inputtools/substitute.hpp"

namespace zerlant::cli {

namespace {

struct SubstituteCommand {
    std::optional<std::string> fromFile, toFile;
    bool firstOnly = false;
    std::optional<std::string> language;  // accepted like everywhere; nothing is looked up
    FileArguments input;
};

int runSubstitute(SubstituteCommand& command);

}  // namespace

RunCommand addSubstitute(CLI::App& program) {
    auto command = std::make_shared<SubstituteCommand>();
    CLI::App& app = *program.add_subcommand("substitute", "replace a block of text in many files");
    app.add_option_function<std::string>(
           "--from", [c = command.get()](const std::string& f) { c->fromFile = f; },
           "the file holding the block to look for")
        ->type_name("FILE");
    app.add_option_function<std::string>(
           "--to", [c = command.get()](const std::string& f) { c->toFile = f; },
           "the file holding the block to put in its place")
        ->type_name("FILE");
    app.add_flag("--first", command->firstOnly, "only the first occurrence in each file");
    addLanguageOption(app, command->language);
    addFileArguments(app, command->input);
    app.footer(
        "Replaces the block of text held in the --from file by the block held in the\n"
        "--to file (read byte for byte; it may be empty) in every FILE.  The search\n"
        "is exact (letter case counts); a replacement is never searched again.  The\n"
        "blocks' line breaks are matched in each file's own convention (CR LF in a\n"
        "file that holds a CR LF, LF otherwise).  A changed file is replaced in one\n"
        "step and keeps its permissions; files without the block are not touched; a\n"
        "file that cannot be read or is read-only is reported and the others are "
        "done.\n\n" ZERLANT_EXIT_STATUS_HELP);
    return [command] { return runSubstitute(*command); };
}

namespace {

int runSubstitute(SubstituteCommand& command) {
    if (!command.fromFile || !command.toFile)
        return usageError("substitute needs --from FILE and --to FILE");
    if (auto stop = collectFiles("substitute", command.input))
        return *stop;
    const std::string& fromFile = *command.fromFile;
    const std::string& toFile = *command.toFile;
    SubstituteOptions options;
    options.firstOnly = command.firstOnly;
    FileRows rows(1);
    for (const auto& f : command.input.files) rows.push_back({true, f, f, ""});

    auto from = readFileBytes(fromFile);
    if (!from)
        return usageError(from.error().describe());
    auto to = readFileBytes(toFile);
    if (!to)
        return usageError(to.error().describe());
    if (from->empty())
        return usageError("the block to look for (" + fromFile + ") is empty");
    options.from = std::move(*from);
    options.to = std::move(*to);

    SubstituteOutcome out = substituteFiles(rows, options);
    for (const auto& f : out.failures)
        std::fprintf(stderr, "zerlant-cli: %s: %s\n", f.path.c_str(), f.reason.c_str());
    std::printf("%d changed, %d without the block, %zu failed\n", out.changed, out.unchanged,
                out.failures.size());
    return out.failures.empty() ? 0 : 1;
}

}  // namespace
}  // namespace zerlant::cli
