#pragma once
// Whole result tables compared with reviewed tables of their cells.

#include <gtest/gtest.h>

#include <string>

#include "core/results/table.hpp"
#include "testsupport.hpp"

namespace zerlant::testing {

// Compares every cell of `t` with the table under tests/ at `expectedTsv`
// (one line a row, cells tab-separated, read by caseRows).  A difference is
// named by its row and by its column's expected title in the nearest title
// row above it (a row whose first cell is that of row 0).
inline void expectTable(const Table& t, const std::string& expectedTsv) {
    const auto rows = caseRows(expectedTsv);
    ASSERT_FALSE(rows.empty()) << expectedTsv;
    ASSERT_EQ(t.rows(), rows.size()) << expectedTsv;
    std::size_t titles = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), t.columns()) << expectedTsv << " row " << r;
        if (rows[r][0] == rows[0][0])
            titles = r;
        for (std::size_t c = 0; c < t.columns(); ++c)
            EXPECT_EQ(t.cell(c, r), rows[r][c]) << expectedTsv << " row " << r << ", "
                                                << rows[titles][c] << " (column " << c << ")";
    }
}

}  // namespace zerlant::testing
