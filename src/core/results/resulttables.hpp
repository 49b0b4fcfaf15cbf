#pragma once
// The tables of the Extract tool: the check boxes of its panel, the
// ResultTable (one row of 22 quantities per file) and the DetailTable (one
// block of multi-valued results per file), and guardardetalle, which appends a
// file's block to the DetailTable.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/types.hpp"
#include "core/results/table.hpp"

namespace zerlant {

inline constexpr std::size_t kResultColumns = 22;
inline constexpr std::size_t kDetailColumns = 39;

// The check boxes of the Extract panel.  The first 22, in this order, choose
// the columns 0..21 of the ResultTable; the last seven choose the sub-blocks
// of the DetailTable.
enum class ExtractBox : std::size_t {
    File,              // CHKfile
    Formula,           // CHKformula
    Method,            // CHKmetodo
    Basis,             // CHKbase
    Charge,            // CHKcarga
    Symmetry,          // CHKsimetria
    Energy,            // CHKenergia
    EnergyOpt,         // CHKenergiaOPT
    EnergyMethod,      // CHKenergiaOtra
    Homo,              // CHKhomo
    Lumo,              // CHKlumo
    Dipole,            // CHKmomento
    Volume,            // CHKvolumen
    A0,                // CHKa0
    R2,                // CHKr2
    Eps,               // CHKeps
    RSolv,             // CHKrsolv
    NonElectrostatic,  // CHKtg
    Cavitation,        // CHKcav
    DeltaG,            // CHKdg
    CpuTime,           // CHKtiempo
    Status,            // CHKok
    Polar,             // CHKpolar
    Mulliken,          // CHKmulliken
    Orbitals,          // CHKenergiaorbital
    Geometry,          // CHKgeometria
    Freq,              // CHKfreq
    Thermo,            // CHKtermo
    TD,                // CHKTD
};
inline constexpr std::size_t kExtractBoxCount = 29;

// One Extract quantity or block, described once for every consumer: its
// check box (and so its ResultTable column, for the first 22), the key that
// names it on the command line, in settings and in the tidy exports, the
// message of its caption, and whether the panel starts with it ticked.
struct ExtractQuantity {
    ExtractBox box;
    std::string_view key;
    int message;
    bool tickedAtStart;
};

// Every quantity and block, in check-box order.
inline constexpr std::array<ExtractQuantity, kExtractBoxCount> kExtractQuantities = {{
    {ExtractBox::File, "file", 58, true},
    {ExtractBox::Formula, "formula", 69, true},
    {ExtractBox::Method, "method", 70, true},
    {ExtractBox::Basis, "basis", 71, true},
    {ExtractBox::Charge, "charge", 162, false},
    {ExtractBox::Symmetry, "symmetry", 161, false},
    {ExtractBox::Energy, "energy", 73, false},
    {ExtractBox::EnergyOpt, "energy-opt", 66, false},
    {ExtractBox::EnergyMethod, "energy-method", 84, false},
    {ExtractBox::Homo, "homo", 88, false},
    {ExtractBox::Lumo, "lumo", 89, false},
    {ExtractBox::Dipole, "dipole", 74, false},
    {ExtractBox::Volume, "volume", 67, false},
    {ExtractBox::A0, "a0", 68, false},
    {ExtractBox::R2, "r2", 136, false},
    {ExtractBox::Eps, "eps", 75, false},
    {ExtractBox::RSolv, "rsolv", 76, false},
    {ExtractBox::NonElectrostatic, "nonelectrostatic", 83, false},
    {ExtractBox::Cavitation, "cavitation", 77, false},
    {ExtractBox::DeltaG, "deltag", 78, false},
    {ExtractBox::CpuTime, "cputime", 160, false},
    {ExtractBox::Status, "status", 72, true},
    {ExtractBox::Polar, "polar", 135, false},
    {ExtractBox::Mulliken, "mulliken", 163, false},
    {ExtractBox::Orbitals, "orbitals", 85, false},
    {ExtractBox::Geometry, "geometry", 164, false},
    {ExtractBox::Freq, "freq", 165, false},
    {ExtractBox::Thermo, "thermo", 166, false},
    {ExtractBox::TD, "td", 200, false},
}};

struct CheckBoxState {
    std::string caption;  // as the panel shows it
    bool ticked = false;
};

// The state of the Extract panel's check boxes: what the run needs for the
// titles and what the export needs to choose columns and sub-blocks.
class ExtractBoxes {
  public:
    // Captions from the message table, ticks as the panel starts: file,
    // formula, method, basis and status ticked, the others not.
    static ExtractBoxes initial(const MessageLookup& messages);

    CheckBoxState& operator[](ExtractBox b) { return boxes_[static_cast<std::size_t>(b)]; }
    const CheckBoxState& operator[](ExtractBox b) const {
        return boxes_[static_cast<std::size_t>(b)];
    }
    bool ticked(ExtractBox b) const { return (*this)[b].ticked; }
    const std::string& caption(ExtractBox b) const { return (*this)[b].caption; }
    void setAll(bool ticked);

  private:
    std::array<CheckBoxState, kExtractBoxCount> boxes_{};
};

// The message number of each box's caption, in ExtractBox order.
int extractBoxMessage(ExtractBox b);

// The title row of a new ResultTable: 22 columns, the upper-cased captions.
Table newResultTable(const ExtractBoxes& boxes);

// The multi-valued results of one file as guardardetalle lays them out.
// Lists are indexed from 0 here; their lengths are the counts.
struct FileDetail {
    std::vector<std::string> orbitalLabels;
    std::vector<std::string> orbitalSymmetries;
    std::vector<double> orbitalEnergies;
    bool polarFound = false;
    std::array<double, 6> polar{};  // components [11] [12] [13] [22] [23] [33]
    std::vector<std::string> mullikenSymbols;
    std::vector<double> mullikenCharges;
    std::vector<std::array<std::string, 7>> geometry;  // per atom, fields 1..7
    bool freqFound = false;
    std::vector<std::array<double, 7>> frequencies;  // per mode, fields 1..7
    std::vector<std::array<double, 3>> thermo;       // per row: E, Cv, S
    bool tdFound = false;
    std::vector<std::array<double, 5>> states;                // per state: number, eV, nm, f, R
    std::vector<std::array<std::string, 2>> transitionTexts;  // state number, "5->"
    std::vector<std::array<double, 2>> transitionNumbers;     // state number, target orbital
};

// The DetailTable with its two counters.  filasdetalle is the last row in use.
struct DetailTable {
    Table table;
    std::size_t contadorficheros = 0;
    std::size_t filasdetalle = 0;
};

// The count columns of the seven sub-blocks, in the order orbitals,
// polarizability, Mulliken, geometry, frequencies, thermochemistry, excited
// states.
inline constexpr std::array<std::size_t, 7> kDetailCountColumns = {3, 6, 9, 17, 25, 30, 38};

// Appends one file's block.  Status "OK" lays out the lists; any other status
// gives one row of "Error" with 1 in every count column.  The first call after
// the counters were reset re-creates the table with its titles.
void guardardetalle(DetailTable& detail, std::string_view status, const FileDetail& lists,
                    const ExtractBoxes& boxes, const MessageLookup& messages,
                    char decimalSeparator);

}  // namespace zerlant
