#pragma once
// The text export: an ExportTable as separated text, one line per row, the
// columns that are empty throughout left out.  A cell holding the separator,
// a double quote, CR or LF is written in double quotes with its quotes
// doubled; every other cell as it stands.

#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.hpp"
#include "core/files/atomicwrite.hpp"
#include "core/results/table.hpp"

namespace zerlant {

// The name of the export file for the folder the browser shows: the folder's
// last component followed by ".txt" (".txt" alone for the root folder).
std::string exportFileName(std::string_view currentFolder);

// The table as text: every row a line ending in `lineEnd`; a cell of column 0
// has nothing before it, every other written cell the separator.
std::string exportTextBytes(const Table& table, std::string_view separator,
                            std::string_view lineEnd = "\r\n");

// The text export of an ExportTable that arrives in pieces, each laid out
// like the whole table with the titles in its row 0.  When every column
// before `usedColumns` has a title (the columns after it are empty
// throughout), the columns left out are known from the titles alone and the
// lines are given as each piece comes; otherwise the rows are held until
// finish(), which gives them as exportTextBytes would.  Either way the
// concatenated text is exportTextBytes of the table made of the pieces.
class ExportTextStream {
  public:
    ExportTextStream(std::string_view separator, std::string_view lineEnd, std::size_t usedColumns);
    // The lines of the rows from `from` on of `piece`; the first piece must
    // start with its titles (from 0).
    std::string add(const Table& piece, std::size_t from);
    // The lines held back, if any.
    std::string finish();

  private:
    std::string separator_;
    std::string lineEnd_;
    std::size_t used_;
    bool started_ = false;
    bool streaming_ = false;
    std::vector<std::size_t> written_;
    Table held_;
};

// Appends the rows from `from` on of `piece` to `table` (same columns).
void appendRows(Table& table, const Table& piece, std::size_t from);

// Writes the table with CR LF line ends to `path` with the atomic writer,
// under `rule`.  The error is returned, never swallowed.
Status writeExportText(const Table& table, std::string_view separator, const std::string& path,
                       const WriteRule& rule = WriteRule::rewrite());

// The export of the text buttons: the file <programFolder>/<exportFileName>
// (the program's folder and the folder the browser shows are passed in).
// Gives the path written, or the error when that folder cannot be written.
Result<std::string> exportartexto(const Table& table, std::string_view separator,
                                  const std::string& programFolder, std::string_view currentFolder);

}  // namespace zerlant
