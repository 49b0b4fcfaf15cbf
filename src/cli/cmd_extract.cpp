// zerlant-cli extract: the Extract tool over the files given, all checked, in
// the order given; the export table goes to standard output or to -o FILE.

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "cli/commands.hpp"
#include "cli/tablecommand.hpp"
#include "core/extract/extraction.hpp"
#include "core/results/exporttable.hpp"
#include "core/text/textutils.hpp"

namespace zerlant::cli {

namespace {

// The names of --select, one per check box of the Extract panel.
constexpr std::array<std::pair<std::string_view, ExtractBox>, kExtractBoxCount> kBoxNames = {{
    {"file", ExtractBox::File},
    {"formula", ExtractBox::Formula},
    {"method", ExtractBox::Method},
    {"basis", ExtractBox::Basis},
    {"charge", ExtractBox::Charge},
    {"symmetry", ExtractBox::Symmetry},
    {"energy", ExtractBox::Energy},
    {"energy-opt", ExtractBox::EnergyOpt},
    {"energy-method", ExtractBox::EnergyMethod},
    {"homo", ExtractBox::Homo},
    {"lumo", ExtractBox::Lumo},
    {"dipole", ExtractBox::Dipole},
    {"volume", ExtractBox::Volume},
    {"a0", ExtractBox::A0},
    {"r2", ExtractBox::R2},
    {"eps", ExtractBox::Eps},
    {"rsolv", ExtractBox::RSolv},
    {"nonelectrostatic", ExtractBox::NonElectrostatic},
    {"cavitation", ExtractBox::Cavitation},
    {"deltag", ExtractBox::DeltaG},
    {"cputime", ExtractBox::CpuTime},
    {"status", ExtractBox::Status},
    {"polar", ExtractBox::Polar},
    {"mulliken", ExtractBox::Mulliken},
    {"orbitals", ExtractBox::Orbitals},
    {"geometry", ExtractBox::Geometry},
    {"freq", ExtractBox::Freq},
    {"thermo", ExtractBox::Thermo},
    {"td", ExtractBox::TD},
}};

void printExtractHelp() {
    std::printf(
        "Usage: zerlant-cli extract [--select LIST | --all] [-o FILE] [--lang NAME]\n"
        "                           [--decimal-separator C] FILE...\n\n"
        "Reads Gaussian output files (.out, .log) and writes one row of quantities per\n"
        "file, plus the chosen multi-valued blocks.  The files are only read.\n"
        "Scan jobs are skipped.\n\n"
        "Options:\n"
        "  --select LIST             the columns and blocks to write, comma-separated:\n"
        "                            file formula method basis charge symmetry energy\n"
        "                            energy-opt energy-method homo lumo dipole volume a0\n"
        "                            r2 eps rsolv nonelectrostatic cavitation deltag\n"
        "                            cputime status, and the blocks polar mulliken\n"
        "                            orbitals geometry freq thermo td\n"
        "                            (default: file,formula,method,basis,status)\n"
        "  --all                     write every column and block\n"
        "%s\n"
        "Exit status: 0 table written, 1 some file could not be read or the table not\n"
        "written, 2 usage error.\n",
        tableOptionsHelp());
}

}  // namespace

int runExtract(const Args& args) {
    std::optional<std::string> select;
    bool all = false;
    auto own = [&](const Args& a, std::size_t i) -> int {
        if (a[i] == "--all") {
            all = true;
            return 1;
        }
        if (a[i] == "--select") {
            if (i + 1 >= a.size())
                return usageError("extract: --select needs a list"), -1;
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
    if (auto stop = parseTableCommand("extract", args, own, command))
        return *stop;
    if (command.help) {
        printExtractHelp();
        return 0;
    }
    if (select && all)
        return usageError("extract: give either --select or --all");

    if (auto stop = loadMessages(command))
        return *stop;
    ExtractBoxes boxes = ExtractBoxes::initial(command.messages);
    if (all)
        boxes.setAll(true);
    if (select) {
        boxes.setAll(false);
        for (std::string_view name : splitText(*select, ",")) {
            name = trimBlanks(name);
            bool known = false;
            for (const auto& [word, box] : kBoxNames) {
                if (word == name) {
                    boxes[box].ticked = true;
                    known = true;
                }
            }
            if (!known)
                return usageError("extract: unknown name '" + std::string(name) + "' in --select");
        }
    }

    const FileRows rows = fileRowsOf(command.files);
    for (std::size_t r = 1; r < rows.size(); ++r)
        if (!isOutputFileName(rows[r].name))
            reportProblem(command, rows[r].path + ": skipped, not a .out or .log file");

    ProgressLine progress;
    const std::size_t total = rows.size() - 1;
    ExtractionOutcome run = runExtraction(rows, boxes, command.messages, command.decimalSeparator,
                                          [&](std::size_t index, const std::string& name) {
                                              progress.show(index, total, name);
                                              return true;
                                          });
    progress.clear();

    int status = 0;
    for (const auto& problem : run.unreadable) {
        reportProblem(command, "cannot read " + problem);
        status = 1;
    }
    if (run.scanMet) {
        std::string notice = command.messages(134);
        if (notice.empty())
            notice = "scan jobs are not tabulated by extract";
        reportProblem(command, notice);
        for (std::size_t r : run.untick) std::fprintf(stderr, "  %s\n", rows[r].path.c_str());
    }

    const Table exportTable = prepararexportacion(run.resultTable, run.detail.table, boxes);
    if (int written = writeExportTable(command, exportTable); written != 0)
        status = written;
    return status;
}

}  // namespace zerlant::cli
