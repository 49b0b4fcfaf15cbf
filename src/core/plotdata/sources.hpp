#pragma once
// The lines of a spectrum as the Extract run holds them: the normal modes
// (frequency with IR intensity or Raman activity) and the excited states
// (energy with oscillator or rotatory strength) of each file's record.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/common/result.hpp"
#include "core/plotdata/plotscene.hpp"
#include "core/results/extractrecord.hpp"
#include "core/text/searchtext.hpp"

namespace zerlant::plotdata {

// The lines of `kind` among a file's modes (frequency, reduced mass, force
// constant, IR intensity, Raman activity, ...) or states (number, eV, nm, f,
// R).  A mode or state whose position or strength is not a finite number
// (not printed, overflowing) gives no line, nor does a zero frequency or a
// state without a positive energy.
std::vector<Stick> sticksFromModes(const std::vector<std::array<double, 7>>& modes, Kind kind);
std::vector<Stick> sticksFromStates(const std::vector<std::array<double, 5>>& states, Kind kind);
std::vector<Stick> sticksFromDetail(const FileDetail& detail, Kind kind);

// True when there are lines and every one has strength 0: the Raman
// activities of a job without Raman are printed as 0, and so are the
// rotatory strengths of an achiral molecule.  Such lines are no spectrum.
bool allStrengthsZero(const std::vector<Stick>& sticks);

// The spectra of `kind` of the files read, each named by its file.
struct Spectra {
    std::vector<NamedSticks> files;  // files with at least one line of non-zero strength
    std::size_t allZero = 0;         // files whose lines all have strength 0
};
Spectra spectraFromRecords(const std::vector<ExtractRecord>& records, Kind kind);

// The lines of a normalised output text, and of a file read normalised in
// memory (the file is never changed).  All-zero lines are kept: the caller
// tells "no such spectrum" from "every strength is 0".
std::vector<Stick> sticksFromText(TextRef text, Kind kind);
Result<std::vector<Stick>> sticksFromFile(const std::string& path, Kind kind);

}  // namespace zerlant::plotdata
