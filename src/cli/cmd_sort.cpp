// zerlant-cli sort: moves Gaussian outputs, with the job file and checkpoint
// of the same stem, into folders named after what became of each job; shows
// the moves first with --dry-run, and puts everything back with --undo.

#include <CLI/CLI.hpp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.hpp"
#include "cli/fileargs.hpp"
#include "core/inputtools/journal.hpp"
#include "core/sortjobs/sortjobs.hpp"

namespace zerlant::cli {

namespace {

struct SortCommand {
    bool dryRun = false;
    bool undo = false;
    SortOptions options;
    FileArguments input;
};

int runSort(SortCommand& command);

// The record of the last sort, in the user's cache like the window's
// records of Rename and Substitute.
std::string journalFolder() {
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache == '/')
        return std::string(cache) + "/zerlant/sort";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.cache/zerlant/sort";
    return {};
}

constexpr const char* kOutcomeNames[kJobOutcomes] = {"done", "failed", "imaginary", "running"};

}  // namespace

RunCommand addSort(CLI::App& program) {
    auto command = std::make_shared<SortCommand>();
    CLI::App& app = *program.add_subcommand(
        "sort", "move outputs, with their job files, into folders by job health");
    app.add_flag("-n,--dry-run", command->dryRun, "show the moves; move nothing");
    app.add_flag("--undo", command->undo, "put back the files of the last sort");
    for (std::size_t i = 0; i < kJobOutcomes; ++i)
        app.add_option(std::string("--") + kOutcomeNames[i], command->options.folders[i],
                       std::string("folder name for ") + kOutcomeNames[i] + " jobs (default " +
                           kOutcomeNames[i] + ")");
    addFileArguments(app, command->input);
    app.footer(
        "Moves each output FILE (.log, .out), with the files of the same stem beside it\n"
        "(.gjf, .com, .chk, .fchk), into a folder beside it: done (normal termination,\n"
        "no imaginary frequency; a transition-state search: exactly one), imaginary\n"
        "(more imaginary frequencies), failed (error termination, with its reason),\n"
        "running (no termination line yet: running or killed).  No file is ever\n"
        "replaced: a job with any file already in its folder is not moved at all.\n"
        "The moves are recorded as they land, so --undo puts back exactly what the\n"
        "last sort moved, and refuses when a file changed since.\n\n"
        "Exit status: 0 done, 1 some file could not be read or moved, 2 usage error.");
    return [command] { return runSort(*command); };
}

namespace {

int runUndo() {
    const std::string folder = journalFolder();
    auto journal = folder.empty() ? Result<Journal>(Error{"no cache folder ($HOME unset)", {}})
                                  : loadJournal(folder);
    if (!journal) {
        std::fprintf(stderr, "zerlant-cli: nothing to undo (%s)\n",
                     journal.error().describe().c_str());
        return 1;
    }
    const UndoOutcome outcome = undoSort(*journal);
    if (outcome.refused()) {
        std::fprintf(stderr, "zerlant-cli: nothing undone: changed since the sort:\n");
        for (const std::string& path : outcome.changedSince)
            std::fprintf(stderr, "  %s\n", path.c_str());
        return 1;
    }
    clearJournal(folder);
    for (const Error& e : outcome.failures)
        std::fprintf(stderr, "zerlant-cli: cannot put back %s\n", e.describe().c_str());
    std::printf("%d file(s) put back\n", outcome.restored);
    return outcome.failures.empty() ? 0 : 1;
}

int runSort(SortCommand& command) {
    if (command.undo) {
        if (!command.input.files.empty() || command.input.filesFrom)
            return usageError("--undo takes no files");
        return runUndo();
    }
    for (const std::string& name : command.options.folders)
        if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos)
            return usageError("a folder name must be one plain name: '" + name + "'");
    if (auto stop = collectFiles("sort", command.input))
        return *stop;

    const SortPlan plan = planSort(command.input.files, command.options);
    int status = 0;
    for (const Error& e : plan.problems) {
        std::fprintf(stderr, "zerlant-cli: %s\n", e.describe().c_str());
        status = 1;
    }
    for (const SortedJob& job : plan.jobs) {
        const char* name = kOutcomeNames[static_cast<int>(job.outcome)];
        std::printf("%s\t%s%s%s\n", name, job.output.c_str(), job.why.empty() ? "" : "\t",
                    job.why.c_str());
        if (command.dryRun)
            for (const SortMove& m : job.moves)
                std::printf("  %s -> %s\n", m.from.c_str(), m.to.c_str());
    }
    if (command.dryRun)
        return status;
    const SortOutcome outcome = applySort(plan, journalFolder());
    for (const Error& e : outcome.failures) {
        std::fprintf(stderr, "zerlant-cli: cannot move %s\n", e.describe().c_str());
        status = 1;
    }
    std::fprintf(stderr, "%d file(s) moved; 'zerlant-cli sort --undo' puts them back\n",
                 outcome.moved);
    return status;
}

}  // namespace
}  // namespace zerlant::cli
