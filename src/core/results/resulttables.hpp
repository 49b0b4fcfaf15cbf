#pragma once
// The tables of the Extract tool: the check boxes of its panel, the
// ResultTable (one row of 22 quantities per file) and the DetailTable (one
// block of multi-valued results per file), and guardardetalle, which appends a
// file's block to the DetailTable.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/types.hpp"
#include "core/gaussian/normalmodes.hpp"
#include "core/gaussian/orientation.hpp"
#include "core/results/table.hpp"

namespace zerlant {

// The ResultTable: the 22 quantities every Extract run tabulates, then the
// five job-health columns, which are shown and exported only when chosen.
inline constexpr std::size_t kResultColumns = 27;
inline constexpr std::size_t kDetailColumns = 39;

// The check boxes of the Extract panel.  The first 22, in this order, choose
// the columns 0..21 of the ResultTable; the next seven choose the sub-blocks
// of the DetailTable; the last five, the job-health columns 22..26.
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
    Reason,            // why the job failed
    ImaginaryCount,    // imaginary modes of the last frequency step
    LowestFrequency,
    SpinSquared,  // <S**2> after annihilation
    Converged,    // the last optimisation found a stationary point
};
inline constexpr std::size_t kExtractBoxCount = 34;
inline constexpr std::size_t kNoColumn = ~std::size_t(0);

// One Extract quantity or block, described once for every consumer: its
// check box, the key that names it on the command line, in settings and in
// the tidy exports, the message of its caption, whether the panel starts with
// it ticked, its ResultTable column (kNoColumn for a block), and whether
// "all" leaves it out (the job-health columns read each file whole, and the
// tables people and scripts keep have no such columns).
struct ExtractQuantity {
    ExtractBox box;
    std::string_view key;
    MessageId message;
    bool tickedAtStart;
    std::size_t column;
    bool onlyWhenNamed = false;
};

// Every quantity and block, in check-box order.
inline constexpr std::array<ExtractQuantity, kExtractBoxCount> kExtractQuantities = {{
    {ExtractBox::File, "file", MessageId::File, true, 0},
    {ExtractBox::Formula, "formula", MessageId::Formula, true, 1},
    {ExtractBox::Method, "method", MessageId::Method, true, 2},
    {ExtractBox::Basis, "basis", MessageId::BasisSet, true, 3},
    {ExtractBox::Charge, "charge", MessageId::ChargeMultiplicity, false, 4},
    {ExtractBox::Symmetry, "symmetry", MessageId::Symmetry, false, 5},
    {ExtractBox::Energy, "energy", MessageId::Energy, false, 6},
    {ExtractBox::EnergyOpt, "energy-opt", MessageId::EnergyOpt, false, 7},
    {ExtractBox::EnergyMethod, "energy-method", MessageId::MethodEnergy, false, 8},
    {ExtractBox::Homo, "homo", MessageId::Homo, false, 9},
    {ExtractBox::Lumo, "lumo", MessageId::Lumo, false, 10},
    {ExtractBox::Dipole, "dipole", MessageId::DipoleMoment, false, 11},
    {ExtractBox::Volume, "volume", MessageId::Volume, false, 12},
    {ExtractBox::A0, "a0", MessageId::CavityRadius, false, 13},
    {ExtractBox::R2, "r2", MessageId::SpatialExtent, false, 14},
    {ExtractBox::Eps, "eps", MessageId::Eps, false, 15},
    {ExtractBox::RSolv, "rsolv", MessageId::RSolv, false, 16},
    {ExtractBox::NonElectrostatic, "nonelectrostatic", MessageId::NonElectrostatic, false, 17},
    {ExtractBox::Cavitation, "cavitation", MessageId::Cavitation, false, 18},
    {ExtractBox::DeltaG, "deltag", MessageId::DeltaGSolvation, false, 19},
    {ExtractBox::CpuTime, "cputime", MessageId::CpuTime, false, 20},
    {ExtractBox::Status, "status", MessageId::Status, true, 21},
    {ExtractBox::Polar, "polar", MessageId::Polarizability, false, kNoColumn},
    {ExtractBox::Mulliken, "mulliken", MessageId::MullikenCharges, false, kNoColumn},
    {ExtractBox::Orbitals, "orbitals", MessageId::OrbitalEnergies, false, kNoColumn},
    {ExtractBox::Geometry, "geometry", MessageId::Geometry, false, kNoColumn},
    {ExtractBox::Freq, "freq", MessageId::Frequencies, false, kNoColumn},
    {ExtractBox::Thermo, "thermo", MessageId::ThermochemistryBlock, false, kNoColumn},
    {ExtractBox::TD, "td", MessageId::ExcitedStates, false, kNoColumn},
    {ExtractBox::Reason, "reason", MessageId::FailureReason, false, 22, true},
    {ExtractBox::ImaginaryCount, "nimag", MessageId::ImaginaryFrequencies, false, 23, true},
    {ExtractBox::LowestFrequency, "lowest_freq", MessageId::LowestFrequency, false, 24, true},
    {ExtractBox::SpinSquared, "s2", MessageId::SpinSquared, false, 25, true},
    {ExtractBox::Converged, "converged", MessageId::OptimisationConverged, false, 26, true},
}};

// The box of each ResultTable column, from the table above.
inline constexpr std::array<ExtractBox, kResultColumns> kResultColumnBoxes = [] {
    std::array<ExtractBox, kResultColumns> boxes{};
    for (const ExtractQuantity& q : kExtractQuantities)
        if (q.column != kNoColumn)
            boxes[q.column] = q.box;
    return boxes;
}();

