// zerlant-cli aim: the Aim tool over the files given, all checked, in the
// order given; the export table goes to standard output or to -o FILE.

#include <CLI/CLI.hpp>
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "cli/commands.hpp"
#include "cli/tablecommand.hpp"
#include "core/aim/aimrun.hpp"
#include "core/results/scanaimexport.hpp"

namespace zerlant::cli {

namespace {

// The names of --select, one per check box of the Aim panel, in the order of
// the AimTable's columns.
constexpr std::array<std::string_view, kAimColumns> kAimNames = {
    "file", "type", "rho", "delsqrho", "ellipticity", "v", "g", "h"};

int runAim(TableCommand& command);

}  // namespace

RunCommand addAim(CLI::App& program) {
    auto command = std::make_shared<TableCommand>();
    addTableCommand(
        program, *command, "aim", "tabulate bond critical points of AIM summary files (.sum)",
        kAimNames, "(default: all)",
        "Reads the bond critical points (type (3,-1)) of AIM summary files (.sum): one\n"
        "row per point with its type, the electron density rho, its Laplacian, the\n"
        "bond ellipticity and the energy densities V, G and H = G + V.  Each later file\n"
        "is led by a title row.  The files are only read.");
    return [command] { return runAim(*command); };
}

namespace {

int runAim(TableCommand& command) {
    if (auto stop = finishTableCommand(command))
        return *stop;
    AimColumnChecks checks;
    checks.fill(!command.select);  // the panel starts with every box ticked
    if (auto stop = tickSelected(command, kAimNames, [&](std::size_t c) { checks[c] = true; }))
        return *stop;
    if (auto stop = loadMessages(command))
        return *stop;

    const FileRows rows = fileRowsOf(command.files);
    ProgressLine progress;
    auto run = zerlant::runAim(rows, command.messages, command.decimalSeparator,
                               progress.callback(rows.size() - 1));
    progress.clear();

    int status = 0;
    for (std::size_t r : run->untick)
        reportProblem(command, rows[r].path + ": skipped, not a .sum file");
    for (const auto& problem : run->failures) {
        reportProblem(command, "cannot read " + problem.describe());
        status = 1;
    }

    status = failWhenEmpty(command, run->table.rows() > 1 ? run->table.rows() - 1 : 0, status);
    const Table exportTable = prepararexportacionaim(run->table, checks);
    if (int written = writeExportTable(command, exportTable); written != 0)
        status = written;
    return status;
}

}  // namespace
}  // namespace zerlant::cli
