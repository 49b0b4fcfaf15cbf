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
#include "core/ensemble/conformerfile.hpp"
#include "core/ensemble/ensemble.hpp"
#include "core/text/textutils.hpp"
#include "core/text/utf8.hpp"

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
    app.add_flag("--connectivity", command->settings.byConnectivity,
                 "split a formula's conformers by their bonds\n"
                 "(covalent radii): isomers are not conformers");
    addFileArguments(app, command->input);
    app.footer(
        "Groups the output FILEs by formula, sorts each group by energy and marks a\n"
        "conformer that lies within the energy tolerance of a lower one and within the\n"
        "RMSD tolerance of its geometry after the best superposition as its duplicate.\n"
        "The others get Boltzmann populations within their group from E (the final SCF\n"
        "or method energy), G or quasi-harmonic G (the thermochemistry of 'thermo' at\n"
        "the temperature given, 1 atm).  Writes CSV: formula, file, the energy used,\n"
        "its value relative to the group's lowest in kcal/mol, the population and the\n"
        "file it duplicates.  With --connectivity the files of a formula are grouped\n"
        "by their bond graphs too (two atoms bonded within their covalent radii plus\n"
        "0.45 A), and a last column numbers the constitutions of each formula.\n\n"
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
    const PopulationEnergy by = command.by == "E"   ? PopulationEnergy::E
                                : command.by == "G" ? PopulationEnergy::G
                                                    : PopulationEnergy::QhG;
    for (const std::string& file : command.input.files) {
        Result<Conformer> c = readConformer(file, by, command.settings.temperature);
        if (!c) {
            std::fprintf(stderr, "zerlant-cli: %s\n", c.error().describe().c_str());
            status = 1;
            continue;
        }
        conformers.push_back(std::move(*c));
    }
    if (conformers.empty())
        return 1;

    const std::string energyKey = command.by == "E" ? "e" : command.by == "G" ? "g" : "qh_g";
    std::string out = "formula,file," + energyKey + "_hartree,relative_kcal_mol,population," +
                      "duplicate_of" +
                      (command.settings.byConnectivity ? ",constitution\r\n" : "\r\n");
    for (const EnsembleGroup& group : buildEnsembles(conformers, command.settings))
        for (const EnsembleMember& m : group.members) {
            const Conformer& c = conformers[m.conformer];
            out += group.formula + "," + separatedCell(utf8Name(c.file), ",") + "," +
                   roundTrip(c.energy) + "," + roundTrip(m.relative * kKcalPerHartree) + "," +
                   roundTrip(m.population) + "," +
                   (m.duplicateOf ? separatedCell(utf8Name(conformers[*m.duplicateOf].file), ",")
                                  : std::string()) +
                   (command.settings.byConnectivity ? "," + std::to_string(group.constitution)
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