// The quantity of a box.
constexpr const ExtractQuantity& extractQuantity(ExtractBox b) {
    return kExtractQuantities[static_cast<std::size_t>(b)];
}

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
    // Every box but those "all" leaves out, which are unticked.
    void setAll(bool ticked);

  private:
    std::array<CheckBoxState, kExtractBoxCount> boxes_{};
};

// The names of the first thermochemistry rows of a file, as Gaussian prints
// them; the rows after them are its low vibrations.
inline constexpr std::array kThermoRowMessages = {
    MessageId::ThermoTotal, MessageId::ThermoElectronic, MessageId::ThermoTranslational,
    MessageId::ThermoRotational, MessageId::ThermoVibrational};

// The message of each box's caption.
MessageId extractBoxMessage(ExtractBox b);

// The title row of a new ResultTable: 22 columns, the upper-cased captions.
Table newResultTable(const ExtractBoxes& boxes);

// The spin and the occupancy of an eigenvalue as its summary line names them
// ("Alpha  occ. eigenvalues --"); None where the line names none.
enum class OrbitalSpin : unsigned char { None, Alpha, Beta };
enum class OrbitalOccupancy : unsigned char { None, Occupied, Virtual };
struct OrbitalKind {
    OrbitalSpin spin = OrbitalSpin::None;
    OrbitalOccupancy occupancy = OrbitalOccupancy::None;
    bool operator==(const OrbitalKind&) const = default;
};

// "Alpha - " or "Beta - " and the occupancy word (Occupied, Virtual): the
// label of an eigenvalue in the tables.
std::string orbitalLabel(OrbitalKind kind, const MessageLookup& message);

// The multi-valued results of one file as guardardetalle lays them out.
// Lists are indexed from 0 here; their lengths are the counts.  Nothing here
// depends on the language: the tables build their texts from it.
struct FileDetail {
    std::vector<OrbitalKind> orbitalKinds;  // one per eigenvalue
    std::vector<std::string> orbitalSymmetries;
    std::vector<double> orbitalEnergies;
    bool polarFound = false;
    std::array<double, 6> polar{};  // components [11] [12] [13] [22] [23] [33]
    std::vector<std::string> mullikenSymbols;
    std::vector<double> mullikenCharges;
    std::vector<std::array<std::string, 7>> geometry;  // per atom, fields 1..7, as printed
    // The Cartesian geometry as numbers: of the last printed orientation
    // (standard, else input) of the step the geometry table shows.  Empty when
    // the file prints none (the table may still show a Z-matrix).
    std::vector<CartesianAtom> atoms;
    bool freqFound = false;
    std::vector<std::array<double, 7>> frequencies;  // per mode, fields 1..7
    // Per mode of `frequencies`, its displacement per atom (x, y, z); empty
    // when the printout holds none that can be read whole.
    std::vector<std::vector<std::array<double, 3>>> displacements;
    std::vector<std::array<double, 3>> thermo;  // per row: E, Cv, S
    bool tdFound = false;
    std::vector<std::array<double, 5>> states;                // per state: number, eV, nm, f, R
    std::vector<std::array<std::string, 2>> transitionTexts;  // state number, "5->"
    std::vector<std::array<double, 2>> transitionNumbers;     // state number, target orbital
};

// Job health of one output file: why it failed, its imaginary modes, spin
// contamination and whether its last optimisation converged.
struct JobHealth {
    // Empty for a job whose last termination line is a normal one; "no
    // termination line" for a job that stopped; otherwise the failing link,
    // a colon and Gaussian's own error line when one is found ("l301: Atomic
    // number out of range for 6-311G basis.").
    std::string reason;
    // Of the last harmonic-frequency block: the number of imaginary modes and
    // the lowest frequency (cm-1, negative when imaginary).  nullopt without
    // frequencies.
    std::optional<int> nimag;
    std::optional<double> lowestFrequency;
    // <S**2> after annihilation of the last SCF that prints it.
    std::optional<double> s2;
    // Whether the last optimisation found a stationary point; nullopt when
    // the job has no optimisation.
    std::optional<bool> converged;
};

// The DetailTable with its two counters.  filasdetalle is the last row in use.
struct DetailTable {
    Table table;
    std::size_t contadorficheros = 0;
    std::size_t filasdetalle = 0;
};

// Where each block lies in a DetailTable row: its value columns
// [firstColumn, countColumn) and the column that counts its rows, in the
// DetailTable's order.  The exports and the windows lay blocks out from this.
struct DetailBlock {
    ExtractBox box;
    std::size_t firstColumn;
    std::size_t countColumn;
    constexpr std::size_t width() const { return countColumn - firstColumn; }
};
inline constexpr std::array<DetailBlock, 7> kDetailBlocks = {{
    {ExtractBox::Orbitals, 0, 3},
    {ExtractBox::Polar, 4, 6},
    {ExtractBox::Mulliken, 7, 9},
    {ExtractBox::Geometry, 10, 17},
    {ExtractBox::Freq, 18, 25},
    {ExtractBox::Thermo, 26, 30},
    {ExtractBox::TD, 31, 38},
}};
static_assert(kDetailBlocks.back().countColumn + 1 == kDetailColumns);

// Appends one file's block.  Status "OK" lays out the lists; any other status
// gives one row of "Error" with 1 in every count column.  The first call after
// the counters were reset re-creates the table with its titles.
void guardardetalle(DetailTable& detail, std::string_view status, const FileDetail& lists,
                    const ExtractBoxes& boxes, const MessageLookup& messages,
                    char decimalSeparator);

}  // namespace zerlant
