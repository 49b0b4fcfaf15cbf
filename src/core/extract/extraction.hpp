#pragma once
// The Extract run: walks the working file list, reads every ticked Gaussian
// output file (".out", ".log") once, normalised in memory (the file on disk is
// never changed), and fills the ResultTable (one row of quantities per
// file) and the DetailTable (one block of multi-valued results per file).
// Scan jobs get no row: they are reported for unticking.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/types.hpp"
#include "core/results/extractrecord.hpp"
#include "core/results/resulttables.hpp"
#include "core/results/table.hpp"
#include "core/text/searchtext.hpp"

namespace zerlant {

// Called before each ticked row of the list is looked at, with the row's
// index in the list and its file name; returning false cancels the run.
using ExtractionProgress = std::function<bool(std::size_t index, const std::string& name)>;

struct ExtractionOutcome {
    bool cancelled = false;           // the run was cancelled: no tables
    Table resultTable;                // row 0 the titles, row k the k-th file
    DetailTable detail;               // empty when no file reached it (the caller keeps its own)
    std::vector<std::size_t> untick;  // list rows of scan jobs, to be unticked
    bool scanMet = false;             // ScanJobsSkipped is due
    // Files that could not be opened or read (their rows say "Error"), as
    // "path: reason".
    std::vector<std::string> unreadable;
    // What each row's file gave, typed, row k at index k - 1 (empty lists
    // for a failed file), for the exports that write numbers, not cells.
    std::vector<ExtractRecord> records;
    std::size_t rowCount = 0;  // the rows the files gave, kept or handed on
};

// One file's row as the run takes it, for a caller that writes the rows as
// they come rather than keeping them all.
struct ExtractedRow {
    std::size_t listRow;          // the file's row in the list
    const ExtractRecord& record;  // what the file gave, its blocks as the run keeps them
    const Table& resultRows;      // row 0 the titles, row 1 this file's row
    const DetailTable& detail;    // this file's block alone; empty when no block is kept
};
using ExtractionRowSink = std::function<void(const ExtractedRow&)>;

// True when the name's last four characters, in any case, are ".out" or ".log".
bool isOutputFileName(std::string_view name);

// The run over the list; row 0 (the heading row) is never a file.  Titles
// come from the captions in `boxes`, missing values are NotAvailable.  Files
// are read on `jobs` threads at once (0: one per core), rows in list order.
// What the outcome keeps of each file: everything it read (the window, whose
// plots and views read every block), or only the blocks whose boxes are
// ticked (a run whose only product is its export: its memory then grows with
// the chosen quantities, not with what the files hold).
// With a `sink`, every row goes to it in list order as soon as its file (and
// every file before it) is read, and the outcome keeps none of them: its
// result table holds the titles alone, its records and detail stay empty, so
// that the run's memory does not grow with the number of files.
enum class ExtractionKeeps { Everything, TickedBlocks };

ExtractionOutcome runExtraction(const FileRows& rows, const ExtractBoxes& boxes,
                                const MessageLookup& messages, char decimalSeparator,
                                const ExtractionProgress& progress = {}, std::size_t jobs = 0,
                                ExtractionKeeps keeps = ExtractionKeeps::Everything,
                                const ExtractionRowSink& sink = {});

}  // namespace zerlant
