#pragma once
// The spectrum of a conformer ensemble: each file's lines weighted by its
// Boltzmann population before they are summed.  Broadening is linear in the
// strengths, so the curve of the weighted lines is the weighted sum of the
// files' curves.

#include <string>
#include <vector>

#include "core/ensemble/conformerfile.hpp"
#include "core/ensemble/ensemble.hpp"
#include "core/plotdata/plotscene.hpp"

namespace zerlant::plotdata {

// One spectrum per formula among `conformers` (the conformer of files[i] is
// conformers[i]), in order of first appearance: the lines of its files, each
// strength times the file's population within the formula (a duplicate
// conformer weighs nothing), named "FORMULA, Boltzmann (qhG): a.log 72.9%, b.log 27.1%" (the files
// that weigh, with their populations).
std::vector<NamedSticks> boltzmannSpectra(const std::vector<NamedSticks>& files,
                                          const std::vector<Conformer>& conformers,
                                          const EnsembleSettings& settings, PopulationEnergy by);

}  // namespace zerlant::plotdata
