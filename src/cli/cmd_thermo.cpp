// zerlant-cli thermo: one row per frequency job, its energies recomputed with
// the harmonic model and the quasi-harmonic corrections at the conditions
// asked for.

#include "cli/cmd_thermo.hpp"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <vector>

#include "core/files/filetext.hpp"
#include "core/results/table.hpp"
#include "core/results/xlsxexport.hpp"
#include "core/text/textutils.hpp"

namespace zerlant::cli {

namespace {

bool endsWith(const std::string& s, const std::string& suffix) {
    if (s.size() < suffix.size())
        return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = s[s.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i])
            return false;
    }
    return true;
}

// A value that must be a positive number, without CLI11's range in the message.
CLI::Validator positiveNumber() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            double value = 0;
            const char* end = text.data() + text.size();
            auto [ptr, ec] = std::from_chars(text.data(), end, value);
            if (ec != std::errc() || ptr != end || !std::isfinite(value) || value <= 0)
                return "needs a positive number, not '" + text + "'";
            return {};
        },
        "");
}

std::string csvOf(const std::vector<std::string>& keys,
                  const std::vector<std::vector<std::string>>& rows) {
    std::string out;
    auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            out += (i ? "," : "") + separatedCell(cells[i], ",");
        out += '\n';
    };
    line(keys);
    for (const auto& r : rows) line(r);
    return out;
}

nlohmann::ordered_json jsonOf(const std::vector<thermo::ThermoRow>& rows,
                              const thermo::ThermoRequest& request) {
    auto number = [](const std::optional<double>& v) -> nlohmann::ordered_json {
        return v && std::isfinite(*v) ? nlohmann::ordered_json(*v)
                                      : nlohmann::ordered_json(nullptr);
    };
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const auto& r : rows) {
        if (!r.ok())
            continue;
        const thermo::ThermoSummary& s = r.summary;
        nlohmann::ordered_json o = {
            {"file", r.file}, {"formula", s.formula}, {"e", s.e}, {"zpe", s.zpe}, {"h", s.h},
            {"ts", s.ts},     {"qh_ts", s.qhTs},      {"g", s.g}, {"qh_g", s.qhG}};
        if (request.settings.headGordonEnthalpy)
            o["qh_h"] = s.qhH;
        if (request.relative) {
            o["rel_g"] = number(r.relG);
            o["rel_qh_g"] = number(r.relQhG);
            o["boltzmann"] = number(r.boltzmann);
        }
        out.push_back(std::move(o));
    }
    return out;
}

}  // namespace

RunCommand addThermo(CLI::App& program) {
    auto options = std::make_shared<ThermoOptions>();
    thermo::ThermoSettings& s = options->request.settings;
    CLI::App& app = *program.add_subcommand(
        "thermo", "recompute thermochemistry: any T, P, concentration, quasi-harmonic");
    app.add_option("--temperature", s.temperature, "temperature in kelvin (default 298.15)")
        ->type_name("K")
        ->check(positiveNumber());
    app.add_option("--pressure", s.pressure, "pressure in atm (default 1)")
        ->type_name("ATM")
        ->check(positiveNumber());
    app.add_option_function<double>(
           "--concentration", [options](double c) { options->request.settings.concentration = c; },
           "standard state of M mol/L instead of the gas at\n"
           "the pressure (1 for solution free energies)")
        ->type_name("M")
        ->check(positiveNumber());
    app.add_option("--scale", s.scale, "frequency scale factor (default 1.0)")
        ->type_name("F")
        ->check(positiveNumber());
    app.add_option("--cutoff", s.cutoff, "quasi-harmonic cutoff in cm-1 (default 100)")
        ->type_name("CM")
        ->check(positiveNumber());
    app.add_flag("--qh", s.headGordonEnthalpy, "add Head-Gordon's quasi-harmonic enthalpy");
    app.add_flag("--relative", options->request.relative,
                 "add relative free energies and Boltzmann\npopulations");
    app.add_option_function<std::string>(
           "--unit",
           [options](const std::string& u) {
               options->request.unit = u == "kj"   ? thermo::EnergyUnit::KJPerMol
                                       : u == "ev" ? thermo::EnergyUnit::ElectronVolt
                                                   : thermo::EnergyUnit::KcalPerMol;
           },
           "kcal (default), kj or ev: the unit of the\nrelative energies")
        ->type_name("U")
        ->transform(CLI::IsMember({"kcal", "kj", "ev"}, CLI::ignore_case));
    app.add_option_function<std::string>(
           "--reference", [options](const std::string& f) { options->reference = f; },
           "the file whose formula's relative energies\nstart from it (implies --relative)")
        ->type_name("FILE");
    app.add_option_function<std::string>(
           "-o,--output", [options](const std::string& f) { options->output = f; },
           "write FILE.csv (comma-separated), FILE.json or\n"
           "FILE.xlsx (default: CSV to standard output)")
        ->type_name("FILE")
        ->check([](const std::string& file) {
            return file.empty() ? std::string("needs a file name") : std::string();
        });
    addFileArguments(app, options->input);
    app.footer(
        "Recomputes the thermochemistry of the last frequency step of each Gaussian\n"
        "output with the rigid-rotor harmonic-oscillator model at the conditions\n"
        "asked for, and beside it the quasi-harmonic values: Grimme's entropy for\n"
        "low modes (free-rotor mix, average moment 1e-44 kg m2, damping exponent 4)\n"
        "and, with --qh, Head-Gordon's enthalpy.  Imaginary frequencies are left out\n"
        "(and reported).  The files are only read.\n\n"
        "One row per file, energies in hartree per particle:\n"
        "  file,formula,e,zpe,h,ts,qh_ts,g,qh_g  e electronic energy, zpe zero-point\n"
        "        energy, h = e + thermal enthalpy, ts = T*S, qh_ts = T*S with the\n"
        "        quasi-harmonic entropy, g = h - ts, qh_g = h - qh_ts (qh_h - qh_ts\n"
        "        with --qh)\n"
        "  qh_h  with --qh: h with the quasi-harmonic enthalpy\n"
        "  rel_g,rel_qh_g,boltzmann  with --relative: g and qh_g relative to the\n"
        "        lowest file of the same formula (or --reference) in --unit, and\n"
        "        the Boltzmann population from qh_g within the formula\n\n"
        "Exit status: 0 done, 1 some file could not be read or has no\n"
        "thermochemistry, or the output could not be written, 2 usage error.");
    return [options]() -> int {
        if (auto stop = collectFiles("thermo", options->input))
            return *stop;
        return runThermo(*options, std::cout, std::cerr);
    };
}

