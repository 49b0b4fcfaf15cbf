#include "core/thermo/thermotable.hpp"

#include <charconv>
#include <cmath>
#include <iterator>

#include "core/text/numbers.hpp"
#include "core/text/textutils.hpp"

namespace zerlant::thermo {

namespace {

std::string fixed(double value, int decimals) {
    if (!std::isfinite(value))
        return {};
    char buffer[64];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return {};
    std::string out(buffer, end);
    if (out.find_first_not_of("-0.") == std::string::npos && out[0] == '-')
        out.erase(0, 1);  // no "-0.000000"
    return out;
}

std::string fixed(const std::optional<double>& value, int decimals) {
    return value ? fixed(*value, decimals) : std::string();
}

}  // namespace

ThermoRow thermoRow(std::string file, std::string_view bytes, const ThermoSettings& settings,
                    bool scaleFromTable) {
    const std::optional<FrequencyStep> step = readFrequencyStep(bytes);
    ThermoRow row = thermoRow(std::move(file), step, settings, scaleFromTable);
    // A job that ended normally without asking for frequencies (a single
    // point, a TD job) is no failure; an empty, cut or failed file is one.
    if (!step && !asksForFrequencies(bytes) &&
        bytes.find("Normal termination") != std::string_view::npos) {
        row.skipped = true;
        row.error = kNoFrequencyStep;
    }
    return row;
}

Result<ThermoRow> thermoRowOfFile(std::string file, const std::string& path,
                                  const ThermoSettings& settings, bool scaleFromTable) {
    Result<FrequencyFile> read = readFrequencyFile(path);
    if (!read)
        return read.error();
    ThermoRow row = thermoRow(std::move(file), read->step, settings, scaleFromTable);
    if (!read->step && !read->asksForFrequencies && read->normalTermination) {
        row.skipped = true;
        row.error = kNoFrequencyStep;
    }
    return row;
}

ThermoRow thermoRow(std::string file, const std::optional<FrequencyStep>& read,
                    const ThermoSettings& settings, bool scaleFromTable) {
    ThermoRow row;
    row.file = std::move(file);
    if (!read) {
        row.error = "no complete thermochemistry of a frequency step";
        return row;
    }
    const FrequencyStep& step = *read;
    row.method = step.method;
    row.basis = step.basis;
    ThermoSettings used = settings;
    if (scaleFromTable) {
        row.scaleFactor = findScaleFactor(step.method, step.basis);
        if (!row.scaleFactor) {
            row.noScaleFactor = true;
            row.error = step.method.empty()
                            ? "no method and basis set to look a scale factor up by (the "
                              "frequency step has no archive entry)"
                            : "no published scale factor for " + step.method + "/" + step.basis +
                                  " in the table";
            return row;
        }
        used.scale = row.scaleFactor->factor;
    }
    if (!step.hasElectronicEnergy) {
        row.error = "no electronic energy before the thermochemistry";
        return row;
    }
    if (step.frequencies.empty() && !step.atom()) {
        // A compound method's step may print vibrational temperatures only.
        row.error = "the frequencies are not printed";
        return row;
    }
    row.summary = summarize(step, used);
    if (settings.imaginary == ImaginaryModes::Ignore)
        row.imaginaryLeftOut = step.imaginaryCount();
    return row;
}

std::optional<double> combinedWithSinglePoint(const ThermoRow& row, std::string_view key) {
    if (!row.ok() || !row.singlePoint)
        return std::nullopt;
    const ThermoSummary& s = row.summary;
    const double value = key == "sp_h"      ? s.h
                         : key == "sp_g"    ? s.g
                         : key == "sp_qh_g" ? s.qhG
                         : key == "sp_qh_h" ? s.qhH
                                            : NAN;
    if (std::isnan(value))
        return std::nullopt;
    return row.singlePoint->energy + (value - s.e);
}

void addRelative(std::vector<ThermoRow>& rows, const ThermoRequest& request) {
    std::vector<double> g, qhG;
    std::vector<std::string> formulas;
    for (const ThermoRow& r : rows) {
        if (request.singlePoint) {
            g.push_back(combinedWithSinglePoint(r, "sp_g").value_or(NAN));
            qhG.push_back(combinedWithSinglePoint(r, "sp_qh_g").value_or(NAN));
        } else {
            g.push_back(r.ok() ? r.summary.g : NAN);
            qhG.push_back(r.ok() ? r.summary.qhG : NAN);
        }
        formulas.push_back(r.summary.formula);
    }
    const auto relG = relativeEnergies(g, formulas, request.reference, request.unit);
    const auto relQhG = relativeEnergies(qhG, formulas, request.reference, request.unit);
    const auto population = boltzmannPopulations(qhG, formulas, request.settings.temperature);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].relG = relG[i];
        rows[i].relQhG = relQhG[i];
        rows[i].boltzmann = population[i];
    }
}

