#include "core/scan/scanrun.hpp"

#include <string_view>

#include "core/extract/digest.hpp"
#include "core/extract/extraction.hpp"
#include "core/extract/route.hpp"
#include "core/files/filetext.hpp"
#include "core/files/openfile.hpp"
#include "core/scan/scanpoints.hpp"
#include "core/text/numbers.hpp"
#include "core/text/searchtext.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

namespace {

constexpr std::string_view kSummaryStart = "Summary of the potential surface scan:";
constexpr std::string_view kSummaryEnd = " 1|1|";
constexpr std::size_t kFirstFieldColumn = kScanFileColumns;  // column 7

// Field `f` of section `s` of an archive entry split at "||" and "|"; the
// empty text when the entry is shorter.
std::string archiveField(const std::vector<std::string_view>& sections, std::size_t s,
                         std::size_t f) {
    if (s >= sections.size())
        return {};
    auto fields = splitText(sections[s], "|");
    return f < fields.size() ? std::string(fields[f]) : std::string();
}

// A part of the molecule line as a whole number; a part that is not one is
// written as it stands.
std::string wholeNumberText(std::string_view part) {
    std::string_view trimmed = trimBlanks(part);
    if (auto n = toInt16(trimmed, '.'))
        return std::to_string(*n);
    return std::string(trimmed);
}

// The values a file shows beside its first scan point.
struct FileValues {
    bool scanJob = false;
    std::string formula, method, basis, charge, cpuTime;
    std::string molecule;  // the archive's molecule section, for the kinds of the coordinates
};

FileValues readFileValues(const FoldedText& text, char decimalSeparator) {
    FileValues v;
    std::string entry = entradaarchivo(text, true);
    auto sections = splitText(entry, "||");
    v.formula = archiveField(sections, 0, 6);
    RouteAnalysis route = analizarruta(sections.size() > 1 ? sections[1] : std::string_view());
    v.method = route.method;
    v.basis = route.basis;
    v.scanJob = route.has("scan");
    if (sections.size() > 3)
        v.molecule = std::string(sections[3]);
    const std::string moleculeLine = archiveField(sections, 3, 0);
    auto parts = splitText(moleculeLine, ",");
    std::string charge = wholeNumberText(parts[0]);
    std::string multiplicity = parts.size() > 1 ? wholeNumberText(parts[1]) : std::string();
    v.charge = charge + "  " + multiplicity;
    v.cpuTime = tiempocpu(textoentre(text, "Job cpu time", kCrLf, false), decimalSeparator);
    return v;
}

// A printed field, with its number when the whole field reads as one.
void setField(Table& table, std::size_t column, std::size_t row, std::string_view field) {
    if (auto v = toDouble(field, '.'); v && isNumeric(field, '.'))
        table.setNumber(column, row, *v, std::string(field));
    else
        table.set(column, row, std::string(field));
}

// The summary fields of one line in their columns: the k-th non-empty field
// (from 1) goes to column k + 6; a first field that reads as a number is
// stored as the nearest whole number, halves to the even one.  Fields beyond
// the table's last column are dropped.
void storeFields(Table& table, std::size_t row, const std::vector<std::string_view>& fields) {
    std::size_t k = 0;
    for (std::string_view field : fields) {
        if (field.empty())
            continue;
        ++k;
        if (k == 1 && isNumeric(field, '.')) {
            // A number outside the 16-bit range is kept as it stands.
            auto whole = toInt16(field, '.');
            if (whole)
                table.setNumber(kFirstFieldColumn, row, *whole, std::to_string(*whole));
            else
                setField(table, kFirstFieldColumn, row, field);
        } else {
            setField(table, k + kFirstFieldColumn - 1, row, field);
        }
    }
}

bool hasField(const std::vector<std::string_view>& fields) {
    for (std::string_view f : fields)
        if (!f.empty())
            return true;
    return false;
}

void clearRow(Table& table, std::size_t row) {
    for (std::size_t c = 0; c < table.columns(); ++c) table.set(c, row, {});
}

}  // namespace

