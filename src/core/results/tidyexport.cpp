#include "core/results/tidyexport.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>
#include <type_traits>
#include <variant>

#include "core/results/viewtable.hpp"
#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"
#include "core/text/utf8.hpp"

namespace zerlant {

namespace {

using Json = nlohmann::ordered_json;

// The chosen single-valued quantities, in column order.
std::vector<const ExtractQuantity*> chosenColumns(const ExtractBoxes& boxes) {
    std::vector<const ExtractQuantity*> chosen;
    for (ExtractBox box : kResultColumnBoxes)
        if (boxes.ticked(box))
            chosen.push_back(&extractQuantity(box));
    return chosen;
}

// Numbers as the tables write them (15 significant digits), texts as texts
// even where they look like numbers, nothing as null.
Json jsonOf(const CellValue& value) {
    return std::visit(
        [](const auto& v) -> Json {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return nullptr;
            else if constexpr (std::is_same_v<T, double>)
                return toDouble(formatNumber(v, '.')).value_or(v);
            else if constexpr (std::is_same_v<T, std::string>)
                return v.empty() ? Json(nullptr) : Json(anyBytesAsUtf8(v));
            else if constexpr (std::is_same_v<T, CpuTime>)
                return formatCpuTime(v, '.');
            else
                return v;
        },
        value);
}

Json number(double v) {
    return std::isnan(v) ? Json(nullptr) : Json(v);
}

constexpr std::array<const char*, 7> kFrequencyKeys = {"frequency_cm-1",
                                                       "reduced_mass_amu",
                                                       "force_constant_mdyne_per_angstrom",
                                                       "ir_intensity_km_per_mol",
                                                       "raman_activity_a4_per_amu",
                                                       "depolarization_plane",
                                                       "depolarization_unpolarized"};
constexpr std::array<const char*, 5> kThermoTerms = {"total", "electronic", "translational",
                                                     "rotational", "vibrational"};
constexpr std::array<const char*, 6> kPolarKeys = {"xx", "xy", "xz", "yy", "yz", "zz"};

Json blocksOf(const FileDetail& d, const ExtractBoxes& boxes, Json record) {
    if (boxes.ticked(ExtractBox::Polar)) {
        Json polar = nullptr;
        if (d.polarFound) {
            polar = Json::object();
            for (std::size_t i = 0; i < 6; ++i) polar[kPolarKeys[i]] = number(d.polar[i]);
        }
        record["polarizability_bohr3"] = polar;
    }
    if (boxes.ticked(ExtractBox::Mulliken)) {
        Json atoms = Json::array();
        for (std::size_t i = 0; i < d.mullikenSymbols.size(); ++i)
            atoms.push_back(
                {{"atom", i + 1},
                 {"element", anyBytesAsUtf8(d.mullikenSymbols[i])},
                 {"charge_e",
                  i < d.mullikenCharges.size() ? number(d.mullikenCharges[i]) : Json(nullptr)}});
        record["mulliken"] = atoms;
    }
    if (boxes.ticked(ExtractBox::Orbitals)) {
        Json orbitals = Json::array();
        for (std::size_t i = 0; i < d.orbitalEnergies.size(); ++i) {
            const OrbitalKind kind = i < d.orbitalKinds.size() ? d.orbitalKinds[i] : OrbitalKind{};
            const std::string symmetry =
                i < d.orbitalSymmetries.size() ? d.orbitalSymmetries[i] : std::string();
            orbitals.push_back(
                {{"orbital", i + 1},
                 {"spin", kind.spin == OrbitalSpin::Alpha  ? Json("alpha")
                          : kind.spin == OrbitalSpin::Beta ? Json("beta")
                                                           : Json(nullptr)},
                 {"occupied", kind.occupancy == OrbitalOccupancy::None
                                  ? Json(nullptr)
                                  : Json(kind.occupancy == OrbitalOccupancy::Occupied)},
                 {"symmetry", symmetry.empty() ? Json(nullptr) : Json(anyBytesAsUtf8(symmetry))},
                 {"energy_hartree", number(d.orbitalEnergies[i])}});
        }
        record["orbitals"] = orbitals;
    }
    if (boxes.ticked(ExtractBox::Geometry)) {
        // The printed Cartesian geometry only: a Z-matrix has no place here.
        Json atoms = Json::array();
        for (std::size_t i = 0; i < d.atoms.size(); ++i) {
            const CartesianAtom& a = d.atoms[i];
            atoms.push_back({{"atom", i + 1},
                             {"atomic_number", a.atomicNumber},
                             {"element", a.symbol.empty() ? Json(nullptr) : Json(a.symbol)},
                             {"x_angstrom", number(a.x)},
                             {"y_angstrom", number(a.y)},
                             {"z_angstrom", number(a.z)}});
        }
        record["geometry"] = atoms;
    }
    if (boxes.ticked(ExtractBox::Freq)) {
        Json modes = Json::array();
        if (d.freqFound)
            for (std::size_t k = 0; k < d.frequencies.size(); ++k) {
                const auto& mode = d.frequencies[k];
                if (std::isnan(mode[0]))
                    continue;  // no printout
                Json m = Json::object();
                m["mode"] = k + 1;
                for (std::size_t i = 0; i < mode.size(); ++i)
                    m[kFrequencyKeys[i]] = number(mode[i]);
                // Normalised Cartesian displacements, per atom.
                Json displacements = Json::array();
                if (k < d.displacements.size())
                    for (std::size_t a = 0; a < d.displacements[k].size(); ++a) {
                        const auto& v = d.displacements[k][a];
                        displacements.push_back({{"atom", a + 1},
                                                 {"x", number(v[0])},
                                                 {"y", number(v[1])},
                                                 {"z", number(v[2])}});
                    }
                m["displacements"] = displacements;
                modes.push_back(m);
            }
        record["frequencies"] = modes;
    }
    if (boxes.ticked(ExtractBox::Thermo)) {
        Json terms = Json::array();
        if (d.freqFound)
            for (std::size_t i = 0; i < d.thermo.size(); ++i) {
                if (std::isnan(d.thermo[i][0]))
                    continue;
                const std::string term =
                    i < 5 ? kThermoTerms[i] : "vibration_" + std::to_string(i - 4);
                terms.push_back({{"term", term},
                                 {"e_thermal_kcal_per_mol", number(d.thermo[i][0])},
                                 {"cv_cal_per_mol_k", number(d.thermo[i][1])},
                                 {"s_cal_per_mol_k", number(d.thermo[i][2])}});
            }
        record["thermochemistry"] = terms;
    }
    if (boxes.ticked(ExtractBox::TD)) {
        Json states = Json::array();
        if (d.tdFound)
            for (const auto& s : d.states) {
                Json transitions = Json::array();
                for (std::size_t t = 0; t < d.transitionNumbers.size(); ++t)
                    if (d.transitionNumbers[t][0] == s[0])
                        transitions.push_back({{"from", anyBytesAsUtf8(d.transitionTexts[t][1])},
                                               {"to", number(d.transitionNumbers[t][1])}});
                states.push_back({{"state", number(s[0])},
                                  {"energy_ev", number(s[1])},
                                  {"wavelength_nm", number(s[2])},
                                  {"oscillator_strength", number(s[3])},
                                  {"rotatory_strength_1e-40_cgs", number(s[4])},
                                  {"transitions", transitions}});
            }
        record["excited_states"] = states;
    }
    return record;
}

// The cells of one chosen quantity, under their keys: charge and
// multiplicity are two integers, every other quantity one value.
void addCells(const ExtractRecord& record, const ExtractQuantity& q,
              std::vector<std::pair<std::string, CellValue>>& out) {
    if (q.box == ExtractBox::Charge) {
        out.emplace_back("charge", record.ok ? CellValue(double(record.charge)) : CellValue());
        out.emplace_back("multiplicity",
                         record.ok ? CellValue(double(record.multiplicity)) : CellValue());
        return;
    }
    out.emplace_back(std::string(q.key), shownValue(record, q.box));
}

std::vector<std::pair<std::string, CellValue>> cellsOf(
    const ExtractRecord& record, const std::vector<const ExtractQuantity*>& columns) {
    std::vector<std::pair<std::string, CellValue>> cells;
    for (const ExtractQuantity* q : columns) addCells(record, *q, cells);
    return cells;
}

// A text for a one-line field: UTF-8, every control character and every
// Unicode line or paragraph separator a blank.
std::string oneLine(std::string_view bytes) {
    std::string text = anyBytesAsUtf8(bytes);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7f) {
            out += ' ';
        } else if (c == 0xc2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) == 0x85) {
            out += ' ';  // U+0085, next line
            ++i;
        } else if (c == 0xe2 && i + 2 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) == 0x80 &&
                   (static_cast<unsigned char>(text[i + 2]) == 0xa8 ||
                    static_cast<unsigned char>(text[i + 2]) == 0xa9)) {
            out += ' ';  // U+2028, U+2029
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string tidyCsv(const TidyResults& results, const ExtractBoxes& boxes) {
    const std::vector<const ExtractQuantity*> columns = chosenColumns(boxes);
    const CellFormat format{'.', std::string()};
    std::string out;
    if (!results.records.empty() || !columns.empty()) {
        // The header from a record that has every cell, failed or not.
        const auto header = cellsOf(ExtractRecord{}, columns);
        for (std::size_t i = 0; i < header.size(); ++i) out += (i ? "," : "") + header[i].first;
    }
    out += "\r\n";
    for (const ExtractRecord& record : results.records) {
        const auto cells = cellsOf(record, columns);
        for (std::size_t i = 0; i < cells.size(); ++i)
            out += (i ? "," : "") +
                   separatedCell(anyBytesAsUtf8(formatCell(cells[i].second, format)), ",");
        out += "\r\n";
    }
    return out;
}

std::string tidyJson(const TidyResults& results, const ExtractBoxes& boxes) {
    const std::vector<const ExtractQuantity*> columns = chosenColumns(boxes);
    Json files = Json::array();
    for (const ExtractRecord& record : results.records) {
        Json fields = Json::object();
        fields["schema_version"] = kExtractSchemaVersion;
        for (const auto& [key, value] : cellsOf(record, columns)) {
            Json v = jsonOf(value);
            if (key == "charge" || key == "multiplicity")
                v = v.is_null() ? v : Json(static_cast<int>(v.get<double>()));
            fields[key] = std::move(v);
        }
        if (record.lastStepOnly && boxes.ticked(ExtractBox::Geometry)) {
            // The geometry below is the last step of a failed job.
            fields["geometry_converged"] = false;
            fields["last_step_energy_hartree"] =
                jsonOf(record.energy ? CellValue(*record.energy) : CellValue());
        }
        files.push_back(blocksOf(record.detail, boxes, std::move(fields)));
    }
    return files.dump(2) + "\n";
}

std::string xyzStructure(std::string_view title, const std::vector<CartesianAtom>& atoms) {
    if (atoms.empty() || std::any_of(atoms.begin(), atoms.end(),
                                     [](const CartesianAtom& a) { return a.symbol.empty(); }))
        return {};
    std::string out = std::to_string(atoms.size()) + "\n" + oneLine(title) + "\n";
    for (const CartesianAtom& a : atoms)
        out += a.symbol + " " + formatNumber(a.x, '.') + " " + formatNumber(a.y, '.') + " " +
               formatNumber(a.z, '.') + "\n";
    return out;
}

std::string multiXyz(const TidyResults& results, std::vector<std::string>& skipped) {
    std::string out;
    for (const ExtractRecord& record : results.records) {
        const std::string& name = record.file;
        // The optimised energy where there is one, else the energy.
        const std::optional<double> energy = record.energyOpt ? record.energyOpt : record.energy;
        std::string title = name;
        if (energy)
            title += " E=" + formatNumber(*energy, '.');
        if (!record.ok)
            title += " (last step of a failed job, not converged)";
        const std::string structure = record.ok || record.lastStepOnly
                                          ? xyzStructure(title, record.detail.atoms)
                                          : std::string();
        if (structure.empty())
            skipped.push_back(name);
        out += structure;
    }
    return out;
}

}  // namespace zerlant
