// zerlant-cli substitute: one block of text replaced by another in many files.

#include <cstdio>
#include <string>

#include "cli/clilanguage.hpp"
#include "cli/commands.hpp"
#include "core/files/filetext.hpp"
#include "core/inputtools/substitute.hpp"

namespace zerlant::cli {

namespace {

constexpr const char* kUsage =
    "Usage: zerlant-cli substitute --from FILE --to FILE [--first] FILE...\n"
    "\n"
    "Replaces the block of text held in the --from file by the block held in the\n"
    "--to file (read byte for byte; it may be empty) in every FILE.  The search\n"
    "is exact (letter case counts); a replacement is never searched again.  The\n"
    "blocks' line breaks are matched in each file's own convention (CR LF in a\n"
    "file that holds a CR LF, LF otherwise).  A changed file is replaced in one\n"
    "step and keeps its permissions; files without the block are not touched; a\n"
    "file that cannot be read or is read-only is reported and the others are done.\n"
    "\n"
    "  --first   only the first occurrence in each file\n"
    "\n"
    "Exit status: 0 done, 1 some file could not be read or written, 2 usage error.\n";

}  // namespace

int runSubstitute(const Args& input) {
    Args args = input;
    takeLangOption(args);  // nothing here is looked up; accepted like everywhere
    std::string fromFile, toFile;
    bool haveFrom = false, haveTo = false;
    SubstituteOptions options;
    FileRows rows(1);
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (onlyFiles || a.empty() || a[0] != '-' || a == "-") {
            rows.push_back({true, a, a, ""});
        } else if (a == "--") {
            onlyFiles = true;
        } else if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--first") {
            options.firstOnly = true;
        } else if (a == "--from" || a == "--to") {
            if (i + 1 >= args.size())
                return usageError(a + " needs a file");
            (a == "--from" ? fromFile : toFile) = args[++i];
            (a == "--from" ? haveFrom : haveTo) = true;
        } else {
            return usageError("unknown option '" + a + "'");
        }
    }
    if (!haveFrom || !haveTo)
        return usageError("substitute needs --from FILE and --to FILE");
    if (rows.size() < 2)
        return usageError("no files given");

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

}  // namespace zerlant::cli
