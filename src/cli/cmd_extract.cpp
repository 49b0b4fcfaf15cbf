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
        "%s",
        tableOptionsHelp());
}

}  // namespace

int runExtract(const Args& args) {
    TableCommand command;
    if (auto stop = parseTableCommand("extract", args, command))
        return *stop;
    if (command.help) {
        printExtractHelp();
        return 0;
    }
    if (auto stop = loadMessages(command))
        return *stop;
    ExtractBoxes boxes = ExtractBoxes::initial(command.messages);
    if (command.all || command.select)
        boxes.setAll(command.all);
    std::array<std::string_view, kBoxNames.size()> names;
    for (std::size_t c = 0; c < names.size(); ++c) names[c] = kBoxNames[c].first;
    auto tick = [&](std::size_t c) { boxes[kBoxNames[c].second].ticked = true; };
    if (auto stop = tickSelected(command, names, tick))
        return *stop;

    const FileRows rows = fileRowsOf(command.files);
    reportNonOutputFiles(command, rows);
    ProgressLine progress;
    ExtractionOutcome run = runExtraction(rows, boxes, command.messages, command.decimalSeparator,
                                          progress.callback(rows.size() - 1));
    progress.clear();

    int status = 0;
    for (const auto& problem : run.unreadable) {
        reportProblem(command, "cannot read " + problem);
        status = 1;
    }
    if (run.scanMet)
        reportLeftOut(command, 134, "scan jobs are not tabulated by extract", rows, run.untick);

    const Table exportTable = prepararexportacion(run.resultTable, run.detail.table, boxes);
    if (int written = writeExportTable(command, exportTable); written != 0)
        status = written;
    return status;
}

}  // namespace zerlant::cli
