#pragma once
// Where each file's block lies in the DetailTable of an Extract run: the
// DetailTable holds one block of rows per row of the ResultTable, in order,
// each block as high as its longest list.

#include <cstddef>
#include <vector>

#include "core/results/resulttables.hpp"

namespace zerlant::plotdata {

// A file's block in the DetailTable: its first row and its height.
struct BlockRows {
    std::size_t first = 0;
    std::size_t height = 0;
};

// The block of every file, in the order of the ResultTable's rows (row k of
// the ResultTable is block k-1).  Empty when the DetailTable does not hold
// one block per ResultTable row.
std::vector<BlockRows> detailBlocks(const Table& resultTable, const DetailTable& detail);

}  // namespace zerlant::plotdata
