#pragma once
// The tables of the results view, built from the typed records of a run: per
// column its title, unit, tool tip and the decimals Gaussian prints the
// quantity with; per cell the value itself.  The window formats a cell only
// to show it and sorts by the value, so no number is ever read back out of a
// formatted cell.  The formula is shown in Hill order here and in the tidy
// exports; the ResultTable and the exports built from it keep the order of
// the Mulliken block.

#include <array>
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
inline constexpr MessageId kHartree = MessageId::Hartree;
inline constexpr MessageId kDebye = MessageId::Debye;
inline constexpr MessageId kCpuTimeUnit = MessageId::DaysHoursMinutesSeconds;
inline constexpr MessageId kWavenumber = MessageId::Wavenumber;
inline constexpr MessageId kElementaryCharge = MessageId::ElementaryCharge;
inline constexpr MessageId kAngstrom = MessageId::Angstrom;
inline constexpr MessageId kAtomicUnits = MessageId::AtomicUnits;
inline constexpr MessageId kKcalPerMol = MessageId::KcalPerMol;
inline constexpr MessageId kAmu = MessageId::Amu;
inline constexpr MessageId kForceConstantUnit = MessageId::MilliDynePerAngstrom;
inline constexpr MessageId kKmPerMol = MessageId::KmPerMol;
inline constexpr MessageId kRamanUnit = MessageId::RamanActivityUnit;
inline constexpr MessageId kBohrCubed = MessageId::BohrCubed;
inline constexpr MessageId kAtom = MessageId::Atom;
inline constexpr MessageId kCharge = MessageId::Charge;
inline constexpr MessageId kComponent = MessageId::Component;
// Tool tips of the ResultTable's quantities, in column order from "file" to
// "status".
inline constexpr std::array kQuantityTips = {MessageId::FileTip,
                                             MessageId::FormulaTip,
                                             MessageId::MethodTip,
                                             MessageId::BasisSetTip,
                                             MessageId::ChargeMultiplicityTip,
                                             MessageId::SymmetryTip,
                                             MessageId::EnergyTip,
                                             MessageId::EnergyOptTip,
                                             MessageId::MethodEnergyTip,
                                             MessageId::HomoTip,
                                             MessageId::LumoTip,
                                             MessageId::DipoleMomentTip,
                                             MessageId::VolumeTip,
                                             MessageId::CavityRadiusTip,
                                             MessageId::SpatialExtentTip,
                                             MessageId::EpsTip,
                                             MessageId::RSolvTip,
                                             MessageId::NonElectrostaticTip,
                                             MessageId::CavitationTip,
                                             MessageId::DeltaGSolvationTip,
                                             MessageId::CpuTimeTip,
                                             MessageId::StatusTip};
inline constexpr MessageId kOrbitalEnergyTip = MessageId::OrbitalEnergyTip;
inline constexpr MessageId kMullikenChargeTip = MessageId::MullikenChargeTip;
inline constexpr MessageId kFrequencyTip = MessageId::FrequencyTip;
// outcome: files without a frequency step
inline constexpr MessageId kSkipped = MessageId::SkippedNoFrequencies;
inline constexpr MessageId kNoFrequencyStep = MessageId::NoFrequencyStep;  // note of such a file
}  // namespace viewmsg

// One ResultTable quantity as the view shows it.
struct QuantityView {
    ShownPrecision precision;
    MessageId unit{};  // message of the unit, MessageId{} for none
    MessageId tip{};   // message naming the quantity, MessageId{} for its caption
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
