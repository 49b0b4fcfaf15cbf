#pragma once
// The next Gaussian job written from the last one: the job's own Link 0
// lines, route, title, charge and multiplicity (as its output echoes them)
// with the last geometry it printed, and, on request, the fix its end calls
// for: a restart of an optimisation that stopped, a sturdier SCF, or the
// geometry displaced along imaginary normal modes.  Inputs are only ever
// written as new files.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.hpp"
#include "core/results/extractrecord.hpp"

namespace zerlant {

struct NextJobOptions {
    std::optional<std::string> route;     // replaces the job's route
    std::vector<std::string> add;         // keywords added to the route
    std::vector<std::string> remove;      // keywords taken out ("freq", "opt" with its options)
    std::vector<std::string> link0;       // "%mem=8GB": replaces the job's line of that name
    std::string pattern = "{stem}_next";  // the new name without extension
    std::string extension = ".gjf";       // or ".com"
    bool fix = false;                     // apply the fix the job's end calls for
    int maxCycles = 100;                  // a restarted optimisation's opt=(maxcycles=N)
    std::string scf = "xqc";              // the SCF keyword's option for an SCF failure
    double amplitude = 0.3;               // along a normalised mode's displacement
    bool bothDirections = false;          // a displaced input each way
};

enum class Diagnosis {
    Finished,                   // ended normally, nothing to fix
    OptimisationStopped,        // steps exceeded, or stopped while optimising
    ScfNotConverged,            // l502
    ImaginaryMinimum,           // a minimum with imaginary modes
    TransitionStateExtraModes,  // a transition-state search with more than one
    InputError,                 // l1 syntax, a basis out of range: no input helps
    OtherFailure,
};

struct NextInput {
    std::string path;
    std::string text;
};

struct NextJob {
    Diagnosis diagnosis = Diagnosis::Finished;
    std::string summary;                  // what the next job does, for a person
    std::vector<NextInput> inputs;        // empty when refused
    std::vector<std::string> notCarried;  // what the new input lacks, named
    std::optional<std::string> refusal;   // why no input is written
};

// What the job's end calls for.
Diagnosis diagnose(const JobHealth& health, std::string_view lowerRoute);

// The next job of the output at `outputPath` (its bytes and its record, read
// with the geometry and frequency blocks).  Nothing is written.
NextJob planNextJob(const std::string& outputPath, std::string_view outputBytes,
                    const ExtractRecord& record, const NextJobOptions& options);

// The next job of the output at `outputPath`, read from disk (with its
// geometry, frequencies and job health).
Result<NextJob> nextJobOf(const std::string& outputPath, const NextJobOptions& options);

// Writes `text` as the new file `path`; an existing file is never replaced.
Status writeNewFile(const std::string& path, std::string_view text);

}  // namespace zerlant
