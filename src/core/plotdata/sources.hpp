#pragma once
// The lines of a spectrum as the Gaussian output parsers read them: the
// normal modes (frequency with IR intensity or Raman activity) and the
// excited states (energy with oscillator or rotatory strength).

#include <string>
#include <vector>

#include "core/common/result.hpp"
#include "core/plotdata/broadening.hpp"
#include "core/text/searchtext.hpp"

namespace zerlant::plotdata {

// The lines of `kind` in a normalised output text.  Modes and states that the
// file does not have (the parsers' placeholder rows), and values it does not
// print (NaN: the Raman activities of a job without Raman), give no line;
// lines that are all of strength 0 (no Raman activities, an achiral
// molecule's rotatory strengths) are no spectrum and give none either.
std::vector<Stick> sticksFromText(TextRef text, Kind kind);

// The lines, or none when every strength is 0.
std::vector<Stick> withoutAllZero(std::vector<Stick> sticks);

// The same from a file, read normalised in memory (the file is never changed).
Result<std::vector<Stick>> sticksFromFile(const std::string& path, Kind kind);

}  // namespace zerlant::plotdata
