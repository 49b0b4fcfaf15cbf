// zerlant-cli scan: the Scan tool over the files given, all checked, in the
// order given; the export table goes to standard output or to -o FILE.

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/commands.hpp"
#include "cli/tablecommand.hpp"
#include "core/extract/extraction.hpp"
#include "core/results/scanaimexport.hpp"
#include "core/scan/scanrun.hpp"
#include "core/text/textutils.hpp"

namespace zerlant::cli {

namespace {

// The names of --select, one per check box of the Scan panel, in the order of
// the ScanTable's columns.
constexpr std::array<std::string_view, kScanFileColumns> kScanNames = {
    "file", "formula", "method", "basis", "charge", "cputime", "status"};

void printScanHelp() {
    std::printf(
        "Usage: zerlant-cli scan [--select LIST | --all] [-o FILE] [--lang NAME]\n"
        "                        [--decimal-separator C] FILE...\n\n"
        "Reads the summary of a rigid potential-surface scan from Gaussian output files\n"
        "(.out, .log): one row per scan point, each file led by a title row, with the\n"
        "file's values beside its first point.  The files are only read.  Normally\n"
        "terminated files that are not scan jobs are reported and left out.\n\n"
        "Options:\n"
        "  --select LIST             the file columns to write, comma-separated:\n"
        "                            file formula method basis charge cputime status\n"
        "                            (the scan fields are always written; default: all)\n"
        "  --all                     write every column (the default)\n"
        "%s\n"
        "Exit status: 0 table written, 1 some file could not be read or the table not\n"
        "written, 2 usage error.\n",
        tableOptionsHelp());
}

}  // namespace

int runScan(const Args& args) {
    std::optional<std::string> select;
    bool all = false;
    auto own = [&](const Args& a, std::size_t i) -> int {
        if (a[i] == "--all") {
            all = true;
            return 1;
        }
        if (a[i] == "--select") {
            if (i + 1 >= a.size())
                return usageError("scan: --select needs a list"), -1;
            select = a[i + 1];
            return 2;
        }
        if (a[i].rfind("--select=", 0) == 0) {
            select = a[i].substr(9);
            return 1;
        }
        return 0;
    };
    TableCommand command;
    if (auto stop = parseTableCommand("scan", args, own, command))
        return *stop;
    if (command.help) {
        printScanHelp();
        return 0;
    }
    if (select && all)
        return usageError("scan: give either --select or --all");

    ScanColumnChecks checks;
    checks.fill(true);  // the panel starts with every box ticked
    if (select) {
        checks.fill(false);
        for (std::string_view name : splitText(*select, ",")) {
            name = trimBlanks(name);
            bool known = false;
            for (std::size_t c = 0; c < kScanNames.size(); ++c) {
                if (kScanNames[c] == name) {
                    checks[c] = true;
                    known = true;
                }
            }
            if (!known)
                return usageError("scan: unknown name '" + std::string(name) + "' in --select");
        }
    }
    if (auto stop = loadMessages(command))
        return *stop;

    const FileRows rows = fileRowsOf(command.files);
    for (std::size_t r = 1; r < rows.size(); ++r)
        if (!isOutputFileName(rows[r].name))
            reportProblem(command, rows[r].path + ": skipped, not a .out or .log file");
    ProgressLine progress;
    const std::size_t total = rows.size() - 1;
    auto run = zerlant::runScan(rows, command.messages, command.decimalSeparator,
                                [&](std::size_t index, const std::string& name) {
                                    progress.show(index, total, name);
                                    return true;
                                });
    progress.clear();

    int status = 0;
    for (const auto& problem : run->failures) {
        reportProblem(command, "cannot read " + problem.describe());
        status = 1;
    }
    if (run->nonScanMet) {
        std::string notice = command.messages(133);
        if (notice.empty())
            notice = "some files are not scan jobs and were left out";
        reportProblem(command, notice);
        for (std::size_t r : run->untick) std::fprintf(stderr, "  %s\n", rows[r].path.c_str());
    }

    const Table exportTable = prepararexportacionscan(run->table, checks);
    if (int written = writeExportTable(command, exportTable); written != 0)
        status = written;
    return status;
}

}  // namespace zerlant::cli
