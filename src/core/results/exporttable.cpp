#include "core/results/exporttable.hpp"

#include <algorithm>
#include <array>
#include <charconv>

#include "core/text/textutils.hpp"

namespace zerlant {

bool columnaelegida(const ExtractBoxes& boxes, long column) {
    if (column < 0 || column >= static_cast<long>(kResultColumns))
        return true;
    return boxes.ticked(kResultColumnBoxes[static_cast<std::size_t>(column)]);
}

namespace {

// The blocks in the order the export writes them: check-box order.
constexpr std::array<DetailBlock, kDetailBlocks.size()> kSubBlocks = [] {
    std::array<DetailBlock, kDetailBlocks.size()> ordered{};
    std::size_t n = 0;
    for (const ExtractQuantity& q : kExtractQuantities)
        for (const DetailBlock& b : kDetailBlocks)
            if (b.box == q.box)
                ordered[n++] = b;
    return ordered;
}();

// A count cell as a whole number; an unwritten or unreadable cell, or a
// negative count, is 0.
std::size_t readCount(const std::string& cell) {
    std::string_view t = trimBlanks(cell);
    long value = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size() || value < 0)
        return 0;
    return static_cast<std::size_t>(value);
}

}  // namespace

Table prepararexportacion(const Table& resultTable, const Table& detailTable,
                          const ExtractBoxes& boxes) {
    Table out(kExtractExportColumns, 1);
    std::size_t d = 1;
    bool anyBlock = false;
    for (const auto& sb : kSubBlocks) anyBlock = anyBlock || boxes.ticked(sb.box);

    for (std::size_t f = 1; f < resultTable.rows(); ++f) {
        std::array<std::size_t, 7> counts{};
        std::size_t h = 0;
        std::size_t step = 0;
        for (std::size_t i = 0; i < kSubBlocks.size(); ++i) {
            counts[i] = readCount(detailTable.cell(kSubBlocks[i].countColumn, d));
            if (boxes.ticked(kSubBlocks[i].box))
                h = std::max(h, counts[i]);
            step = std::max(step, counts[i]);
        }

        std::size_t top;
        if (f == 1) {
            top = 0;
            // Title row: the chosen ResultTable titles, then the sub-blocks'.
            std::size_t k = 0;
            for (std::size_t c = 0; c < kResultColumns; ++c)
                if (columnaelegida(boxes, static_cast<long>(c)))
                    out.set(k++, top, resultTable.cell(c, 0));
            for (const auto& sb : kSubBlocks) {
                if (!boxes.ticked(sb.box))
                    continue;
                for (std::size_t j = 0; j < sb.width(); ++j)
                    out.set(k++, top, detailTable.cell(sb.firstColumn + j, 0));
            }
            ++top;
        } else {
            top = out.rows();
            if (anyBlock) {
                for (std::size_t c = 0; c < out.columns(); ++c) out.set(c, top, out.cell(c, 0));
                ++top;
            }
        }
        // The file's rows; at least one, for its ResultTable values.
        out.resizeRows(std::max(out.rows(), top + std::max<std::size_t>(h, 1)));

        std::size_t k = 0;
        for (std::size_t c = 0; c < kResultColumns; ++c)
            if (columnaelegida(boxes, static_cast<long>(c)))
                out.copyCell(k++, top, resultTable, c, f);
        for (std::size_t i = 0; i < kSubBlocks.size(); ++i) {
            const auto& sb = kSubBlocks[i];
            if (!boxes.ticked(sb.box))
                continue;
            for (std::size_t r = 0; r < counts[i]; ++r)
                for (std::size_t j = 0; j < sb.width(); ++j)
                    out.copyCell(k + j, top + r, detailTable, sb.firstColumn + j, d + r);
            k += sb.width();
        }
        d += step;
    }
    return out;
}

std::size_t exportColumnsUsed(const ExtractBoxes& boxes) {
    std::size_t used = 0;
    for (std::size_t c = 0; c < kResultColumns; ++c)
        used += columnaelegida(boxes, static_cast<long>(c)) ? 1 : 0;
    for (const auto& sb : kSubBlocks) used += boxes.ticked(sb.box) ? sb.width() : 0;
    return used;
}

std::string columnasvacias(const Table& table) {
    std::string list;
    for (std::size_t c = 0; c < table.columns(); ++c) {
        bool empty = true;
        for (std::size_t r = 0; r < table.rows() && empty; ++r) empty = table.cell(c, r).empty();
        if (empty) {
            list += ' ';
            list += std::to_string(c);
        }
    }
    return list;
}

}  // namespace zerlant
