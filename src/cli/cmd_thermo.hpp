#pragma once
// zerlant-cli thermo: the thermochemistry table of frequency jobs at any
// temperature, pressure or concentration, with quasi-harmonic corrections.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.hpp"
#include "cli/fileargs.hpp"
#include "core/thermo/thermotable.hpp"

namespace zerlant::cli {

struct ThermoOptions {
    thermo::ThermoRequest request;         // --temperature --pressure --concentration
                                           // --scale --cutoff --qh --relative --unit
    std::optional<std::string> reference;  // --reference FILE, one of the files
    bool scaleFromTable = false;           // --scale-from-table: each file's own level
    std::optional<std::string> scaleFor;   // --scale-for METHOD/BASIS
    bool listScales = false;               // --list-scales
    std::optional<std::string> output;     // -o FILE (.csv, .json, .xlsx)
    std::optional<std::string> spcSuffix;  // --spc SUFFIX: x.log's single point is x_SUFFIX.log
    std::optional<std::string> spcPairs;   // --spc-pairs FILE: the files and their single points
    double spcRmsd = 0.01;                 // --spc-rmsd A: the largest geometry difference
    // The single point of each file, in the order of input.files, when
    // --spc-pairs gave them.
    std::vector<std::string> singlePoints;
    FileArguments input;  // FILE..., --files-from
};

// Runs the command on the files of `options.input.files` (the list already
// read): the table goes to `out` as CSV or to the -o file; problems go to
// `err`.  Exit status: 0 done, 1 some file could not be read or gave no
// values (with a single point: its single point is missing or another
// molecule, state or geometry), or the output could not be written, 2 a
// --reference that is not among the files, or a scale factor asked from the
// table that it lacks.
int runThermo(const ThermoOptions& options, std::ostream& out, std::ostream& err);

// The table of published scale factors, as --list-scales prints it.
void listScaleFactors(std::ostream& out);

}  // namespace zerlant::cli