std::optional<ScanRun> runScan(const FileRows& files, const MessageLookup& message,
                               char decimalSeparator, const RunProgress& progress) {
    auto caption = [&](std::size_t c) {
        return message ? message(kScanCaptionMessages[c]) : std::string();
    };
    ScanRun run;
    run.table = Table(kScanColumns, 2);
    for (std::size_t c = 0; c < kScanFileColumns; ++c)
        run.table.set(c, 0, upperCaption(caption(c)));
    std::size_t lastRow = 0;

    for (std::size_t r = 0; r < files.size(); ++r) {
        const FileRow& file = files[r];
        if (!file.checked)
            continue;
        if (progress && !progress(r, file.name))
            return std::nullopt;
        // A file that fails half-way (out of memory, say) leaves the table as
        // it was before it and becomes a failure; the batch goes on.
        const std::size_t rowsBefore = run.table.rows();
        const std::size_t lastRowBefore = lastRow;
        Table lastRowCells(run.table.columns(), 1);
        for (std::size_t c = 0; c < run.table.columns(); ++c)
            lastRowCells.copyCell(c, 0, run.table, c, lastRow);
        try {
            if (!isOutputFileName(file.name))
                continue;
            // The digest tells a job that ended badly or is no scan without
            // holding the whole file; a scan job's summary is read whole.
            auto text = readParsedText(file.path);
            if (!text) {
                run.failures.push_back(text.error());
                continue;
            }
            if (!contienetexto(*text, "Normal termination")) {
                run.notTerminated.push_back(file.path);
                continue;
            }
            if (!readFileValues(*text, decimalSeparator).scanJob) {
                run.untick.push_back(r);
                run.nonScanMet = true;
                continue;
            }
            text = readNormalised(file.path);
            if (!text) {
                run.failures.push_back(text.error());
                continue;
            }
            FileValues values = readFileValues(*text, decimalSeparator);
            TextRef summary = textoentre(*text, kSummaryStart, kSummaryEnd, false);
            if (summary.empty())
                continue;

            bool titleSeen = false;
            std::size_t titleRow = 0;
            for (std::string_view line : splitText(summary.text(), kCrLf)) {
                if (line.empty() || line.find("----") != std::string_view::npos)
                    continue;
                auto fields = splitText(line, " ");
                if (titleSeen) {
                    ++lastRow;
                    if (run.table.rows() <= lastRow)
                        run.table.resizeRows(lastRow + 1);
                } else if (hasField(fields)) {
                    // The title line takes over the row in use: row 0 for the
                    // first file, the previous file's last stored line after it.
                    titleSeen = true;
                    titleRow = lastRow;
                    clearRow(run.table, titleRow);
                }
                storeFields(run.table, lastRow, fields);
            }
            // A summary without any stored line leaves no trace, rather than
            // writing this file's values over another file's rows.
            if (!titleSeen)
                continue;

            const std::string fileColumns[kScanFileColumns] = {
                file.name,     values.formula, values.method, values.basis,
                values.charge, values.cpuTime, "OK"};
            for (std::size_t c = 0; c < kScanFileColumns; ++c) {
                run.table.set(c, titleRow, caption(c));
                run.table.set(c, titleRow + 1, fileColumns[c]);
            }
            ScanFile points = readScanPoints(summary.text(), values.molecule);
            if (!points.points.empty()) {
                points.file = file.name;
                run.files.push_back(std::move(points));
            }
        } catch (const std::exception& e) {
            run.table.resizeRows(rowsBefore);
            lastRow = lastRowBefore;
            for (std::size_t c = 0; c < lastRowCells.columns(); ++c)
                run.table.copyCell(c, lastRow, lastRowCells, c, 0);
            run.failures.push_back(Error{failureReason(e), file.path});
        }
    }

    // The last stored line is dropped; with none stored the title row stays.
    run.table.resizeRows(lastRow > 0 ? lastRow : 1);
    return run;
}

}  // namespace zerlant
