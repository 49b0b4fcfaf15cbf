#pragma once
// The convergence plot of optimisations: each step's energy above the
// file's lowest step, and the four convergence criteria against their
// thresholds on a log scale, the converged steps marked.

#include <string>
#include <vector>

#include "core/common/types.hpp"
#include "core/optimisation/convergence.hpp"
#include "core/plotdata/plotscene.hpp"

namespace zerlant::plotdata {

struct NamedTrack {
    std::string name;  // the file's name
    ConvergenceTrack track;
};

// Captions are the convergence messages (and the criteria's names for the legend).
// Left axis: the energy above the lowest step of each file, in kcal/mol,
// against the step number; right axis (log scale): the criteria as solid
// lines and their thresholds as dashed lines of the same colour.  Values
// that are not available or not above 0 are not drawn.  With several files
// every legend entry begins with the file's name.
PlotScene convergenceScene(const std::vector<NamedTrack>& files, const MessageLookup& message);

// The same numbers as CSV, one row per step: "file", "step",
// "energy_hartree", "relative_energy_kcal_mol", each criterion and its
// threshold ("max_force", "max_force_threshold", ...) and "converged"
// (yes/no); values not available are empty fields.  LF line ends.
std::string convergenceCsv(const std::vector<NamedTrack>& files);

}  // namespace zerlant::plotdata
