#pragma once
// Route analysis: the method, the basis set and the job keywords of a Gaussian
// job, read from its route line (section 1 of the archive entry, such as
// "#P B3LYP/6-31G(d) Opt Freq") word by word against fixed word lists, and
// the archive key under which the method's own energy is stored.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zerlant {

// What analizarruta finds in a route.
struct RouteAnalysis {
    std::string method;  // lower case, as the route spells it; may be empty
    std::string basis;   // spelled as in the route; may be empty
    bool oniom = false;  // an ONIOM job: method and basis are Gaussian's own (archive header)
    // Each job keyword the route holds, in the order of the keyword list, with
    // its options as the route writes them, lower case ("scrf" -> "check",
    // "opt" -> "calcfc,ts").
    std::vector<std::pair<std::string, std::string>> keywords;

    bool has(std::string_view keyword) const {
        for (const auto& k : keywords)
            if (k.first == keyword)
                return true;
        return false;
    }
};

// Names method, basis set and job keywords of a route.  The route is split
// into words at blanks and "/" (a word's options in parentheses or after "="
// stay with it), and each word is matched whole: a job keyword by its name
// ("opt=(calcfc,ts)" is opt), a method by the method list with an optional
// r/u/ro prefix (the spelling kept in lower case; "CCSD(T,T1Diag)" is
// ccsd(t)), a basis set by how basis names start ("6-31G(d)", "aug-cc-pVTZ",
// "def2TZVP").  E.g. "#P B3LYP/6-31G(d) Opt Freq" gives method "b3lyp", basis
// "6-31G(d)", keywords "opt freq".  A route that names no method (Gaussian
// then runs HF) or no basis gives "": the caller takes Gaussian's own from the
// archive header.
RouteAnalysis analizarruta(std::string_view route);

// The archive key under which the energy of `method` is stored ("CCSD(T)",
// "MP4SDTQ", ...): the method in upper case, mapped by the key table; the
// r/u/ro prefix of a restricted/unrestricted method is dropped ("ump2" ->
// "MP2"), since the archive names the energy without it.
std::string methodEnergyKey(std::string_view method);

}  // namespace zerlant
