#pragma once
// Every step of an optimisation (and of the optimisations of a relaxed scan,
// and every point of an IRC) with its geometry, for playing the steps back
// and for writing them as frames.  The reader is fed the file's bytes piece
// by piece, in order, and hands back each step once it is complete, keeping
// nothing of the steps it has handed back: a file of any size is read in
// bounded memory, and a file still being written can be fed what was
// appended since, without rereading.
//
// One step per convergence table (the steps `zerlant-cli convergence` lists):
//
//                          Input orientation:
//  ...
//                         Standard orientation:
//  ---------------------------------------------------------------------
//  Center     Atomic      Atomic             Coordinates (Angstroms)
//  Number     Number       Type             X           Y           Z
//  ---------------------------------------------------------------------
//       1          8           0        0.000000    0.000000    0.117790
//  ---------------------------------------------------------------------
//  ...
//  SCF Done:  E(RB3LYP) =  -76.4089412867     A.U. after   10 cycles
//  ...
//  Step number   1 out of a maximum of   20 on scan point     2 out of    11
//  ...
//          Item               Value     Threshold  Converged?
//  Maximum Force            0.063940     0.000450     NO
//  RMS     Force            0.058480     0.000300     NO
//  Maximum Displacement     0.135143     0.001800     NO
//  RMS     Displacement     0.126327     0.001200     NO
//  ...
//  Optimization completed.
//
// and one per IRC point that follows a geometry of its own:
//
//  Point Number:   1          Path Number:   1
//
// A step's geometry is the last standard orientation printed since the step
// before it, else the last input (or Z-matrix) orientation; its energy the
// last "SCF Done:" since the step before it.
//
// Use:
//   StepReader reader;
//   for (each piece of the file as it grows)
//       for (GeometryStep& step : reader.feed(piece)) show(step);
//   for (GeometryStep& step : reader.finish()) show(step);  // at the end of the file

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.hpp"
#include "core/gaussian/orientation.hpp"
#include "core/optimisation/anchoredlines.hpp"
#include "core/optimisation/convergence.hpp"

namespace zerlant {

struct GeometryStep {
    int number = 0;                // 1, 2, ... in file order
    std::optional<int> stepInRun;  // "Step number N"
    std::optional<int> scanPoint;  // "on scan point N"
    std::optional<int> ircPoint;   // "Point Number:   N"
    std::optional<int> ircPath;    // "Path Number:   N"
    // Where the geometry was printed; nothing when no geometry was printed
    // since the step before (then `atoms` is empty).
    std::optional<Orientation> orientation;
    std::vector<CartesianAtom> atoms;  // angstrom
    std::optional<double> energy;      // hartree
    // The convergence table; nothing for an IRC point without one.
    std::optional<std::array<CriterionValue, kCriteria>> criteria;
    // Gaussian took the step as converged: "Optimization completed." follows
    // it, or all four criteria are met.
    bool converged = false;
};

// A reader that wants more of a file than its steps, from the same bytes
// read once: what the step reader reads, and the other lines it is handed.
class StepObserver {
  public:
    virtual ~StepObserver() = default;
    // Every line is handed on while this says so.
    virtual bool everyLine() const = 0;
    // A line outside orientation blocks and convergence tables, after the
    // step reader has read it.
    virtual void line(std::string_view text) = 0;
    // An orientation block read whole, or nullptr for one broken off or
    // holding a row that is no atom.
    virtual void orientation(const OrientationBlock* block) = 0;
    // A complete step, for the observer to keep.
    virtual void step(GeometryStep&& step) = 0;
};

class StepReader {
  public:
    StepReader();
    // A reader whose steps go to `observer` rather than back from feed and
    // finish; the lines holding one of `anchors` are handed to it as well.
    // Both must outlive the reader.
    StepReader(StepObserver& observer, std::span<const std::string_view> anchors);

    // The next bytes of the file, in order; returns the steps completed by
    // them.  A step is complete when the next geometry, step, "Optimization
    // completed." or termination line is read; the last one of a file that
    // stopped growing comes from `finish`.
    std::vector<GeometryStep> feed(std::string_view bytes);
    // The end of the file: the step still waiting, and one completed by an
    // unfinished last line, read as a whole line.  Call it once the file is
    // complete (the job ended, or its steps so far are wanted at once); a
    // step handed back here is never handed back again.
    std::vector<GeometryStep> finish();

    std::uint64_t consumed() const { return lines_.consumed(); }  // bytes fed so far
    int steps() const { return count_; }                          // steps handed back or waiting
    bool completed() const { return completed_; }    // an "Optimization completed." was read
    bool terminated() const { return terminated_; }  // a termination line was read
    // The last step, until the lines after it complete it.
    const GeometryStep* waiting() const { return pending_ ? &*pending_ : nullptr; }
    // An orientation block is begun and not yet whole.
    bool inOrientation() const { return block_.open(); }

  private:
    void line(std::string_view text);
    void stepLine(std::string_view text);
    void startStep();
    void settle();
    bool blockLine(std::string_view text);
    std::vector<GeometryStep> handBack();

    StepObserver* observer_ = nullptr;
    std::vector<std::string_view> anchors_;
    optimisation_detail::AnchoredLines lines_;
    std::vector<GeometryStep> done_;       // complete, not yet handed back
    std::optional<GeometryStep> pending_;  // the last step, until it is complete
    int count_ = 0;
    bool completed_ = false;
    bool terminated_ = false;

    // Since the last step.
    std::optional<double> energy_;
    std::optional<int> stepInRun_;
    std::optional<int> scanPoint_;
    std::optional<OrientationBlock> standard_;
    std::optional<OrientationBlock> input_;

    OrientationLines block_;  // the orientation block being read
    int criteriaLeft_ = 0;    // lines of the convergence table still to come
};

// The convergence table of a step that has one, as the convergence reader
// gives it; `number` counts the steps with a table.
OptimisationStep tableStep(const GeometryStep& step, int number);

// Calls onStep(step) for every step of the file at `path`, in file order,
// reading it in pieces of 1 MiB; returns the number of steps.
Result<int> readSteps(const std::string& path, const std::function<void(GeometryStep&)>& onStep);

}  // namespace zerlant
