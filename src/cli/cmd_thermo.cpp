// zerlant-cli thermo: one row per frequency job, its energies recomputed with
// the harmonic model and the quasi-harmonic corrections at the conditions
// asked for.

#include "cli/cmd_thermo.hpp"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <vector>

#include "cli/fileargs.hpp"
#include "core/files/filetext.hpp"
#include "core/files/openfile.hpp"
#include "core/results/table.hpp"
#include "core/results/xlsxexport.hpp"
#include "core/singlepoint/singlepoint.hpp"
#include "core/text/numbers.hpp"

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
CLI::Validator positiveNumber(double lowest = 0, double highest = HUGE_VAL) {
    return CLI::Validator(
        [lowest, highest](std::string& text) -> std::string {
            double value = 0;
            const char* end = text.data() + text.size();
            auto [ptr, ec] = std::from_chars(text.data(), end, value);
            if (ec != std::errc() || ptr != end || !std::isfinite(value) || value <= 0)
                return "needs a positive number, not '" + text + "'";
            if (value < lowest || value > highest)
                return "needs a number from " + formatNumber(lowest) + " to " +
                       formatNumber(highest) + ", not '" + text + "'";
            return {};
        },
        "");
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
        if (request.singlePoint && r.singlePoint) {
            o["sp_file"] = r.singlePoint->file;
            o["sp_e"] = r.singlePoint->energy;
            for (const char* key : {"sp_h", "sp_g", "sp_qh_g"})
                o[key] = number(thermo::combinedWithSinglePoint(r, key));
            if (request.settings.headGordonEnthalpy)
                o["sp_qh_h"] = number(thermo::combinedWithSinglePoint(r, "sp_qh_h"));
        }
        if (request.relative) {
            o["rel_g"] = number(r.relG);
            o["rel_qh_g"] = number(r.relQhG);
            o["boltzmann"] = number(r.boltzmann);
        }
        // The conditions the row was computed at.
        const auto conditions = thermo::thermoConditions(r, request);
        for (std::size_t i = 0; i < conditions.size(); ++i)
            o[thermo::kConditionKeys[i]] = number(conditions[i]);
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
    // Outside 1-100,000 K the partition functions leave the range of doubles.
    app.add_option("--temperature", s.temperature,
                   "temperature in kelvin, 1 to 100000 (default\n298.15)")
        ->type_name("K")
        ->check(positiveNumber(1, 100000));
    app.add_option("--pressure", s.pressure, "pressure in atm (default 1)")
        ->type_name("ATM")
        ->check(positiveNumber());
    app.add_option_function<double>(
           "--concentration", [options](double c) { options->request.settings.concentration = c; },
           "standard state of M mol/L instead of the gas at\n"
           "the pressure (1 for solution free energies)")
        ->type_name("M")
        ->check(positiveNumber());
    CLI::Option* scale =
        app.add_option("--scale", s.scale, "frequency scale factor (default 1.0: none)")
            ->type_name("F")
            ->check(positiveNumber());
    CLI::Option* fromTable = app.add_flag("--scale-from-table", options->scaleFromTable,
                                          "scale each file by the published zero-point\n"
                                          "factor of its own method and basis set");
    CLI::Option* scaleFor =
        app.add_option_function<std::string>(
               "--scale-for", [options](const std::string& level) { options->scaleFor = level; },
               "scale by the published zero-point factor of\n"
               "METHOD/BASIS (e.g. B3LYP/6-31G(d))")
            ->type_name("LEVEL");
    app.add_flag("--list-scales", options->listScales,
                 "print the table of published scale factors\nand their sources");
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
    CLI::Option* spc =
        app.add_option_function<std::string>(
               "--spc", [options](const std::string& suffix) { options->spcSuffix = suffix; },
               "combine each FILE x.log with the single point\n"
               "x_SUFFIX.log beside it")
            ->type_name("SUFFIX")
            ->check([](const std::string& suffix) {
                return suffix.empty() || suffix.find('/') != std::string::npos
                           ? std::string("needs a suffix without '/'")
                           : std::string();
            });
    CLI::Option* spcPairs =
        app.add_option_function<std::string>(
               "--spc-pairs", [options](const std::string& f) { options->spcPairs = f; },
               "combine the pairs of LIST: a frequency job and\n"
               "its single point a line (instead of FILE...)")
            ->type_name("LIST");
    app.add_option("--spc-rmsd", options->spcRmsd,
                   "largest RMSD after alignment of the two\n"
                   "geometries in angstrom (default 0.01)")
        ->type_name("A")
        ->check(positiveNumber());
    addFileArguments(app, options->input);
    app.footer(
        "Recomputes the thermochemistry of the last frequency step of each Gaussian\n"
        "output with the rigid-rotor harmonic-oscillator model at the conditions\n"
        "asked for, and beside it the quasi-harmonic values: Grimme's entropy for\n"
        "low modes (free-rotor mix, average moment 1e-44 kg m2, damping exponent 4)\n"
        "and, with --qh, Head-Gordon's enthalpy.  Imaginary frequencies are left out\n"
        "(and reported).  The files are only read.\n\n"
        "The frequencies are not scaled unless asked: --scale F multiplies every\n"
        "frequency by F; --scale-from-table and --scale-for take a published\n"
        "zero-point-energy factor from the built-in table (--list-scales shows it)\n"
        "and say on standard error which factor and source they used.\n\n"
        "One row per file, energies in hartree per particle:\n"
        "  file,formula,e,zpe,h,ts,qh_ts,g,qh_g  e electronic energy, zpe zero-point\n"
        "        energy, h = e + thermal enthalpy, ts = T*S, qh_ts = T*S with the\n"
        "        quasi-harmonic entropy, g = h - ts, qh_g = h - qh_ts (qh_h - qh_ts\n"
        "        with --qh)\n"
        "  qh_h  with --qh: h with the quasi-harmonic enthalpy\n"
        "  rel_g,rel_qh_g,boltzmann  with --relative: g and qh_g relative to the\n"
        "        lowest file of the same formula (or --reference) in --unit, and\n"
        "        the Boltzmann population from qh_g within the formula\n"
        "  sp_file,sp_e,sp_h,sp_g,sp_qh_g[,sp_qh_h]  with --spc or --spc-pairs: the\n"
        "        single point and its energy, and h, g, qh_g (qh_h) with its energy\n"
        "        in place of e (sp_g = sp_e + g - e); the relative columns then\n"
        "        compare sp_g and sp_qh_g\n"
        "  temperature_k,pressure_atm,concentration_mol_per_l,scale_factor,\n"
        "  qh_cutoff_cm-1  the conditions of the row (the concentration empty for\n"
        "        the gas at the pressure)\n"
        "Files without a frequency step (single points) are skipped.  A file with an\n"
        "incomplete thermochemistry counts as one that could not be read; a level of\n"
        "theory the scale factor table lacks is a usage error.\n\n"
        "A single point is combined only when both jobs ended normally, have the same\n"
        "formula, charge and multiplicity, list the atoms in the same order and their\n"
        "last geometries lie within --spc-rmsd after the best superposition;\n"
        "otherwise the row fails with what differs.  Its energy is the method's own\n"
        "(CCSD(T), MP2, ...), else the SCF energy.  LIST names are taken from the\n"
        "folder of LIST; '#' starts a comment line, quotes hold a name with "
        "blanks.\n" ZERLANT_EXIT_STATUS_HELP);
    return [options, scale, fromTable, scaleFor, spc, spcPairs]() -> int {
        if (options->listScales) {
            listScaleFactors(std::cout);
            return 0;
        }
        // One way of choosing the factor (checked here rather than by the
        // parser, whose note would clutter the option list of --help).
        if (scale->count() + fromTable->count() + scaleFor->count() > 1) {
            std::cerr << "zerlant-cli: thermo: give only one of --scale, --scale-from-table "
                         "and --scale-for\n";
            return 2;
        }
        if (spc->count() && spcPairs->count()) {
            std::cerr << "zerlant-cli: thermo: give only one of --spc and --spc-pairs\n";
            return 2;
        }
        if (options->spcPairs) {
            if (!options->input.files.empty() || options->input.filesFrom) {
                std::cerr << "zerlant-cli: thermo: --spc-pairs names the files: give no "
                             "other\n";
                return 2;
            }
            auto pairs = readPairList(*options->spcPairs);
            if (!pairs) {
                std::cerr << "zerlant-cli: thermo: " << pairs.error().describe() << "\n";
                return pairs.error().message.starts_with("line ") ? 2 : 1;
            }
            if (pairs->empty()) {
                std::cerr << "zerlant-cli: thermo: " << *options->spcPairs
                          << ": the list names no pair\n";
                return 1;
            }
            for (auto& [frequencyJob, singlePoint] : *pairs) {
                options->input.files.push_back(frequencyJob);
                options->singlePoints.push_back(singlePoint);
            }
        } else if (auto stop = collectFiles("thermo", options->input)) {
            return *stop;
        }
        if (options->output) {
            // Neither a frequency job nor a single point is ever written over.
            std::vector<std::string> inputs = options->input.files;
            inputs.insert(inputs.end(), options->singlePoints.begin(), options->singlePoints.end());
            if (options->spcSuffix)
                for (const std::string& file : options->input.files)
                    if (auto partner = suffixPartner(file, *options->spcSuffix))
                        inputs.push_back(*partner);
            if (auto stop = refuseOutput("thermo", *options->output, inputs))
                return *stop;
        }
        return runThermo(*options, std::cout, std::cerr);
    };
}

