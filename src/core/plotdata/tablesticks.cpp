#include "core/plotdata/tablesticks.hpp"

#include <algorithm>

#include "core/plotdata/numbertext.hpp"
#include "core/plotdata/sources.hpp"

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

std::vector<NamedSticks> sticksFromTables(const Table& resultTable, const DetailTable& detail,
                                          Kind kind) {
    std::vector<NamedSticks> out;
    const auto blocks = detailBlocks(resultTable, detail);
    const Table& t = detail.table;
    // Frequencies: frequency in column 18, IR intensity 21, Raman activity 22.
    // Excited states: energy (eV) in column 32, f 34, R 35.
    const std::size_t position = isVibrational(kind) ? 18 : 32;
    const std::size_t strength = kind == Kind::Ir      ? 21
                                 : kind == Kind::Raman ? 22
                                 : kind == Kind::Uv    ? 34
                                                       : 35;
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        NamedSticks file{resultTable.cell(0, k + 1), {}};
        for (std::size_t r = blocks[k].first; r < blocks[k].first + blocks[k].height; ++r) {
            auto x = numberIn(t.cell(position, r));
            auto y = numberIn(t.cell(strength, r));
            if (x && y && *x != 0.0)
                file.sticks.push_back({*x, *y});
        }
        file.sticks = withoutAllZero(std::move(file.sticks));
        if (!file.sticks.empty())
            out.push_back(std::move(file));
    }
    return out;
}

}  // namespace zerlant::plotdata
