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

// A part of the molecule line ("0,1") as a whole number.
std::optional<int> wholeNumber(std::string_view part) {
    if (auto n = toInt16(trimBlanks(part), '.'))
        return *n;
    return std::nullopt;
}

// Whether the route of the archive entry asks for a scan.
bool isScanJob(const FoldedText& text) {
    const std::string entry = entradaarchivo(text, true);
    auto sections = splitText(entry, "||");
    return analizarruta(sections.size() > 1 ? sections[1] : std::string_view()).has("scan");
}

// The job's values beside its first scan point; gives the archive's
// molecule section, for the kinds of the coordinates.
std::string readJobValues(const FoldedText& text, ScanJob& job) {
    const std::string entry = entradaarchivo(text, true);
    auto sections = splitText(entry, "||");
    job.formula = archiveField(sections, 0, 6);
    RouteAnalysis route = analizarruta(sections.size() > 1 ? sections[1] : std::string_view());
    job.method = route.method;
    job.basis = route.basis;
    const std::string moleculeLine = archiveField(sections, 3, 0);  // "0,1"
    auto parts = splitText(moleculeLine, ",");
    job.charge = wholeNumber(parts[0]);
    job.multiplicity = parts.size() > 1 ? wholeNumber(parts[1]) : std::nullopt;
    // " Job cpu time:       0 days  0 hours  4 minutes 47.5 seconds."
    if (TextRef line = textoentre(text, "Job cpu time", kCrLf, false); !line.empty())
        job.cpuTime = readCpuTime(line);
    return sections.size() > 3 ? std::string(sections[3]) : std::string();
}

// The summary's stored lines: from the first line with a field on, each
// line that is neither empty nor a ruler, as its non-empty fields.
std::vector<std::vector<std::string>> summaryLines(std::string_view summary) {
    std::vector<std::vector<std::string>> lines;
    for (std::string_view line : splitText(summary, kCrLf)) {
        if (line.empty() || line.find("----") != std::string_view::npos)
            continue;
        std::vector<std::string> fields;
        for (std::string_view field : splitText(line, " "))
            if (!field.empty())
                fields.emplace_back(field);
        if (!fields.empty() || !lines.empty())
            lines.push_back(std::move(fields));
    }
    return lines;
}

// A printed field, with its number when the whole field reads as one.
void setField(Table& table, std::size_t column, std::size_t row, std::string_view field) {
    if (auto v = toDouble(field, '.'); v && isNumeric(field, '.'))
        table.setNumber(column, row, *v, std::string(field));
    else
        table.set(column, row, std::string(field));
}

// The fields of one summary line in their columns: the k-th field (from 1)
// goes to column k + 6; a first field that reads as a number is stored as
// the nearest whole number, halves to the even one.  Fields beyond the
// table's last column are dropped.
void storeFields(Table& table, std::size_t row, const std::vector<std::string>& fields) {
    for (std::size_t k = 1; k <= fields.size(); ++k) {
        const std::string& field = fields[k - 1];
        if (k == 1 && isNumeric(field, '.')) {
            // A number outside the 16-bit range is kept as it stands.
            if (auto whole = toInt16(field, '.'))
                table.setNumber(kFirstFieldColumn, row, *whole, std::to_string(*whole));
            else
                setField(table, kFirstFieldColumn, row, field);
        } else {
            setField(table, k + kFirstFieldColumn - 1, row, field);
        }
    }
}

void clearRow(Table& table, std::size_t row) {
    for (std::size_t c = 0; c < table.columns(); ++c) table.set(c, row, {});
}

std::string numberText(const std::optional<int>& n) {
    return n ? std::to_string(*n) : std::string();
}

}  // namespace

std::optional<double> ScanJob::cpuSeconds() const {
    if (!cpuTime)
        return std::nullopt;
    return ((cpuTime->days * 24 + cpuTime->hours) * 60 + cpuTime->minutes) * 60 + cpuTime->seconds;
}

std::optional<ScanRun> runScan(const FileRows& files, const MessageLookup& message,
                               char decimalSeparator, const RunProgress& progress) {
    ScanRun run;
    for (std::size_t r = 0; r < files.size(); ++r) {
        const FileRow& file = files[r];
        if (!file.checked)
            continue;
        if (progress && !progress(r, file.name))
            return std::nullopt;
        // A file that fails half-way (out of memory, say) leaves no record
        // and becomes a failure; the batch goes on.
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
            if (!isScanJob(*text)) {
                run.untick.push_back(r);
                run.nonScanMet = true;
                continue;
            }
            text = readNormalised(file.path);
            if (!text) {
                run.failures.push_back(text.error());
                continue;
            }
            ScanJob job;
            job.name = file.name;
            job.path = file.path;
            const std::string molecule = readJobValues(*text, job);
            TextRef summary = textoentre(*text, kSummaryStart, kSummaryEnd, false);
            job.summary = summaryLines(summary.text());
            // A summary without any stored line leaves no trace.
            if (job.summary.empty())
                continue;
            job.scan = readScanPoints(summary.text(), molecule);
            job.scan.file = file.name;
            run.files.push_back(std::move(job));
        } catch (const std::exception& e) {
            run.failures.push_back(Error{failureReason(e), file.path});
        }
    }
    run.table = scanTable(run.files, message, decimalSeparator);
    return run;
}

Table scanTable(const std::vector<ScanJob>& jobs, const MessageLookup& message,
                char decimalSeparator) {
    auto caption = [&](std::size_t c) {
        return message ? message(kScanCaptionMessages[c]) : std::string();
    };
    Table table(kScanColumns, 2);
    for (std::size_t c = 0; c < kScanFileColumns; ++c) table.set(c, 0, upperCaption(caption(c)));
    std::size_t lastRow = 0;
    for (const ScanJob& job : jobs) {
        if (job.summary.empty())
            continue;
        // The title line takes over the row in use: row 0 for the first
        // job, the previous job's last stored line after it.
        const std::size_t titleRow = lastRow;
        clearRow(table, titleRow);
        storeFields(table, titleRow, job.summary.front());
        for (std::size_t i = 1; i < job.summary.size(); ++i) {
            ++lastRow;
            if (table.rows() <= lastRow)
                table.resizeRows(lastRow + 1);
            storeFields(table, lastRow, job.summary[i]);
        }
        const std::string values[kScanFileColumns] = {
            job.name,
            job.formula,
            job.method,
            job.basis,
            numberText(job.charge) + "  " + numberText(job.multiplicity),
            formatCpuTime(job.cpuTime.value_or(CpuTime{}), decimalSeparator),
            "OK"};
        for (std::size_t c = 0; c < kScanFileColumns; ++c) {
            table.set(c, titleRow, caption(c));
            table.set(c, titleRow + 1, values[c]);
        }
    }
    // The last stored line is dropped; with none stored the title row stays.
    table.resizeRows(lastRow > 0 ? lastRow : 1);
    return table;
}

std::vector<ScanFile> scanPointsOf(const std::vector<ScanJob>& jobs) {
    std::vector<ScanFile> out;
    for (const ScanJob& job : jobs)
        if (!job.scan.points.empty())
            out.push_back(job.scan);
    return out;
}

}  // namespace zerlant
