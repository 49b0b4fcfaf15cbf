#pragma once
// The Scan tool's run: the summary tables of rigid potential-energy-surface
// scans ("Summary of the potential surface scan:") of the ticked Gaussian
// output files, read into one ScanJob per file, and the ScanTable built from
// those records, one row per scan point.
//
// Layout of the table (kScanColumns wide):
//  * columns 7 on hold the fields of the summary lines, one per column; a
//    first field that reads as a number is stored as a whole number;
//  * each file's title line (its first stored line) is a title row: the
//    check-box captions in columns 0 to 6, the summary's titles from column 7;
//    the file's formula, method, basis set, charge and multiplicity ("0  1",
//    a part not printed as the empty text), CPU time ("0:4:47.5": hours,
//    minutes and seconds as printed, the days before them when there are
//    any; "0:0:0" without one) and status stand in columns 0 to 6 of the row
//    below it;
//  * the first file's title line replaces the capitalised captions of row 0;
//    a later file's title row replaces the previous file's last stored line,
//    and the last stored line of the run is dropped at the end (in a Gaussian
//    output these are the lines between the summary and the archive entry).
//
// Files that did not terminate normally, or hold no summary, leave no trace.
// Normally terminated files that are not scan jobs are to be unticked, and
// NotScanJobsUnticked is due.  Output files are read normalised in memory and never
// changed.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/common/result.hpp"
#include "core/common/types.hpp"
#include "core/results/scanaimexport.hpp"
#include "core/results/table.hpp"
#include "core/scan/scanpoints.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

// One scan job as its output prints it.
struct ScanJob {
    std::string name;  // as in the file list
    std::string path;
    std::string formula;  // field 6 of the archive's first section
    std::string method;
    std::string basis;
    // The first line of the archive's molecule section, "0,1"; nullopt where
    // a part is not a whole number of 16 bits or is missing.
    std::optional<int> charge;
    std::optional<int> multiplicity;
    // " Job cpu time:       0 days  0 hours  4 minutes 47.5 seconds."; the
    // four numbers as printed (they are written back as printed), nullopt
    // without that line.
    std::optional<CpuTime> cpuTime;
    // The summary's stored lines, the title line first: each line's
    // non-empty fields (the line split at single blanks) as printed.  Lines
    // of blanks after the title line are stored without fields; empty lines,
    // rulers ("----") and blank lines before the title line are not stored.
    std::vector<std::vector<std::string>> summary;
    // The summary's points as numbers.
    ScanFile scan;

    // The CPU time in seconds.
    std::optional<double> cpuSeconds() const;
};

struct ScanRun {
    Table table;                      // the ScanTable, built from `files`
    std::vector<ScanJob> files;       // the jobs with a stored summary line, in list order
    std::vector<std::size_t> untick;  // rows of the file list that are not scan jobs
    bool nonScanMet = false;          // NotScanJobsUnticked is due
    std::vector<Error> failures;      // output files that could not be read; they leave no row
    // Output files whose job did not end normally: they leave no row either.
    std::vector<std::string> notTerminated;
};

// Runs the Scan tool over `files` (row 0 is the heading row and is looked at
// like any other ticked row); files whose names do not end in ".out" or
// ".log" are passed over.  The table's captions come from `message`;
// numbers the run writes itself (the CPU time) use `decimalSeparator`.
// nullopt when `progress` cancelled the run.
std::optional<ScanRun> runScan(const FileRows& files, const MessageLookup& message,
                               char decimalSeparator, const RunProgress& progress = {});

// The ScanTable of the jobs, in their order, as laid out above.
Table scanTable(const std::vector<ScanJob>& jobs, const MessageLookup& message,
                char decimalSeparator);

// The points of the jobs that have any, for the plots.
std::vector<ScanFile> scanPointsOf(const std::vector<ScanJob>& jobs);

}  // namespace zerlant
