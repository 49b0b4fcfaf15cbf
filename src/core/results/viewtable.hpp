#pragma once
// The tables of the results view, built from the typed records of a run: per
// column its title, unit, tool tip and the decimals Gaussian prints the
// quantity with; per cell the value itself.  The window formats a cell only
// to show it and sorts by the value, so no number is ever read back out of a
// formatted cell.  The formula is shown in Hill order here and in the tidy
// exports; the ResultTable and the exports built from it keep the order of
// the Mulliken block.

#include <cstddef>
#include <string>
#include <vector>

#include "core/common/types.hpp"
#include "core/results/extractrecord.hpp"
#include "core/results/resulttables.hpp"
#include "core/results/table.hpp"

namespace zerlant {

// How a number is shown: `decimals` fixed decimals, or up to `decimals`
// with trailing zeros dropped when `trim` (the archive prints energies with
// as many digits as it needs); kAsRead shows the value as it was read.
struct ShownPrecision {
    static constexpr int kAsRead = -1;
    int decimals = kAsRead;
    bool trim = false;
};

// Messages of the view's units, column names and tool tips.
namespace viewmsg {
inline constexpr int kHartree = 400;
inline constexpr int kDebye = 401;
inline constexpr int kCpuTimeUnit = 402;
inline constexpr int kWavenumber = 403;
inline constexpr int kElementaryCharge = 404;
inline constexpr int kAngstrom = 405;
inline constexpr int kAtomicUnits = 406;
inline constexpr int kKcalPerMol = 407;
inline constexpr int kAmu = 408;
inline constexpr int kForceConstantUnit = 409;
inline constexpr int kKmPerMol = 410;
inline constexpr int kRamanUnit = 411;
inline constexpr int kBohrCubed = 412;
inline constexpr int kAtom = 413;
inline constexpr int kCharge = 414;
inline constexpr int kComponent = 415;
// Tool tips of the ResultTable's quantities, in column order from "file" to
// "status": kFirstQuantityTip + column.
inline constexpr int kFirstQuantityTip = 416;
inline constexpr int kOrbitalEnergyTip = 438;
inline constexpr int kMullikenChargeTip = 439;
inline constexpr int kFrequencyTip = 440;
inline constexpr int kSkipped = 441;          // outcome: files without a frequency step
inline constexpr int kNoFrequencyStep = 442;  // note of such a file
}  // namespace viewmsg

// One ResultTable quantity as the view shows it.
struct QuantityView {
    ShownPrecision precision;
    int unit = 0;  // message of the unit, 0 for none
    int tip = 0;   // message naming the quantity, 0 for its caption
};
QuantityView quantityView(ExtractBox box);

// One column of a view table.
struct ViewColumn {
    std::string title;
    std::string unit;  // empty when the quantity has none
    std::string tip;
    ShownPrecision precision;
};

enum class ViewRow { Values, Error, Skipped, Titles };

struct ViewTable {
    std::vector<ViewColumn> columns;
    std::vector<std::vector<CellValue>> cells;  // by row, then column
    std::vector<std::string> rowFiles;          // the file each row belongs to
    std::vector<ViewRow> rowKinds;
    // Where the cells were read from a text table: the texts shown, by row
    // then column (the cells then only sort).  Empty for typed tables.
    std::vector<std::vector<std::string>> texts;
    void addRow(std::vector<CellValue> row, std::string file, ViewRow kind = ViewRow::Values);
    std::size_t rows() const { return cells.size(); }
};

// The value shown for a quantity: resultValue, with the formula in Hill order.
CellValue shownValue(const ExtractRecord& record, ExtractBox box);

// A cell as the view writes it: numbers by `precision` with the separator,
// nothing as `format.missing`.
std::string formatShown(const CellValue& value, const ShownPrecision& precision,
                        const CellFormat& format);

// The number a cell sorts by (a CPU time by its seconds), when it has one.
std::optional<double> sortNumber(const CellValue& value);

// The main table of an Extract run: the file, then the ticked quantities.
// A failed file's values read "Error".
ViewTable extractMainView(const std::vector<ExtractRecord>& records, const ExtractBoxes& boxes,
                          const MessageLookup& messages);

// One block of an Extract run (ExtractBox::Orbitals .. ExtractBox::TD): the
// file on the first of its rows, then the block's columns, laid out as the
// DetailTable lays them out; every file has at least one row.
ViewTable extractBlockView(const std::vector<ExtractRecord>& records, ExtractBox block,
                           const ExtractBoxes& boxes, const MessageLookup& messages);

// A table of the Scan or Aim tool as the view shows it: the texts as the
// run wrote them, the numbers its cells carry, the formula column in Hill
// order.  `formulaColumn` is kNoColumn when the table has none.
ViewTable viewOfTextTable(const Table& table, std::size_t formulaColumn);

}  // namespace zerlant
