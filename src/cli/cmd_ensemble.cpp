// zerlant-cli ensemble: conformers grouped by formula, duplicates dropped,
// and the Boltzmann population of each from E, G or quasi-harmonic G.

#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.hpp"
#include "cli/fileargs.hpp"
#include "core/ensemble/ensemble.hpp"
#include "core/extract/extraction.hpp"
#include "core/files/filetext.hpp"
#include "core/text/textutils.hpp"
#include "core/text/utf8.hpp"
#include "core/thermo/gaussianthermo.hpp"
#include "core/thermo/thermotable.hpp"

namespace zerlant::cli {

namespace {

struct EnsembleCommand {
    std::string by = "qhG";
    EnsembleSettings settings;
    FileArguments input;
};

int runEnsemble(EnsembleCommand& command);

std::string roundTrip(double v) {
    char buffer[40];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

std::string utf8Name(const std::string& name) {
    return isValidUtf8(name) ? name : windows1252ToUtf8(name);
}

constexpr double kKcalPerHartree = 627.509474;

}  // namespace

RunCommand addEnsemble(CLI::App& program) {
    auto command = std::make_shared<EnsembleCommand>();
    CLI::App& app = *program.add_subcommand(
        "ensemble", "group conformers, drop duplicates and give Boltzmann populations");
    app.add_option("--by", command->by, "the energy of the populations: E, G or qhG\n(default qhG)")
        ->check(CLI::IsMember({"E", "G", "qhG"}));
    app.add_option("--temperature", command->settings.temperature, "K (default 298.15)")
        ->check(CLI::Range(1.0, 100000.0));
    app.add_option("--energy-tolerance", command->settings.energyTolerance,
                   "hartree within which two conformers may be\none (default 1e-5)")
        ->check(CLI::Range(0.0, 1.0));
    app.add_option("--rmsd", command->settings.rmsdTolerance,
                   "angstrom after superposition below which they\nare one (default 0.1)")
        ->check(CLI::Range(0.0, 10.0));
    addFileArguments(app, command->input);
    app.footer(
        "Groups the output FILEs by formula, sorts each group by energy and marks a\n"
        "conformer that lies within the energy tolerance of a lower one and within the\n"
        "RMSD tolerance of its geometry after the best superposition as its duplicate.\n"
        "The others get Boltzmann populations within their group from E (the final SCF\n"
        "or method energy), G or quasi-harmonic G (the thermochemistry of 'thermo' at\n"
        "the temperature given, 1 atm).  Writes CSV: formula, file, the energy used,\n"
        "its value relative to the group's lowest in kcal/mol, the population and the\n"
        "file it duplicates.\n\n"
        "Exit status: 0 done, 1 some file could not be read or has no energy or\n"
        "geometry, 2 usage error.");
    return [command] { return runEnsemble(*command); };
}

namespace {

int runEnsemble(EnsembleCommand& command) {
    if (auto stop = collectFiles("ensemble", command.input))
        return *stop;
    int status = 0;
    std::vector<Conformer> conformers;
    thermo::ThermoSettings thermoSettings;
    thermoSettings.temperature = command.settings.temperature;
    for (const std::string& file : command.input.files) {
        FileRows rows(2);
        rows[1] = {true, file, file, ""};
        ExtractBoxes boxes = ExtractBoxes::initial({});
        boxes[ExtractBox::Geometry].ticked = true;
        ExtractionOutcome run = runExtraction(rows, boxes, {}, '.', {}, 1);
        auto complain = [&](const std::string& why) {
            std::fprintf(stderr, "zerlant-cli: %s: %s\n", file.c_str(), why.c_str());
            status = 1;
        };
        if (run.records.empty() || !run.records.front().ok) {
            complain(run.unreadable.empty() ? "no normally terminated Gaussian output"
                                            : run.unreadable.front());
            continue;
        }
        const ExtractRecord& record = run.records.front();
        if (record.detail.atoms.empty()) {
            complain("no Cartesian geometry printed");
            continue;
        }
        Conformer c;
        c.file = file;
        std::vector<int> numbers;
        for (const CartesianAtom& a : record.detail.atoms) numbers.push_back(a.atomicNumber);
        c.formula = thermo::hillFormula(numbers);
        c.atoms = record.detail.atoms;
        if (command.by == "E") {
            const std::optional<double> e =
                record.methodEnergy ? record.methodEnergy
                                    : (record.energyOpt ? record.energyOpt : record.energy);
            if (!e) {
                complain("no energy");
                continue;
            }
            c.energy = *e;
        } else {
            auto bytes = readFileBytes(file);
            const thermo::ThermoRow row =
                bytes ? thermo::thermoRow(file, *bytes, thermoSettings) : thermo::ThermoRow{};
            if (!bytes || !row.ok()) {
                complain(bytes ? row.error : bytes.error().message);
                continue;
            }
            c.energy = command.by == "G" ? row.summary.g : row.summary.qhG;
        }
        if (!std::isfinite(c.energy)) {
            complain("no finite energy");
            continue;
        }
        conformers.push_back(std::move(c));
    }
    if (conformers.empty())
        return 1;

    const std::string energyKey = command.by == "E" ? "e" : command.by == "G" ? "g" : "qh_g";
    std::string out =
        "formula,file," + energyKey + "_hartree,relative_kcal_mol,population," + "duplicate_of\r\n";
    for (const EnsembleGroup& group : buildEnsembles(conformers, command.settings))
        for (const EnsembleMember& m : group.members) {
            const Conformer& c = conformers[m.conformer];
            out += group.formula + "," + separatedCell(utf8Name(c.file), ",") + "," +
                   roundTrip(c.energy) + "," + roundTrip(m.relative * kKcalPerHartree) + "," +
                   roundTrip(m.population) + "," +
                   (m.duplicateOf ? separatedCell(utf8Name(conformers[*m.duplicateOf].file), ",")
                                  : std::string()) +
                   "\r\n";
        }
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "zerlant-cli: cannot write to standard output\n");
        return 1;
    }
    return status;
}

}  // namespace
}  // namespace zerlant::cli
