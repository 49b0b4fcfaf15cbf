#pragma once
// The Scan tool's run: the summary tables of rigid potential-energy-surface
// scans ("Summary of the potential surface scan:") of the ticked Gaussian
// output files, one row per scan point, in the ScanTable.
//
// Layout of the table (kScanColumns wide):
//  * columns 7 on hold the fields of the summary lines, one per column; a
//    first field that reads as a number is stored as a whole number;
//  * each file's title line (its first stored line) is a title row: the
//    check-box captions in columns 0 to 6, the summary's titles from column 7;
//    the file's formula, method, basis set, charge and multiplicity, CPU time
//    and status stand in columns 0 to 6 of the row below it;
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

namespace zerlant {

struct ScanRun {
    Table table;                      // the ScanTable
    std::vector<std::size_t> untick;  // rows of the file list that are not scan jobs
    bool nonScanMet = false;          // NotScanJobsUnticked is due
    std::vector<Error> failures;      // output files that could not be read; they leave no row
    // The points of each file that gave rows, as numbers: what plots and
    // their CSV use (the table's texts are for showing and exporting).
    std::vector<ScanFile> files;
    // Output files whose job did not end normally: they leave no row either.
    std::vector<std::string> notTerminated;
};

// Runs the Scan tool over `files` (row 0 is the heading row and is looked at
// like any other ticked row); files whose names do not end in ".out" or
// ".log" are passed over.  Numbers the run writes itself (the CPU time) use
// `decimalSeparator`.  nullopt when `progress` cancelled the run.
std::optional<ScanRun> runScan(const FileRows& files, const MessageLookup& message,
                               char decimalSeparator, const RunProgress& progress = {});

}  // namespace zerlant
