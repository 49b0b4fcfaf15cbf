#pragma once
// A high-level single point on a low-level frequency job: the two outputs are
// paired (by a suffix beside the frequency job, or by a list of pairs), and
// checked to be the same molecule in the same state at the same geometry
// before the single point's energy replaces the frequency job's in the
// thermochemistry table.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/common/result.hpp"
#include "core/gaussian/orientation.hpp"
#include "core/results/extractrecord.hpp"
#include "core/thermo/thermotable.hpp"

namespace zerlant {

// What must agree between the two jobs, and the single point's energy.
struct JobIdentity {
    std::string formula;  // Hill order, from the atoms of the geometry
    int charge = 0;
    int multiplicity = 0;
    std::vector<CartesianAtom> atoms;  // the last geometry printed
    // The method's own energy (CCSD(T), MP2, ...), else the last SCF energy.
    std::optional<double> energy;
};

// The identity of a read output; an error when the job did not end normally
// or printed no geometry.
Result<JobIdentity> identityOf(const ExtractRecord& record);

// Reads one output file (geometry kept) into its identity.
Result<JobIdentity> readJobIdentity(const std::string& path);

inline constexpr double kDefaultPairRmsd = 0.01;  // angstrom

// Why the single point cannot stand on the frequency job, naming what
// differs; nullopt when it can.  The geometries are compared after the best
// superposition.
std::optional<std::string> pairMismatch(const JobIdentity& frequencyJob,
                                        const JobIdentity& singlePoint, double rmsdTolerance);

// The single point's row part, or why the row has none.
Result<thermo::SinglePoint> pairSinglePoint(const Result<JobIdentity>& frequencyJob,
                                            const std::string& singlePointFile,
                                            const Result<JobIdentity>& singlePoint,
                                            double rmsdTolerance);

// The partner of `frequencyJob` by suffix: "dir/x.log" with "tz" gives
// "dir/x_tz.log", or "dir/x_tz.out" when only that one exists; nullopt when
// neither exists.
std::optional<std::string> suffixPartner(const std::string& frequencyJob,
                                         const std::string& suffix);

// The pairs of a list file: two names a line (frequency job, then single
// point), separated by blanks or a tab, a name with blanks in double quotes;
// blank lines and lines starting with '#' are skipped.  Relative names are
// taken from the list file's folder.  An error names the first line that is
// not two names.
Result<std::vector<std::pair<std::string, std::string>>> readPairList(const std::string& path);

// The single point of the frequency job at `frequencyJob` from its partner
// (nullopt: none was found; `partnerName` is the name looked for), with both
// files read and checked.
Result<thermo::SinglePoint> singlePointFor(const std::string& frequencyJob,
                                           const std::optional<std::string>& partner,
                                           const std::string& partnerName, double rmsdTolerance);

// Puts the single point on a row that has values, or its error in the row's;
// a row without values keeps its own error.
void applySinglePoint(thermo::ThermoRow& row, const Result<thermo::SinglePoint>& singlePoint);

}  // namespace zerlant
