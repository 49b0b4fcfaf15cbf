#pragma once
// Where the rows of zerlant-cli extract go as the run gives them: standard
// output, or a file that takes its place only once the run has ended (a run
// without a row writes none).  Each format is written as the whole-table
// export would write it, byte for byte: the ';' text, CSV, JSON and XYZ row
// by row; the workbook, which the library writes whole, from a table kept to
// the end.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/tablecommand.hpp"
#include "core/extract/extraction.hpp"
#include "core/files/atomicwrite.hpp"
#include "core/results/resulttables.hpp"
#include "core/results/table.hpp"
#include "core/results/textexport.hpp"

namespace zerlant::cli {

class ExtractOutput {
  public:
    // `tidy` is "csv", "json", "xyz" or "" (the export table).
    ExtractOutput(const TableCommand& command, std::string tidy, const ExtractBoxes& boxes);

    // One row of the run, in list order.
    void take(const ExtractedRow& row);
    // Files left out of the XYZ output for want of a Cartesian geometry.
    const std::vector<std::string>& skipped() const { return skipped_; }
    // Writes what is left and puts the file in place.  Returns 0, or 1 after
    // reporting why the file could not be written.
    int finish();

  private:
    void put(std::string_view bytes);

    const TableCommand& command_;
    std::string tidy_;
    const ExtractBoxes& boxes_;
    bool anyBlock_ = false;
    std::size_t rows_ = 0;
    ExportTextStream text_;
    std::optional<Table> workbook_;  // the whole export table, for a .xlsx file
    std::vector<std::string> skipped_;
    AtomicFile file_;
    bool opened_ = false;
    std::optional<Error> failure_;  // the first failure to write the file
};

}  // namespace zerlant::cli
