#pragma once
// The thermochemistry table of several output files: one row per file, the
// harmonic and quasi-harmonic values in hartree, and optionally the relative
// free energies and Boltzmann populations within each formula.  Shared by
// the command line and the window.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/results/table.hpp"
#include "core/thermo/gaussianthermo.hpp"
#include "core/thermo/relative.hpp"
#include "core/thermo/scalefactors.hpp"
#include "core/thermo/thermo.hpp"

namespace zerlant::thermo {

struct ThermoRequest {
    ThermoSettings settings;
    // Each file scaled by the table's factor for its own level instead of
    // settings.scale (see thermoRow).
    bool scaleFromTable = false;
    bool relative = false;  // add rel_g, rel_qh_g, boltzmann
    EnergyUnit unit = EnergyUnit::KcalPerMol;
    std::optional<std::size_t> reference;  // row index; else the lowest of each formula
    // Add the single point's energy and the free energies combined with it
    // (sp_file, sp_e, sp_h, sp_g, sp_qh_g, and sp_qh_h with the quasi-
    // harmonic enthalpy); the relative columns then start from those.
    bool singlePoint = false;
};

// A higher-level single point of the frequency job's geometry: the combined
// values are its energy plus the frequency job's thermal corrections
// (G - E and the others at the row's settings).
struct SinglePoint {
    std::string file;
    double energy = 0;  // hartree
};

struct ThermoRow {
    std::string file;
    std::string error;  // why the row has no values; empty when it has
    // The job has no frequency step at all (a single point, a TD job): it is
    // left out of the table, not failed.  error then says so too.
    bool skipped = false;
    ThermoSummary summary;
    std::string method, basis;                 // of the frequency step, as Gaussian names them
    const ScaleFactor* scaleFactor = nullptr;  // the table's row the values were scaled by
    bool noScaleFactor = false;          // a factor from the table was asked for and it has none
    int imaginaryLeftOut = 0;            // imaginary modes the model did not count
    std::optional<double> relG, relQhG;  // in the request's unit
    std::optional<double> boltzmann;     // from qh-G, within the formula
    std::optional<SinglePoint> singlePoint;
    bool ok() const { return error.empty(); }
};

// The reason of a row whose job has no frequency step.
inline constexpr const char* kNoFrequencyStep = "no frequency step";

// One file's row from its bytes.  With `scaleFromTable` the frequencies are
// scaled by the table's factor for the method and basis set of the file's
// frequency step instead of settings.scale; a file whose level the table
// lacks gets no values, an error that names the level, and noScaleFactor.
ThermoRow thermoRow(std::string file, std::string_view bytes, const ThermoSettings& settings,
                    bool scaleFromTable = false);
// The same for a file on disk, read line by line (readFrequencyFile).
Result<ThermoRow> thermoRowOfFile(std::string file, const std::string& path,
                                  const ThermoSettings& settings, bool scaleFromTable = false);
// The same from the frequency step as readFrequencyStep gave it (nullopt when
// the file has none), so that a caller which keeps the step recomputes the
// row at other settings without reading the file again.
ThermoRow thermoRow(std::string file, const std::optional<FrequencyStep>& step,
                    const ThermoSettings& settings, bool scaleFromTable = false);

// The combined values of a row with a single point: its energy plus the
// thermal correction of h, g, qh_g and qh_h (keys sp_h, sp_g, sp_qh_g,
// sp_qh_h); nullopt for a row without one or another key.
std::optional<double> combinedWithSinglePoint(const ThermoRow& row, std::string_view key);

// Fills the relative columns of the rows that have values (from the combined
// free energies when the request asks for the single point).
void addRelative(std::vector<ThermoRow>& rows, const ThermoRequest& request);

// The column keys: file,formula,e,zpe,h,ts,qh_ts,g,qh_g, then qh_h when the
// quasi-harmonic enthalpy is on, then rel_g,rel_qh_g,boltzmann when relative,
// then the conditions the row was computed at (kConditionKeys).
std::vector<std::string> thermoColumnKeys(const ThermoRequest& request);
// The conditions of a row: temperature, pressure, the concentration of the
// standard state (empty for the gas at the pressure), the frequency scale
// factor (a factor from the table is the row's own) and the quasi-harmonic
// cutoff.
inline constexpr const char* kConditionKeys[] = {
    "temperature_k", "pressure_atm", "concentration_mol_per_l", "scale_factor", "qh_cutoff_cm-1"};
// The values of kConditionKeys for a row, in that order; nullopt for a
// concentration not set.
std::vector<std::optional<double>> thermoConditions(const ThermoRow& row,
                                                    const ThermoRequest& request);
// A row's numbers in the order of the keys (nullopt for the file, the
// formula, sp_file, and every key of a row without values).
std::vector<std::optional<double>> thermoNumbers(const ThermoRow& row,
                                                 const ThermoRequest& request);
// The decimals a key's numbers are written with; -1 for the conditions,
// written as given.
int thermoDecimals(std::string_view key);
// A row's cells in the order of the keys: hartree with 8 decimals, relative
// energies with 4, populations with 6, conditions as given; '.' as decimal
// point whatever the locale.
std::vector<std::string> thermoCells(const ThermoRow& row, const ThermoRequest& request);

// The table as comma-separated text: the keys, then the cells of each row
// that has values, one line each ending in '\n'.
std::string thermoCsv(const std::vector<ThermoRow>& rows, const ThermoRequest& request);

// The table for the workbook: the keys, then each row that has values, its
// cells carrying their numbers.
Table thermoWorkbookTable(const std::vector<ThermoRow>& rows, const ThermoRequest& request);

}  // namespace zerlant::thermo