int runThermo(const ThermoOptions& options, std::ostream& out, std::ostream& err) {
    const std::vector<std::string>& files = options.input.files;
    thermo::ThermoRequest request = options.request;
    if (options.reference) {
        for (std::size_t i = 0; i < files.size() && !request.reference; ++i)
            if (files[i] == *options.reference)
                request.reference = i;
        if (!request.reference) {
            err << "zerlant-cli: thermo: the --reference file '" << *options.reference
                << "' is not among the files given\n";
            return 2;
        }
        request.relative = true;
    }
    int status = 0;
    std::vector<thermo::ThermoRow> rows;
    for (const std::string& file : files) {
        Result<std::string> bytes = readFileBytes(file);
        if (!bytes) {
            err << "zerlant-cli: thermo: cannot read " << bytes.error().describe() << "\n";
            status = 1;
            thermo::ThermoRow failed;
            failed.file = file;
            failed.error = "cannot read";
            rows.push_back(std::move(failed));
            continue;
        }
        rows.push_back(thermo::thermoRow(file, *bytes, request.settings));
        const thermo::ThermoRow& row = rows.back();
        if (!row.ok()) {
            err << "zerlant-cli: thermo: " << file << ": " << row.error << "\n";
            status = 1;
        } else if (row.imaginaryLeftOut > 0) {
            err << "zerlant-cli: thermo: " << file << ": " << row.imaginaryLeftOut
                << (row.imaginaryLeftOut == 1 ? " imaginary frequency" : " imaginary frequencies")
                << " left out\n";
        }
    }
    if (request.relative)
        thermo::addRelative(rows, request);

    const std::vector<std::string> keys = thermo::thermoColumnKeys(request);
    std::vector<std::vector<std::string>> cells;
    for (const auto& r : rows)
        if (r.ok())
            cells.push_back(thermo::thermoCells(r, request));

    if (!options.output) {
        out << csvOf(keys, cells);
        return status;
    }
    const std::string& path = *options.output;
    Status written = success();
    if (endsWith(path, ".xlsx")) {
        Table table(keys.size(), cells.size() + 1);
        for (std::size_t c = 0; c < keys.size(); ++c) table.set(c, 0, keys[c]);
        for (std::size_t r = 0; r < cells.size(); ++r)
            for (std::size_t c = 0; c < cells[r].size(); ++c) table.set(c, r + 1, cells[r][c]);
        written = writeExcelWorkbook(table, path, '.');
    } else if (endsWith(path, ".json")) {
        written = writeFileAtomically(path, jsonOf(rows, request).dump(2) + "\n");
    } else {
        written = writeFileAtomically(path, csvOf(keys, cells));
    }
    if (!written) {
        err << "zerlant-cli: thermo: cannot write " << written.error().describe() << "\n";
        return 1;
    }
    return status;
}

}  // namespace zerlant::cli
