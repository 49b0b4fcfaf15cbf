// zerlant-cli normalize: rewrites output files in the normalised form (CR LF
// line ends, '|' for '\', one CR LF appended), on the user's explicit request.

#include <sys/stat.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.hpp"
#include "core/files/filetext.hpp"

namespace zerlant::cli {

namespace {

void printNormalizeHelp() {
    std::printf(
        "Usage: zerlant-cli normalize [--keep-backup] FILE...\n\n"
        "Rewrites each FILE with CR LF line ends (a file that already has a CR LF\n"
        "keeps its lone LFs), every '\\' turned into '|', and one CR LF appended.\n"
        "Each file is replaced in one step; the reading tools never need this.\n\n"
        "Options:\n"
        "  --keep-backup  keep the previous content as NAME.bak beside each file\n"
        "                 (NAME is the file name without its extension)\n"
        "  --help         show this help\n\n"
        "Exit status: 0 done, 1 some file could not be read or written, 2 usage error.\n");
}

}  // namespace

int runNormalize(const Args& args) {
    bool keepBackup = false;
    bool optionsDone = false;
    std::vector<std::string> files;
    for (const auto& a : args) {
        if (!optionsDone && a == "--") {
            optionsDone = true;
        } else if (!optionsDone && (a == "--help" || a == "-h")) {
            printNormalizeHelp();
            return 0;
        } else if (!optionsDone && a == "--keep-backup") {
            keepBackup = true;
        } else if (!optionsDone && a.size() > 1 && a[0] == '-') {
            return usageError("normalize: unknown option '" + a + "'");
        } else {
            files.push_back(a);
        }
    }
    if (files.empty())
        return usageError("normalize: no file given");

    int status = 0;
    // The same file named twice (or through two names) is normalised once:
    // every run appends a CR LF.
    std::set<std::pair<dev_t, ino_t>> done;
    for (const auto& file : files) {
        struct stat st {};
        if (::stat(file.c_str(), &st) == 0 && !done.insert({st.st_dev, st.st_ino}).second)
            continue;
        if (Status s = normalizararchivo(file, keepBackup); !s) {
            std::fprintf(stderr, "zerlant-cli: normalize: %s\n", s.error().describe().c_str());
            status = 1;
        } else if (::stat(file.c_str(), &st) == 0) {
            done.insert({st.st_dev, st.st_ino});  // the rewritten file is a new one
        }
    }
    return status;
}

}  // namespace zerlant::cli
