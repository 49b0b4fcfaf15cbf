#include "core/plotdata/tablesticks.hpp"

#include <algorithm>

#include "core/plotdata/numbertext.hpp"

namespace zerlant::plotdata {

std::vector<BlockRows> detailBlocks(const Table& resultTable, const DetailTable& detail) {
    std::vector<BlockRows> blocks;
    const Table& t = detail.table;
    if (resultTable.rows() < 2)
        return blocks;
    std::size_t row = 1;
    for (std::size_t k = 1; k < resultTable.rows(); ++k) {
        if (row >= t.rows())
            return {};
        std::size_t height = 1;
        for (const DetailBlock& sub : kDetailBlocks)
            if (auto n = numberIn(t.cell(sub.countColumn, row)); n && *n >= 1)
                height = std::max(height, static_cast<std::size_t>(*n));
        blocks.push_back({row, height});
        row += height;
    }
    if (row != t.rows())
        return {};
    return blocks;
}

}  // namespace zerlant::plotdata
