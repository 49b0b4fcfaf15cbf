#pragma once
// The steps of a geometry optimisation (or of the optimisations of a relaxed
// scan or an IRC) as Gaussian prints them: the energy of each step and the
// four convergence criteria against their thresholds.
//
//  SCF Done:  E(RB3LYP) =  -76.4089412867     A.U. after   10 cycles
//  ...
//  Step number   1 out of a maximum of   20 on scan point     2 out of    11
//  ...
//          Item               Value     Threshold  Converged?
//  Maximum Force            0.063940     0.000450     NO
//  RMS     Force            0.058480     0.000300     NO
//  Maximum Displacement     0.135143     0.001800     NO
//  RMS     Displacement     0.126327     0.001200     NO
//  Predicted change in Energy=-1.374443D-02
//  ...
//  Optimization completed.
//
// The reader takes the file's bytes piece by piece, in order, and keeps only
// the steps: a file of any size is read in bounded memory, and a file that
// is still being written can be fed what was appended since.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.hpp"
#include "core/optimisation/anchoredlines.hpp"

namespace zerlant {

enum class Criterion { MaximumForce = 0, RmsForce, MaximumDisplacement, RmsDisplacement };
inline constexpr std::size_t kCriteria = 4;

struct CriterionValue {
    std::optional<double> value;      // nothing where Gaussian printed stars or no line
    std::optional<double> threshold;  // likewise
    bool met = false;                 // "YES"
};

struct OptimisationStep {
    int number = 0;                // 1, 2, ... in file order
    std::optional<int> stepInRun;  // "Step number N"
    std::optional<int> scanPoint;  // "on scan point N"
    std::optional<double> energy;  // hartree: the last "SCF Done:" before the table
    std::array<CriterionValue, kCriteria> criteria;
    // Gaussian took the step as converged: "Optimization completed." follows
    // it, or all four criteria are met.
    bool converged = false;
};

struct ConvergenceTrack {
    std::vector<OptimisationStep> steps;
    bool completed = false;   // an "Optimization completed." was seen
    bool terminated = false;  // "Normal termination" or "Error termination" was seen
};

class ConvergenceReader {
  public:
    // The next bytes of the file, in order.
    void feed(std::string_view bytes);
    // The steps read so far.  An unfinished last line waits for its line
    // end, so feeding may go on as the file grows.
    const ConvergenceTrack& track() const { return track_; }
    // Bytes fed so far.
    std::uint64_t consumed() const { return lines_.consumed(); }

  private:
    void line(std::string_view text);
    ConvergenceTrack track_;
    optimisation_detail::AnchoredLines lines_;
    std::optional<double> energy_;
    std::optional<int> stepInRun_;
    std::optional<int> scanPoint_;
    int criteriaLeft_ = 0;  // lines of the table still to come
    bool energySinceStep_ = false;
};

// Every step of the file at `path`, read in pieces of 1 MiB.
Result<ConvergenceTrack> readConvergence(const std::string& path);

}  // namespace zerlant
