#pragma once
// zerlant-cli plot: spectra, scan profiles and optimisation convergence of
// Gaussian output files as an image (.svg, .png, .pdf) or as the curve's
// numbers (.csv).

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.hpp"

namespace zerlant::cli {

struct PlotOptions {
    std::string kind;                                // ir, raman, uv, ecd, scan or convergence
    std::vector<std::string> files;                  // Gaussian output files, in the order given
    std::string output;                              // -o: ends in .svg, .png, .pdf or .csv
    std::optional<double> fwhm;                      // --fwhm: cm-1 (ir, raman) or eV (uv, ecd)
    std::optional<std::pair<double, double>> range;  // --range A:B, in the x unit
    std::optional<std::string> unit;                 // --unit nm|ev|cm-1 (uv, ecd)
    std::optional<double> scale;                     // --scale: frequency scale factor (ir, raman)
    std::optional<std::string> measured;             // --measured FILE: overlaid and scaled
    std::size_t points = 0;                          // --points N (0: a round step)
    bool map = false;                                // --map: a two-coordinate scan as a map
    // --boltzmann E|G|qhG: the files' spectra weighted by their populations
    // and summed, one curve per formula.
    std::optional<std::string> boltzmann;
    std::optional<std::string> language;  // --lang NAME, for the captions of images
    char decimalSeparator = '.';          // of the axis numbers in images
};

// Runs the command; notices and errors go to `err`, `out` gets the line
// naming the file written.  Exit status: 0 done, 1 a file could not be read
// or written (or holds no such spectrum), 2 usage error.
int runPlot(const PlotOptions& options, std::ostream& out, std::ostream& err);

}  // namespace zerlant::cli
