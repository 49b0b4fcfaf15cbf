// Fuzz target: the CSV export of a Gaussian output whose texts are hostile
// bytes: valid UTF-8, a header and one row per file, as many cells in each
// (quoted fields may hold line breaks).

#include "core/results/tidyexport.hpp"
#include "writerfuzz.hpp"

using namespace zerlant;

namespace {

// The rows of an RFC 4180 text and the cell count of each.
std::vector<std::size_t> cellCounts(const std::string& csv) {
    std::vector<std::size_t> rows;
    std::size_t cells = 1;
    bool quoted = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            ++cells;
        else if (!quoted && c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
            rows.push_back(cells);
            cells = 1;
            ++i;
        }
    }
    fuzz::require(!quoted);
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ExtractBoxes boxes;
    const std::vector<ExtractRecord> records = fuzz::recordsOf(data, size, boxes);
    const std::string csv = tidyCsv(TidyResults{records}, boxes);
    fuzz::require(isValidUtf8(csv));
    const std::vector<std::size_t> rows = cellCounts(csv);
    fuzz::require(rows.size() == records.size() + 1);
    for (std::size_t n : rows) fuzz::require(n == rows.front());
    return 0;
}
