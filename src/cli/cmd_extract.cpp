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
#include <vector>

#include "cli/commands.hpp"
#include "cli/extractoutput.hpp"
#include "cli/tablecommand.hpp"
#include "core/extract/extraction.hpp"
#include "core/files/filetext.hpp"
#include "core/files/paths.hpp"
#include "core/optimisation/steps.hpp"
#include "core/results/exporttable.hpp"
#include "core/results/tidyexport.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"

namespace zerlant::cli {

namespace {

// --select keys, as the help lists them.
constexpr auto kExtractNames = [] {
    std::array<std::string_view, kExtractQuantities.size()> names;
    for (std::size_t c = 0; c < names.size(); ++c) names[c] = kExtractQuantities[c].key;
    return names;
}();

int runExtract(TableCommand& command, bool allSteps);

}  // namespace

RunCommand addExtract(CLI::App& program) {
    auto command = std::make_shared<TableCommand>();
    CLI::App& app = addTableCommand(
        program, *command, "extract", "tabulate quantities of Gaussian output files (.out, .log)",
        kExtractNames,
        "(polar..td are multi-valued blocks; reason..converged\n"
        "are the job health, read only when named, never by\n"
        "--all; default: file,formula,method,basis,status)",
        "Reads Gaussian output files (.out, .log) and writes one row of quantities per\n"
        "file, plus the chosen multi-valued blocks.  The files are only read.\n"
        "Scan jobs are skipped.");
    command->jobs = std::max(1u, std::thread::hardware_concurrency());
    app.add_option("-j,--jobs", command->jobs,
                   "read up to N files at once (default: the number\nof processors)")
        ->check(CLI::Range(1u, 4096u).description(""))
        ->type_name("N");
    app.add_option("--format", command->format,
                   "write tidy output for scripts to standard output: csv\n"
                   "(RFC 4180, keys as header, \".\" decimals, missing\n"
                   "values empty) or json (one record per file, blocks as\n"
                   "arrays); -o FILE.csv, FILE.json and FILE.xyz (the final\n"
                   "geometry of every file) choose the same by the name")
        ->check(CLI::IsMember({"csv", "json"}))
        ->type_name("csv|json");
    auto allSteps = std::make_shared<bool>(false);
    app.add_flag("--all-steps", *allSteps,
                 "with -o FILE.xyz: every optimisation step (scan\n"
                 "point, IRC point) of every file as a frame, its\n"
                 "title the file name, step number and energy");
    return [command, allSteps] { return runExtract(*command, *allSteps); };
}

namespace {

// "csv", "json" or "xyz" when the output is for scripts (--format, or the
// name given to -o), else "".
std::string tidyFormat(const TableCommand& command) {
    if (!command.format.empty())
        return command.format;
    if (!command.output)
        return {};
    const std::string name = foldCase(*command.output);
    for (const char* ext : {"csv", "json", "xyz"})
        if (name.ends_with(std::string(".") + ext))
            return ext;
    return {};
}

// The output of a run that gave no row: on standard output only.
int writeTidy(const TableCommand& command, const std::string& bytes) {
    if (!command.output)  // a failure is reported once, for every command, when it ends
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return 0;
}

// --all-steps: every step of every file as a frame of one XYZ file, the
// files read in pieces (any size in little memory).
int writeAllSteps(const TableCommand& command) {
    int status = 0;
    std::string bytes;
    for (const std::string& path : command.files) {
        if (!isOutputFileName(nombredearchivo(path, true))) {
            reportProblem(command, path + ": skipped, not a .out or .log file");
            continue;
        }
        const std::string name = nombredearchivo(path, true);
        int left = 0;
        auto steps = readSteps(path, [&](GeometryStep& step) {
            std::string title = name + " step " + std::to_string(step.number);
            if (step.scanPoint)
                title += " scan point " + std::to_string(*step.scanPoint);
            if (step.ircPoint)
                title += " IRC point " + std::to_string(*step.ircPoint);
            if (step.ircPath)
                title += " path " + std::to_string(*step.ircPath);
            if (step.energy)
                title += " E=" + formatNumber(*step.energy, '.');
            const std::string frame = xyzStructure(title, step.atoms);
            left += frame.empty() ? 1 : 0;
            bytes += frame;
        });
        if (!steps) {
            reportProblem(command, "cannot read " + steps.error().describe());
            status = 1;
        } else if (*steps == 0) {
            reportProblem(command, path + ": no optimisation step");
            status = 1;
        } else if (left > 0) {
            reportProblem(command, path + ": " + std::to_string(left) + " of " +
                                       std::to_string(*steps) +
                                       " steps without a Cartesian geometry of elements only, "
                                       "left out of the XYZ file");
        }
    }
    // --all-steps always names an XYZ file; no file for a run without a frame.
    if (bytes.empty())
        return status;
    if (Status s = writeFileAtomically(*command.output, bytes, WriteRule::exportOf(command.files));
        !s) {
        reportProblem(command, "cannot write " + s.error().describe());
        return 1;
    }
    return status;
}

int runExtract(TableCommand& command, bool allSteps) {
    if (auto stop = finishTableCommand(command))
        return *stop;
    if (allSteps) {
        if (tidyFormat(command) != "xyz")
            return usageError("extract: --all-steps writes an XYZ file: give -o FILE.xyz");
        return writeAllSteps(command);
    }
    if (auto stop = loadMessages(command))
        return *stop;
    ExtractBoxes boxes = ExtractBoxes::initial(command.messages);
    if (command.all || command.select)
        boxes.setAll(command.all);
    auto tick = [&](std::size_t c) { boxes[kExtractQuantities[c].box].ticked = true; };
    if (auto stop = tickSelected(command, kExtractNames, tick))
        return *stop;

    // Tidy output for scripts: keys, "." decimals, missing values empty.
    const std::string tidy = tidyFormat(command);
    MessageLookup messages = command.messages;
    char separator = command.decimalSeparator;
    if (!tidy.empty()) {
        separator = '.';
        messages = [base = command.messages](int n) {
            return n == messageNumber(MessageId::NotAvailable)
                       ? std::string()
                       : (base ? base.byNumber(n) : std::string());
        };
    }

    const FileRows rows = fileRowsOf(command.files);
    reportNonOutputFiles(command, rows);
    // The rows go out as the files are read; what is kept of each is its name
    // when it failed, to be reported with the others at the end.
    ExtractOutput output(command, tidy, boxes);
    std::vector<std::string> failed;
    auto take = [&](const ExtractedRow& row) {
        if (!row.record.ok)
            failed.push_back(row.record.file);
        output.take(row);
    };
    ProgressLine progress;
    ExtractionOutcome run = runExtraction(
        rows, boxes, messages, separator, progress.callback(rows.size() - 1), command.jobs,
        tidy == "xyz" ? ExtractionKeeps::Everything : ExtractionKeeps::TickedBlocks, take);
    progress.clear();

    int status = 0;
    for (const auto& problem : run.unreadable) {
        reportProblem(command, "cannot read " + problem);
        status = 1;
    }
    // A file whose row says Error or KO fails the run; one that could not be
    // read has been named already.
    for (const std::string& file : failed) {
        const bool named =
            std::any_of(run.unreadable.begin(), run.unreadable.end(),
                        [&](const std::string& p) { return p.find(file) != std::string::npos; });
        if (!named)
            reportProblem(command, file + ": the job did not end normally (KO)");
        status = 1;
    }
    if (run.scanMet)
        reportLeftOut(command, MessageId::ScanJobsSkipped, "scan jobs are not tabulated by extract",
                      rows, run.untick);

    status = failWhenEmpty(command, run.rowCount, status);
    if (run.rowCount == 0) {
        // No row: the empty output of each format, and no file.
        const std::string empty = tidy == "csv"    ? tidyCsv(TidyResults{}, boxes)
                                  : tidy == "json" ? tidyJson(TidyResults{}, boxes)
                                                   : std::string();
        if (!tidy.empty())
            return writeTidy(command, empty) != 0 ? 1 : status;
        const Table exportTable = prepararexportacion(run.resultTable, Table(), boxes);
        return writeExportTable(command, exportTable) != 0 ? 1 : status;
    }
    for (const std::string& name : output.skipped())
        reportProblem(command, name + ": no Cartesian geometry, left out of the XYZ file");
    if (int written = output.finish(); written != 0)
        status = written;
    return status;
}

}  // namespace
}  // namespace zerlant::cli