void listScaleFactors(std::ostream& out) {
    // Each source once, numbered in the order the rows first cite it.
    std::vector<std::string_view> sources;
    std::vector<std::string> levels;
    std::size_t width = 0;
    for (const thermo::ScaleFactor& row : thermo::scaleFactorTable()) {
        levels.push_back(std::string(row.method) + "/" + std::string(row.basis));
        width = std::max(width, levels.back().size());
        if (std::find(sources.begin(), sources.end(), row.source) == sources.end())
            sources.push_back(row.source);
    }
    out << "Zero-point-energy scale factors of harmonic frequencies\n"
        << "(--scale-from-table, --scale-for METHOD/BASIS):\n\n";
    std::size_t i = 0;
    for (const thermo::ScaleFactor& row : thermo::scaleFactorTable()) {
        const std::size_t number =
            std::find(sources.begin(), sources.end(), row.source) - sources.begin() + 1;
        char factor[16];
        std::snprintf(factor, sizeof factor, "%-6g", row.factor);
        out << "  " << levels[i] << std::string(width - levels[i].size() + 2, ' ') << factor
            << "  [" << number << "]\n";
        ++i;
    }
    out << "\n";
    for (std::size_t s = 0; s < sources.size(); ++s)
        out << "[" << s + 1 << "] " << sources[s] << "\n";
}

