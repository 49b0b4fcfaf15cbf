#pragma once
// The ExportTable: what an export writes, built at export time from a tool's
// tables and the check boxes ticked at that moment, and the empty-column list
// by which the exports leave columns out.

#include <cstddef>
#include <string>

#include "core/results/resulttables.hpp"
#include "core/results/table.hpp"

namespace zerlant {

inline constexpr std::size_t kExtractExportColumns = 55;
inline constexpr std::size_t kToolExportColumns = 38;

// True unless `column` is one of the ResultTable columns 0..21 and its check
// box is unticked.
bool columnaelegida(const ExtractBoxes& boxes, long column);

// The ExportTable of the Extract tool: the chosen ResultTable columns, then
// the chosen sub-blocks of the DetailTable in the order polarizability,
// Mulliken, orbitals, geometry, frequencies, thermochemistry, excited states.
// Each file's block is as high as its tallest chosen sub-block and led by a
// title row when any sub-block is chosen.  A DetailTable without counts (for
// instance re-created empty after the run) gives the ResultTable rows alone.
Table prepararexportacion(const Table& resultTable, const Table& detailTable,
                          const ExtractBoxes& boxes);

// How many leading columns of the Extract ExportTable the chosen quantities
// and blocks fill; the columns after them are empty throughout.
std::size_t exportColumnsUsed(const ExtractBoxes& boxes);

// The numbers of the columns whose every cell, title included, is empty,
// each preceded by a blank (" 3 5"); the empty text when there is none.
std::string columnasvacias(const Table& table);

}  // namespace zerlant