std::vector<std::string> thermoColumnKeys(const ThermoRequest& request) {
    std::vector<std::string> keys = {"file", "formula", "e", "zpe", "h",
                                     "ts",   "qh_ts",   "g", "qh_g"};
    if (request.settings.headGordonEnthalpy)
        keys.push_back("qh_h");
    if (request.singlePoint) {
        for (const char* key : {"sp_file", "sp_e", "sp_h", "sp_g", "sp_qh_g"}) keys.push_back(key);
        if (request.settings.headGordonEnthalpy)
            keys.push_back("sp_qh_h");
    }
    if (request.relative) {
        keys.push_back("rel_g");
        keys.push_back("rel_qh_g");
        keys.push_back("boltzmann");
    }
    keys.insert(keys.end(), std::begin(kConditionKeys), std::end(kConditionKeys));
    return keys;
}

std::vector<std::optional<double>> thermoConditions(const ThermoRow& row,
                                                    const ThermoRequest& request) {
    const ThermoSettings& s = request.settings;
    const double scale = row.scaleFactor ? row.scaleFactor->factor : s.scale;
    return {s.temperature, s.pressure, s.concentration, scale, s.cutoff};
}

std::vector<std::optional<double>> thermoNumbers(const ThermoRow& row,
                                                 const ThermoRequest& request) {
    std::vector<std::optional<double>> numbers(2);  // the file and the formula
    if (!row.ok()) {
        numbers.resize(thermoColumnKeys(request).size());
        return numbers;
    }
    const ThermoSummary& s = row.summary;
    for (double v : {s.e, s.zpe, s.h, s.ts, s.qhTs, s.g, s.qhG}) numbers.push_back(v);
    if (request.settings.headGordonEnthalpy)
        numbers.push_back(s.qhH);
    if (request.singlePoint) {
        numbers.emplace_back();  // sp_file
        numbers.push_back(row.singlePoint ? std::optional<double>(row.singlePoint->energy)
                                          : std::nullopt);
        for (const char* key : {"sp_h", "sp_g", "sp_qh_g"})
            numbers.push_back(combinedWithSinglePoint(row, key));
        if (request.settings.headGordonEnthalpy)
            numbers.push_back(combinedWithSinglePoint(row, "sp_qh_h"));
    }
    if (request.relative) {
        numbers.push_back(row.relG);
        numbers.push_back(row.relQhG);
        numbers.push_back(row.boltzmann);
    }
    for (const std::optional<double>& v : thermoConditions(row, request)) numbers.push_back(v);
    return numbers;
}

int thermoDecimals(std::string_view key) {
    if (key == "rel_g" || key == "rel_qh_g")
        return 4;
    if (key == "boltzmann")
        return 6;
    for (const char* condition : kConditionKeys)
        if (key == condition)
            return -1;
    return 8;
}

std::vector<std::string> thermoCells(const ThermoRow& row, const ThermoRequest& request) {
    const std::vector<std::string> keys = thermoColumnKeys(request);
    const std::vector<std::optional<double>> numbers = thermoNumbers(row, request);
    std::vector<std::string> cells = {row.file, row.ok() ? row.summary.formula : std::string()};
    for (std::size_t i = 2; i < keys.size(); ++i) {
        const int decimals = thermoDecimals(keys[i]);
        if (keys[i] == "sp_file")
            cells.push_back(row.ok() && row.singlePoint ? row.singlePoint->file : std::string());
        else if (!numbers[i])
            cells.emplace_back();
        else if (decimals < 0)
            cells.push_back(formatNumber(*numbers[i], '.'));
        else
            cells.push_back(fixed(numbers[i], decimals));
    }
    return cells;
}

std::string thermoCsv(const std::vector<ThermoRow>& rows, const ThermoRequest& request) {
    std::string out;
    auto line = [&out](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            out += (i ? "," : "") + separatedCell(cells[i], ",");
        out += '\n';
    };
    line(thermoColumnKeys(request));
    for (const ThermoRow& row : rows)
        if (row.ok())
            line(thermoCells(row, request));
    return out;
}

Table thermoWorkbookTable(const std::vector<ThermoRow>& rows, const ThermoRequest& request) {
    const std::vector<std::string> keys = thermoColumnKeys(request);
    Table table(keys.size(), 1);
    for (std::size_t c = 0; c < keys.size(); ++c) table.set(c, 0, keys[c]);
    for (const ThermoRow& row : rows) {
        if (!row.ok())
            continue;
        const std::size_t r = table.rows();
        std::vector<std::string> cells = thermoCells(row, request);
        const std::vector<std::optional<double>> numbers = thermoNumbers(row, request);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c < numbers.size() && numbers[c])
                table.setNumber(c, r, *numbers[c], std::move(cells[c]));
            else
                table.set(c, r, std::move(cells[c]));
        }
        table.resizeRows(r + 1);
    }
    return table;
}

}  // namespace zerlant::thermo
