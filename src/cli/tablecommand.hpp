#pragma once
// What the reading commands (extract, scan, aim) share: their common options
// (--select LIST, --all, -o FILE, --lang NAME, --decimal-separator C, the
// files and --files-from), the choice of columns by name, the notices of a run, the messages of
// the language file, a progress line on a terminal, and the writing of the
// export table to standard output, a text file or a spreadsheet.

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.hpp"
#include "cli/fileargs.hpp"
#include "core/common/types.hpp"
#include "core/results/table.hpp"

namespace zerlant::cli {

struct TableCommand {
    std::string tool;                     // "extract", "scan", "aim": used in messages
    std::optional<std::string> select;    // --select LIST
    bool all = false;                     // --all
    std::optional<std::string> output;    // -o FILE
    std::optional<std::string> language;  // --lang NAME
    std::optional<char> separatorGiven;   // --decimal-separator C
    char decimalSeparator = '.';          // that C, else the one of the user's locale
    unsigned jobs = 1;                    // -j N (extract): files read at once
    std::string format;                   // --format csv|json (extract): tidy output
    FileArguments input;                  // FILE..., --files-from, --null
    std::vector<std::string> files;       // every file, in the order given
    // Filled by loadMessages:
    MessageLookup messages;
    std::string programFolder;
};

// Declares the reading command `tool` with its shared options, bound to
// `command`.  `names` are the keys of --select, listed in its help with
// `selectHelp` after them; `about` is the text that ends the command's help,
// before the exit statuses.
CLI::App& addTableCommand(CLI::App& program, TableCommand& command, const std::string& tool,
                          const std::string& summary, std::span<const std::string_view> names,
                          const std::string& selectHelp, const std::string& about);

// Completes the command after parsing: reads the --files-from list, sets the
// decimal separator.  Returns the exit status when the command must stop: 2
// without any file named (and no --files-from), 1 when the list cannot be read
// or names no file.
std::optional<int> finishTableCommand(TableCommand& command);

// Calls tick(c) for every name of --select that equals names[c] (names are
// comma-separated, blanks around them ignored).  Returns 2 after a usage error
// naming the unknown name and listing the valid ones, nullopt when every name
// is known.
std::optional<int> tickSelected(const TableCommand& command,
                                std::span<const std::string_view> names,
                                const std::function<void(std::size_t)>& tick);

// Reports every row whose file is not a Gaussian output (.out, .log) as skipped.
void reportNonOutputFiles(const TableCommand& command, const FileRows& rows);

// Reports the notice of message `id` (or `fallback` when the language file
// lacks it), then the paths of the rows left out, one per line.
void reportLeftOut(const TableCommand& command, MessageId id, const char* fallback,
                   const FileRows& rows, const std::vector<std::size_t>& leftOut);

// The end of a reading command's help: the exit statuses.
const char* tableExitHelp();

// Exit status 1 with a notice on stderr when the table holds no data row at all
// (`rows` counts the data rows), else `status`.
int failWhenEmpty(const TableCommand& command, std::size_t rows, int status);

// The decimal separator of the user's locale (LC_NUMERIC, LC_ALL, LANG),
// '.' when none is set; the process locale itself is not changed.
char localeDecimalSeparator();

// Loads the messages of the current language, or of --lang.  Returns the exit
// status when the command must stop: 2 for an unknown --lang, 1 when the
// language file cannot be read.
std::optional<int> loadMessages(TableCommand& command);

// "The file list" as the core tools take it: a heading row, then one checked
// row per file (name = the file name, path = as given).
FileRows fileRowsOf(const std::vector<std::string>& files);

// Writes the export table: to standard output (LF line ends) without -o, as a
// spreadsheet when FILE ends in ".xlsx", otherwise as the text export (";"
// between cells, CR LF line ends).  A table without a data row writes no
// file.  Returns 0, or 1 after reporting a failure to write the file on
// stderr (standard output is checked once the command ends).
int writeExportTable(const TableCommand& command, const Table& exportTable);

// A progress line on stderr, only when stderr is a terminal and the run has
// taken longer than a second; cleared at the end.
class ProgressLine {
  public:
    ProgressLine();
    ~ProgressLine();
    void show(std::size_t done, std::size_t total, const std::string& name);
    // A run's progress callback showing this line; it never cancels the run.
    std::function<bool(std::size_t, const std::string&)> callback(std::size_t total);
    void clear();

  private:
    bool terminal_ = false;
    bool shown_ = false;
    std::chrono::steady_clock::time_point start_;
};

// Prints "zerlant-cli: TOOL: TEXT" on stderr.
void reportProblem(const TableCommand& command, const std::string& text);

}  // namespace zerlant::cli
