#pragma once
// The lines of a spectrum as an Extract run left them in its tables: the
// DetailTable holds one block of rows per row of the ResultTable, in order,
// each block as high as its longest list.

#include <cstddef>
#include <vector>

#include "core/plotdata/plotscene.hpp"
#include "core/results/resulttables.hpp"

namespace zerlant::plotdata {

// Where a file's block lies in the DetailTable: its first row and its height.
struct BlockRows {
    std::size_t first = 0;
    std::size_t height = 0;
};

// The block of every file, in the order of the ResultTable's rows (row k of
// the ResultTable is block k-1).  Empty when the DetailTable does not hold
// one block per ResultTable row.
std::vector<BlockRows> detailBlocks(const Table& resultTable, const DetailTable& detail);

// The lines of `kind` of each file (named by column 0 of its ResultTable
// row); files without any line, or whose lines are all of strength 0, are
// left out.  Numbers are read with either
// separator.
std::vector<NamedSticks> sticksFromTables(const Table& resultTable, const DetailTable& detail,
                                          Kind kind);

}  // namespace zerlant::plotdata
