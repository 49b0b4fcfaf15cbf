// zerlant-cli next: a new Gaussian input from each output, with its last
// geometry, and on request the fix the job's end calls for.

#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.hpp"
#include "cli/fileargs.hpp"
#include "core/nextjob/nextjob.hpp"

namespace zerlant::cli {

namespace {

struct NextCommand {
    NextJobOptions options;
    bool dryRun = false;
    bool com = false;
    FileArguments input;
};

int runNext(NextCommand& command);

const char* diagnosisName(Diagnosis d) {
    switch (d) {
        case Diagnosis::Finished:
            return "finished";
        case Diagnosis::OptimisationStopped:
            return "optimisation stopped";
        case Diagnosis::ScfNotConverged:
            return "SCF not converged";
        case Diagnosis::ImaginaryMinimum:
            return "minimum with imaginary modes";
        case Diagnosis::TransitionStateExtraModes:
            return "transition state with extra imaginary modes";
        case Diagnosis::InputError:
            return "input error";
        case Diagnosis::OtherFailure:
            return "failed";
    }
    return "";
}

}  // namespace

RunCommand addNext(CLI::App& program) {
    auto command = std::make_shared<NextCommand>();
    NextJobOptions& o = command->options;
    CLI::App& app =
        *program.add_subcommand("next", "write the next Gaussian input from each output");
    app.add_option("--route", o.route, "the route of the new input, in place of\nthe job's");
    app.add_option("--add", o.add, "add a keyword to the route (repeatable)")
        ->allow_extra_args(false);
    app.add_option("--remove", o.remove, "remove a keyword, with its options\n(repeatable)")
        ->allow_extra_args(false);
    app.add_option("--link0", o.link0, "a Link 0 line such as %mem=8GB, in place\nof the job's")
        ->allow_extra_args(false);
    app.add_option(
        "--name", o.pattern,
        "the new name without extension, {stem}\nfor the output's (default {stem}_next)");
    app.add_flag("--com", command->com, "write .com instead of .gjf");
    app.add_flag("--fix", o.fix, "apply the fix the job's end calls for\n(see below)");
    app.add_option("--maxcycles", o.maxCycles, "steps of a restarted optimisation (100)")
        ->check(CLI::Range(1, 100000));
    app.add_option("--scf", o.scf, "the SCF option for an SCF failure (xqc)");
    app.add_option(
           "--amplitude", o.amplitude,
           "displacement along an imaginary mode, in\nunits of its normalised displacement (0.3)")
        ->check(CLI::Range(0.001, 10.0));
    app.add_flag("--both", o.bothDirections, "a displaced input in each direction");
    app.add_flag("-n,--dry-run", command->dryRun, "print the inputs; write nothing");
    addFileArguments(app, command->input);
    app.footer(
        "Writes, beside each output FILE, a new input {stem}_next.gjf with the job's Link 0\n"
        "lines, route, title, charge and multiplicity as the output echoes them and the\n"
        "last geometry it printed (of a job that did not end normally: its last step,\n"
        "said in the title).  With --fix, by what ended the job: an optimisation that\n"
        "stopped restarts with opt=(calcfc,maxcycles=N); an SCF failure (l502) gets\n"
        "scf=xqc; a minimum with imaginary modes is displaced along them (the\n"
        "transition-state search along its extra ones) for a new opt freq; an input\n"
        "error gets no input.  What cannot be carried (general basis sections, later\n"
        "--Link1-- steps) is named on stderr.  An existing file is never replaced.\n\n"
        "Exit status: 0 done, 1 some file could not be read or got no input, 2 usage\n"
        "error.");
    return [command] { return runNext(*command); };
}

namespace {

int runNext(NextCommand& command) {
    if (auto stop = collectFiles("next", command.input))
        return *stop;
    if (!std::isfinite(command.options.amplitude))
        return usageError("--amplitude must be a number");
    if (command.com)
        command.options.extension = ".com";
    if (command.options.pattern.empty() || command.options.pattern.find('/') != std::string::npos)
        return usageError("--name must be a plain file name");

    int status = 0;
    for (const std::string& file : command.input.files) {
        auto planned = nextJobOf(file, command.options);
        if (!planned) {
            std::fprintf(stderr, "zerlant-cli: cannot read %s\n",
                         planned.error().describe().c_str());
            status = 1;
            continue;
        }
        const NextJob& job = *planned;
        std::fprintf(stderr, "%s: %s%s%s\n", file.c_str(), diagnosisName(job.diagnosis),
                     job.summary.empty() ? "" : "; ", job.summary.c_str());
        for (const std::string& lack : job.notCarried)
            std::fprintf(stderr, "  not carried: %s\n", lack.c_str());
        if (job.refusal) {
            std::fprintf(stderr, "  no input: %s\n", job.refusal->c_str());
            status = 1;
            continue;
        }
        for (const NextInput& input : job.inputs) {
            if (command.dryRun) {
                std::printf("==> %s <==\n%s", input.path.c_str(), input.text.c_str());
                continue;
            }
            if (Status s = writeNewFile(input.path, input.text); !s) {
                std::fprintf(stderr, "zerlant-cli: cannot write %s\n",
                             s.error().describe().c_str());
                status = 1;
            } else {
                std::printf("%s\n", input.path.c_str());
            }
        }
    }
    return status;
}

}  // namespace
}  // namespace zerlant::cli
