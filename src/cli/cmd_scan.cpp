// zerlant-cli scan: the Scan tool over the files given, all checked, in the
// order given; the export table goes to standard output or to -o FILE.

#include <CLI/CLI.hpp>
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "cli/commands.hpp"
#include "cli/tablecommand.hpp"
#include "core/results/scanaimexport.hpp"
#include "core/scan/scanrun.hpp"

namespace zerlant::cli {

namespace {

// The names of --select, one per check box of the Scan panel, in the order of
// the ScanTable's columns.
constexpr std::array<std::string_view, kScanFileColumns> kScanNames = {
    "file", "formula", "method", "basis", "charge", "cputime", "status"};

int runScan(TableCommand& command);

}  // namespace

RunCommand addScan(CLI::App& program) {
    auto command = std::make_shared<TableCommand>();
    addTableCommand(
        program, *command, "scan", "tabulate rigid potential-surface scan summaries", kScanNames,
        "(the scan fields are always written; default: all)",
        "Reads the summary of a rigid potential-surface scan from Gaussian output files\n"
        "(.out, .log): one row per scan point, each file led by a title row, with the\n"
        "file's values beside its first point.  The files are only read.  Normally\n"
        "terminated files that are not scan jobs are reported and left out.");
    return [command] { return runScan(*command); };
}

namespace {

int runScan(TableCommand& command) {
    if (auto stop = finishTableCommand(command))
        return *stop;
    ScanColumnChecks checks;
    checks.fill(!command.select);  // the panel starts with every box ticked
    if (auto stop = tickSelected(command, kScanNames, [&](std::size_t c) { checks[c] = true; }))
        return *stop;
    if (auto stop = loadMessages(command))
        return *stop;

    const FileRows rows = fileRowsOf(command.files);
    reportNonOutputFiles(command, rows);
    ProgressLine progress;
    auto run = zerlant::runScan(rows, command.messages, command.decimalSeparator,
                                progress.callback(rows.size() - 1));
    progress.clear();

    int status = 0;
    for (const auto& problem : run->failures) {
        reportProblem(command, "cannot read " + problem.describe());
        status = 1;
    }
    for (const std::string& path : run->notTerminated) {
        reportProblem(command, path + ": the job did not end normally; no row");
        status = 1;
    }
    if (run->nonScanMet)
        reportLeftOut(command, MessageId::NotScanJobsUnticked,
                      "some files are not scan jobs and were left out", rows, run->untick);

    status = failWhenEmpty(command, run->table.rows() > 1 ? run->table.rows() - 1 : 0, status);
    const Table exportTable = prepararexportacionscan(run->table, checks);
    if (int written = writeExportTable(command, exportTable); written != 0)
        status = written;
    return status;
}

}  // namespace
}  // namespace zerlant::cli
