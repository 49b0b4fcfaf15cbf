// zerlant-cli convergence: every optimisation step of Gaussian output files,
// its energy and the four convergence criteria against their thresholds, as
// CSV or JSON for scripts.

#include <CLI/CLI.hpp>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.hpp"
#include "cli/fileargs.hpp"
#include "core/files/filetext.hpp"
#include "core/files/paths.hpp"
#include "core/optimisation/convergence.hpp"
#include "core/text/textutils.hpp"
#include "core/text/utf8.hpp"

namespace zerlant::cli {

namespace {

struct ConvergenceCommand {
    std::optional<std::string> output;  // -o FILE
    std::string format;                 // --format csv|json
    FileArguments input;
};

int runConvergence(ConvergenceCommand& command);

// The keys of the four criteria, in the order Gaussian prints them.
constexpr const char* kCriterionKeys[kCriteria] = {"max_force", "rms_force", "max_displacement",
                                                   "rms_displacement"};

// Names from old file systems may hold bytes that are not UTF-8: read as
// Windows-1252 then, so that every output is valid UTF-8.
std::string utf8Name(const std::string& name) {
    return isValidUtf8(name) ? name : windows1252ToUtf8(name);
}

// The shortest text that reads back as the same number.
std::string roundTrip(double v) {
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    return std::string(buffer, end);
}

std::string csvOf(const std::vector<std::pair<std::string, ConvergenceTrack>>& tracks) {
    std::string out = "file,step,step_in_run,scan_point,energy_hartree";
    for (const char* key : kCriterionKeys)
        out += std::string(",") + key + "," + key + "_threshold," + key + "_met";
    out += ",converged\r\n";
    auto number = [](const std::optional<double>& v) { return v ? roundTrip(*v) : std::string(); };
    auto whole = [](const std::optional<int>& v) { return v ? std::to_string(*v) : std::string(); };
    for (const auto& [file, track] : tracks)
        for (const OptimisationStep& s : track.steps) {
            out += separatedCell(utf8Name(file), ",") + "," + std::to_string(s.number) + "," +
                   whole(s.stepInRun) + "," + whole(s.scanPoint) + "," + number(s.energy);
            for (const CriterionValue& c : s.criteria)
                out += "," + number(c.value) + "," + number(c.threshold) + "," +
                       (c.met ? "yes" : "no");
            out += std::string(",") + (s.converged ? "yes" : "no") + "\r\n";
        }
    return out;
}

std::string jsonOf(const std::vector<std::pair<std::string, ConvergenceTrack>>& tracks) {
    using Json = nlohmann::ordered_json;
    auto number = [](const std::optional<double>& v) { return v ? Json(*v) : Json(nullptr); };
    auto whole = [](const std::optional<int>& v) { return v ? Json(*v) : Json(nullptr); };
    Json files = Json::array();
    for (const auto& [file, track] : tracks) {
        Json steps = Json::array();
        for (const OptimisationStep& s : track.steps) {
            Json step = {{"step", s.number},
                         {"step_in_run", whole(s.stepInRun)},
                         {"scan_point", whole(s.scanPoint)},
                         {"energy_hartree", number(s.energy)}};
            for (std::size_t c = 0; c < kCriteria; ++c) {
                step[kCriterionKeys[c]] = number(s.criteria[c].value);
                step[std::string(kCriterionKeys[c]) + "_threshold"] =
                    number(s.criteria[c].threshold);
                step[std::string(kCriterionKeys[c]) + "_met"] = s.criteria[c].met;
            }
            step["converged"] = s.converged;
            steps.push_back(std::move(step));
        }
        files.push_back({{"file", utf8Name(file)},
                         {"optimisation_completed", track.completed},
                         {"terminated", track.terminated},
                         {"steps", std::move(steps)}});
    }
    return files.dump(2) + "\n";
}

}  // namespace

RunCommand addConvergence(CLI::App& program) {
    auto command = std::make_shared<ConvergenceCommand>();
    CLI::App& app = *program.add_subcommand(
        "convergence", "list every optimisation step with its energy and convergence criteria");
    app.add_option("-o,--output", command->output,
                   "write to FILE (.csv or .json) instead of\nstandard output");
    app.add_option("--format", command->format,
                   "csv (the default) or json; -o FILE.json\nchooses json")
        ->check(CLI::IsMember({"csv", "json"}));
    addFileArguments(app, command->input);
    app.footer(
        "Reads every optimisation step of each Gaussian output FILE (also the\n"
        "optimisations of a relaxed scan or an IRC): the step's SCF energy (hartree),\n"
        "the maximum and RMS force and displacement with their thresholds and whether\n"
        "each is met, and whether Gaussian took the step as converged.  A file still\n"
        "being written gives the steps it holds so far.  The files are only read, in\n"
        "pieces: any size takes little memory.\n\n"
        "Exit status: 0 done, 1 some file could not be read, held no optimisation step\n"
        "or the output could not be written, 2 usage error.");
    return [command] { return runConvergence(*command); };
}

namespace {

int runConvergence(ConvergenceCommand& command) {
    if (auto stop = collectFiles("convergence", command.input))
        return *stop;
    const std::vector<std::string>& files = command.input.files;
    bool json = command.format == "json";
    if (command.output) {
        const std::string extension = foldCase(extensiondearchivo(*command.output));
        if (command.format.empty())
            json = extension == "json";
        if (auto refused = refusedOutput(*command.output, files))
            return usageError(refused->describe());
    }

    int status = 0;
    std::vector<std::pair<std::string, ConvergenceTrack>> tracks;
    for (const std::string& file : files) {
        auto track = readConvergence(file);
        if (!track) {
            std::fprintf(stderr, "zerlant-cli: cannot read %s\n", track.error().describe().c_str());
            status = 1;
            continue;
        }
        if (track->steps.empty()) {
            std::fprintf(stderr, "zerlant-cli: %s: no optimisation step\n", file.c_str());
            status = 1;
            continue;
        }
        tracks.emplace_back(file, std::move(*track));
    }
    if (tracks.empty())
        return 1;  // nothing to write: no file is made

    const std::string text = json ? jsonOf(tracks) : csvOf(tracks);
    if (!command.output) {
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
            std::fflush(stdout) != 0) {
            std::fprintf(stderr, "zerlant-cli: cannot write to standard output: %s\n",
                         std::strerror(errno));
            return 1;
        }
        return status;
    }
    if (Status s = writeFileAtomically(*command.output, text, WriteRule::exportOf(files)); !s) {
        std::fprintf(stderr, "zerlant-cli: cannot write %s\n", s.error().describe().c_str());
        return 1;
    }
    return status;
}

}  // namespace
}  // namespace zerlant::cli
