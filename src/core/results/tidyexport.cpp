#include "core/results/tidyexport.hpp"

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

namespace zerlant {

namespace {

using Json = nlohmann::ordered_json;

// The whole text as a number ("." decimals), else nothing.
std::optional<double> numberOf(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    return toDouble(text);
}

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
                return v.empty() ? Json(nullptr) : Json(v);
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

// The Cartesian coordinates of one geometry row: symbol then x, y, z, or
// symbol, a freeze flag, x, y, z.  A Z-matrix line has none.
std::optional<std::array<double, 3>> cartesian(const std::array<std::string, 7>& atom) {
    std::vector<double> numbers;
    for (std::size_t i = 1; i < atom.size(); ++i) {
        if (atom[i].empty())
            continue;
        auto v = numberOf(atom[i]);
        if (!v)
            return std::nullopt;
        numbers.push_back(*v);
    }
    if (numbers.size() == 3)
        return std::array<double, 3>{numbers[0], numbers[1], numbers[2]};
    if (numbers.size() == 4)
        return std::array<double, 3>{numbers[1], numbers[2], numbers[3]};
    return std::nullopt;
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
                 {"element", d.mullikenSymbols[i]},
                 {"charge_e",
                  i < d.mullikenCharges.size() ? number(d.mullikenCharges[i]) : Json(nullptr)}});
        record["mulliken"] = atoms;
    }
    if (boxes.ticked(ExtractBox::Orbitals)) {
        Json orbitals = Json::array();
        for (std::size_t i = 0; i < d.orbitalEnergies.size(); ++i)
            orbitals.push_back(
                {{"orbital", i + 1},
                 {"label", i < d.orbitalLabels.size() ? d.orbitalLabels[i] : std::string()},
                 {"symmetry",
                  i < d.orbitalSymmetries.size() ? d.orbitalSymmetries[i] : std::string()},
                 {"energy_hartree", number(d.orbitalEnergies[i])}});
        record["orbitals"] = orbitals;
    }
    if (boxes.ticked(ExtractBox::Geometry)) {
        Json atoms = Json::array();
        for (const auto& atom : d.geometry) {
            Json a = {{"element", atom[0]}};
            if (auto xyz = cartesian(atom)) {
                a["x_angstrom"] = (*xyz)[0];
                a["y_angstrom"] = (*xyz)[1];
                a["z_angstrom"] = (*xyz)[2];
            } else {
                Json fields = Json::array();
                for (std::size_t i = 1; i < atom.size(); ++i) fields.push_back(atom[i]);
                a["fields"] = fields;  // a Z-matrix line as the archive holds it
            }
            atoms.push_back(a);
        }
        record["geometry"] = atoms;
    }
    if (boxes.ticked(ExtractBox::Freq)) {
        Json modes = Json::array();
        if (d.freqFound)
            for (const auto& mode : d.frequencies) {
                if (std::isnan(mode[0]))
                    continue;  // no printout
                Json m = Json::object();
                for (std::size_t i = 0; i < mode.size(); ++i)
                    m[kFrequencyKeys[i]] = number(mode[i]);
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
                        transitions.push_back({{"from", d.transitionTexts[t][1]},
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

}  // namespace

std::string tidyCsv(const TidyResults& results, const ExtractBoxes& boxes) {
    const std::vector<const ExtractQuantity*> columns = chosenColumns(boxes);
    const CellFormat format{'.', std::string()};
    std::string out;
    for (std::size_t i = 0; i < columns.size(); ++i)
        out += (i ? "," : "") + std::string(columns[i]->key);
    out += "\r\n";
    for (const ExtractRecord& record : results.records) {
        for (std::size_t i = 0; i < columns.size(); ++i)
            out += (i ? "," : "") +
                   separatedCell(formatCell(shownValue(record, columns[i]->box), format), ",");
        out += "\r\n";
    }
    return out;
}

std::string tidyJson(const TidyResults& results, const ExtractBoxes& boxes) {
    const std::vector<const ExtractQuantity*> columns = chosenColumns(boxes);
    Json files = Json::array();
    for (const ExtractRecord& record : results.records) {
        Json fields = Json::object();
        for (const ExtractQuantity* q : columns)
            fields[std::string(q->key)] = jsonOf(shownValue(record, q->box));
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

std::string multiXyz(const TidyResults& results, std::vector<std::string>& skipped) {
    std::string out;
    for (const ExtractRecord& record : results.records) {
        const std::string& name = record.file;
        if (!record.ok && !record.lastStepOnly) {
            skipped.push_back(name);
            continue;
        }
        const FileDetail& d = record.detail;
        std::string atoms;
        bool complete = !d.geometry.empty();
        for (const auto& atom : d.geometry) {
            auto xyz = cartesian(atom);
            if (!xyz || atom[0].empty()) {
                complete = false;
                break;
            }
            atoms += atom[0];
            for (double v : *xyz) atoms += " " + formatNumber(v, '.');
            atoms += "\n";
        }
        if (!complete) {
            skipped.push_back(name);
            continue;
        }
        // The optimised energy where there is one, else the energy.
        const std::optional<double> energy = record.energyOpt ? record.energyOpt : record.energy;
        out += std::to_string(d.geometry.size()) + "\n" + name;
        if (energy)
            out += " E=" + formatNumber(*energy, '.');
        if (!record.ok)
            out += " (last step of a failed job, not converged)";
        out += "\n" + atoms;
    }
    return out;
}

}  // namespace zerlant