int runThermo(const ThermoOptions& options, std::ostream& out, std::ostream& err) {
    const std::vector<std::string>& files = options.input.files;
    thermo::ThermoRequest request = options.request;
    request.scaleFromTable = options.scaleFromTable;
    const thermo::ScaleFactor* named = nullptr;
    if (options.scaleFor) {
        named = thermo::findScaleFactor(*options.scaleFor);
        if (!named) {
            err << "zerlant-cli: thermo: no published scale factor for '" << *options.scaleFor
                << "' in the table (METHOD/BASIS; --list-scales shows the table)\n";
            return 2;
        }
        request.settings.scale = named->factor;
        err << "zerlant-cli: thermo: scale factor " << named->factor << " for " << named->method
            << "/" << named->basis << ", from " << named->source << "\n";
    }
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
    request.singlePoint = options.spcSuffix || options.spcPairs;
    // The single point of a file, or why it has none.
    auto singlePointOf = [&](std::size_t i) -> Result<thermo::SinglePoint> {
        const std::string& file = files[i];
        if (options.spcSuffix) {
            const std::filesystem::path p(file);
            const std::string wanted =
                p.stem().string() + "_" + *options.spcSuffix + p.extension().string();
            return singlePointFor(file, suffixPartner(file, *options.spcSuffix), wanted,
                                  options.spcRmsd);
        }
        const std::string& partner = options.singlePoints.at(i);
        std::error_code ec;
        return singlePointFor(file,
                              std::filesystem::is_regular_file(partner, ec)
                                  ? std::optional<std::string>(partner)
                                  : std::nullopt,
                              partner, options.spcRmsd);
    };
    int status = 0;
    bool missingFactor = false;
    std::vector<thermo::ThermoRow> rows;
    for (const std::string& file : files) {
        try {
            // Line by line: the memory is that of the last thermochemistry
            // section, whatever the size of the log.
            Result<thermo::ThermoRow> row =
                thermo::thermoRowOfFile(file, file, request.settings, request.scaleFromTable);
            if (!row) {
                err << "zerlant-cli: thermo: cannot read " << row.error().describe() << "\n";
                status = 1;
                thermo::ThermoRow failed;
                failed.file = file;
                failed.error = "cannot read";
                rows.push_back(std::move(failed));
                continue;
            }
            rows.push_back(std::move(*row));
            if (request.singlePoint && rows.back().ok())
                applySinglePoint(rows.back(), singlePointOf(rows.size() - 1));
        } catch (const std::exception& e) {
            thermo::ThermoRow failed;
            failed.file = file;
            failed.error = failureReason(e);
            rows.push_back(std::move(failed));
        }
        const thermo::ThermoRow& row = rows.back();
        if (row.noScaleFactor) {
            err << "zerlant-cli: thermo: " << file << ": " << row.error
                << " (--list-scales shows the table; give the factor with --scale F)\n";
            missingFactor = true;
        } else if (row.skipped) {  // a single point, say: left out, no failure
            err << "zerlant-cli: thermo: " << file << ": skipped, " << row.error << "\n";
        } else if (!row.ok()) {
            err << "zerlant-cli: thermo: " << file << ": " << row.error << "\n";
            status = 1;
        } else if (row.imaginaryLeftOut > 0) {
            err << "zerlant-cli: thermo: " << file << ": " << row.imaginaryLeftOut
                << (row.imaginaryLeftOut == 1 ? " imaginary frequency" : " imaginary frequencies")
                << " left out\n";
        }
    }
    // A factor asked from the table is never replaced by another: without it
    // there is no table to give.
    if (missingFactor)
        return 2;
    if (request.scaleFromTable) {
        // Each factor used once, with the number of files it scaled.
        std::vector<std::pair<const thermo::ScaleFactor*, int>> used;
        for (const auto& r : rows) {
            if (!r.scaleFactor)
                continue;
            auto it = std::find_if(used.begin(), used.end(),
                                   [&](const auto& u) { return u.first == r.scaleFactor; });
            if (it == used.end())
                used.emplace_back(r.scaleFactor, 1);
            else
                ++it->second;
        }
        for (const auto& [factor, count] : used)
            err << "zerlant-cli: thermo: scale factor " << factor->factor << " for "
                << factor->method << "/" << factor->basis << " (" << count
                << (count == 1 ? " file" : " files") << "), from " << factor->source << "\n";
    }
    if (request.relative)
        thermo::addRelative(rows, request);

    if (!options.output) {
        out << thermo::thermoCsv(rows, request);
        return status;
    }
    // No file for a run in which no file gave a row (each failure is named).
    if (std::none_of(rows.begin(), rows.end(), [](const auto& r) { return r.ok(); }))
        return status == 0 ? 1 : status;
    const std::string& path = *options.output;
    std::vector<std::string> inputs = files;
    for (const auto& r : rows)
        if (r.singlePoint)
            inputs.push_back(r.singlePoint->file);
    Status written = success();
    if (endsWith(path, ".xlsx")) {
        written = writeExcelWorkbook(thermo::thermoWorkbookTable(rows, request), path,
                                     WriteRule::exportOf(inputs));
    } else if (endsWith(path, ".json")) {
        written = writeFileAtomically(path, jsonOf(rows, request).dump(2) + "\n",
                                      WriteRule::exportOf(inputs));
    } else {
        written = writeFileAtomically(path, thermo::thermoCsv(rows, request),
                                      WriteRule::exportOf(inputs));
    }
    if (!written) {
        err << "zerlant-cli: thermo: cannot write " << written.error().describe() << "\n";
        return 1;
    }
    return status;
}

}  // namespace zerlant::cli
