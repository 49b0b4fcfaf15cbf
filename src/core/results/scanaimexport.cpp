#include "core/results/scanaimexport.hpp"

namespace zerlant {

std::string upperCaption(std::string_view caption) {
    std::string out(caption);
    for (std::size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (c >= 'a' && c <= 'z') {
            out[i] = static_cast<char>(c - 'a' + 'A');
        } else if (c == 0xC3 && i + 1 < out.size()) {
            // U+00E0..U+00FE (except U+00F7, the division sign) are the
            // small letters whose capitals lie 0x20 below them.
            unsigned char next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0xA0 && next <= 0xBE && next != 0xB7)
                out[i + 1] = static_cast<char>(next - 0x20);
            ++i;
        }
    }
    return out;
}

bool columnaelegidascan(long column, const ScanColumnChecks& checks) {
    if (column < 0 || column >= static_cast<long>(checks.size()))
        return true;
    return checks[static_cast<std::size_t>(column)];
}

bool columnaelegidaaim(long column, const AimColumnChecks& checks) {
    if (column < 0 || column >= static_cast<long>(checks.size()))
        return true;
    return checks[static_cast<std::size_t>(column)];
}

namespace {

template <typename Chosen>
Table packChosenColumns(const Table& source, Chosen chosen) {
    Table out(kToolExportColumns, source.rows());
    std::size_t k = 0;
    for (std::size_t c = 0; c < source.columns() && k < out.columns(); ++c) {
        if (!chosen(static_cast<long>(c)))
            continue;
        for (std::size_t r = 0; r < source.rows(); ++r) out.copyCell(k, r, source, c, r);
        ++k;
    }
    return out;
}

}  // namespace

Table prepararexportacionscan(const Table& scanTable, const ScanColumnChecks& checks) {
    return packChosenColumns(scanTable, [&](long c) { return columnaelegidascan(c, checks); });
}

Table prepararexportacionaim(const Table& aimTable, const AimColumnChecks& checks) {
    return packChosenColumns(aimTable, [&](long c) { return columnaelegidaaim(c, checks); });
}

}  // namespace zerlant
