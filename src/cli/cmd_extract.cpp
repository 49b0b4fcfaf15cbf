// zerlant-cli extract: the Extract tool over the files given, all checked, in
// the order given; the export table goes to standard output or to -o FILE.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

#include "cli/commands.hpp"
#include "cli/tablecommand.hpp"
#include "core/extract/extraction.hpp"
#include "core/results/exporttable.hpp"

namespace zerlant::cli {

namespace {

// --select keys, as the help lists them.
constexpr auto kExtractNames = [] {
    std::array<std::string_view, kExtractQuantities.size()> names;
    for (std::size_t c = 0; c < names.size(); ++c) names[c] = kExtractQuantities[c].key;
    return names;
}();

int runExtract(TableCommand& command);

}  // namespace

RunCommand addExtract(CLI::App& program) {
    auto command = std::make_shared<TableCommand>();
    CLI::App& app = addTableCommand(
        program, *command, "extract", "tabulate quantities of Gaussian output files (.out, .log)",
        kExtractNames,
        "(the last seven are multi-valued blocks; default:\n"
        "file,formula,method,basis,status)",
        "Reads Gaussian output files (.out, .log) and writes one row of quantities per\n"
        "file, plus the chosen multi-valued blocks.  The files are only read.\n"
        "Scan jobs are skipped.");
    command->jobs = std::max(1u, std::thread::hardware_concurrency());
    app.add_option("-j,--jobs", command->jobs,
                   "read up to N files at once (default: the number\nof processors)")
        ->check(CLI::Range(1u, 4096u).description(""))
        ->type_name("N");
    return [command] { return runExtract(*command); };
}

namespace {

int runExtract(TableCommand& command) {
    if (auto stop = finishTableCommand(command))
        return *stop;
    if (auto stop = loadMessages(command))
        return *stop;
    ExtractBoxes boxes = ExtractBoxes::initial(command.messages);
    if (command.all || command.select)
        boxes.setAll(command.all);
    auto tick = [&](std::size_t c) { boxes[kExtractQuantities[c].box].ticked = true; };
    if (auto stop = tickSelected(command, kExtractNames, tick))
        return *stop;

    const FileRows rows = fileRowsOf(command.files);
    reportNonOutputFiles(command, rows);
    ProgressLine progress;
    ExtractionOutcome run = runExtraction(rows, boxes, command.messages, command.decimalSeparator,
                                          progress.callback(rows.size() - 1), command.jobs);
    progress.clear();

    int status = 0;
    for (const auto& problem : run.unreadable) {
        reportProblem(command, "cannot read " + problem);
        status = 1;
    }
    if (run.scanMet)
        reportLeftOut(command, 134, "scan jobs are not tabulated by extract", rows, run.untick);

    const Table exportTable = prepararexportacion(run.resultTable, run.detail.table, boxes);
    status = failWhenEmpty(command, exportTable.rows() > 1 ? exportTable.rows() - 1 : 0, status);
    if (int written = writeExportTable(command, exportTable); written != 0)
        status = written;
    return status;
}

}  // namespace
}  // namespace zerlant::cli
