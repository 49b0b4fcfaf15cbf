#pragma once
// What an output file echoes of the job that made it, at the start of its
// first step:
//   " %chk=water.chk"
//   " %mem=2GB"
//   " -----------------------"
//   " # opt freq b3lyp/sto-3g"
//   " -----------------------"
//   " 1/14=-1,18=20,19=15,26=3,38=1/1,3;"      (the links it runs, not echoed back)
//   " -------------------"
//   " water"
//   " -------------------"
//   " Symbolic Z-matrix:"
//   " Charge =  0 Multiplicity = 1"
// Gaussian wraps long route and title lines at any character, so their lines
// are joined as they are.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zerlant {

struct JobEcho {
    std::vector<std::string> link0;  // "%chk=water.chk", in file order
    std::string route;               // "# opt freq b3lyp/sto-3g"; empty when none is found
    std::string title;
    std::optional<int> charge;
    std::optional<int> multiplicity;
    // "The following ModRedundant input section has been read:" and its lines.
    std::vector<std::string> modRedundant;
};

// The echo of the first job step of `text` (raw bytes or normalised text).
JobEcho readJobEcho(std::string_view text);

// The route in lower case, for tests of its keywords.
std::string lowerRoute(const JobEcho& echo);

}  // namespace zerlant
