#pragma once
// Route analysis: the method, the basis set and the job keywords of a Gaussian
// job, read from its route line (section 1 of the archive entry, such as
// "#P B3LYP/6-31G(d) Opt Freq") by matching it against fixed word lists.
// No grammar of the route is parsed; every match is a case-blind substring
// match, and the order of the lists decides ties.  Then the method's own
// energy from the results section of the archive entry.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/text/searchtext.hpp"

namespace zerlant {

// What analizarruta finds in a route.
struct RouteAnalysis {
    std::string method;    // nombremetodo: lower case, as in the candidate list; may be empty
    std::string basis;     // nombrebase: spelled as in the route; may be empty
    std::string keywords;  // palabrasclave: blank-separated, in list order; may be empty
    std::string route;     // the words left over once keywords, method and basis are taken
    bool oniom = false;    // an ONIOM job: method and basis are Gaussian's own (archive header)
    // Each job keyword with its options as the route writes them, lower case
    // ("scrf" -> "check", "opt" -> "calcfc,ts").
    std::vector<std::pair<std::string, std::string>> keywordOptions;
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

// The job keywords that occur in the route, blank-separated, in list order.
std::string palabrasclave(std::string_view route);

// The 217 method candidates in their order of precedence (a later match wins).
std::vector<std::string> methodCandidates();

// The last of the method candidates that occurs in the route, or "".
std::string nombremetodo(std::string_view route);

// The blank-separated piece of the (trimmed) text that holds the basis-set
// marker latest in list order (and within one marker the latest piece), or "".
std::string nombrebase(std::string_view text);

// The trimmed text without every blank-separated piece that contains one of
// the blank-separated `words`, rebuilt with single blanks, every "#" removed.
// An empty `words` removes no piece.
std::string quitarpalabras(std::string_view text, std::string_view words);

// The archive key under which the energy of `method` is stored ("CCSD(T)",
// "MP4SDTQ", ...): the method in upper case, mapped by the key table; the
// r/u/ro prefix of a restricted/unrestricted method is dropped ("ump2" ->
// "MP2"), since the archive names the energy without it.
std::string methodEnergyKey(std::string_view method);

// The method's energy from an archive entry (joined, so that no value is
// broken across lines): the number after "|KEY=", or, when that is 0 or
// missing, the number after "|HF=" (density-functional energies are stored
// there); 0 when neither is present.
double energiametodo(TextRef archive, std::string_view method);
double energiametodo(std::string_view archive, std::string_view method);

}  // namespace zerlant
