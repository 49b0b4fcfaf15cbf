#pragma once
// What the structure view shows of one output file, read piece by piece so
// that a job still running can be followed: the last geometry, every
// optimisation step with its geometry, energy and convergence criteria, and
// the normal modes.  A file that grows is read on from where the
// last reading stopped, never again from its start.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.hpp"
#include "core/gaussian/normalmodes.hpp"
#include "core/gaussian/orientation.hpp"
#include "core/optimisation/steps.hpp"

namespace zerlant::molecule {

// What the structure view shows of a file's text, fed in order: the steps
// of the step reader that have a convergence table
//   "         Item               Value     Threshold  Converged?"
// and, from the same lines, the last geometry, broken coordinate tables,
// whether the job has ended, and the normal modes.
class GeometryStream : private StepObserver {
  public:
    GeometryStream();
    GeometryStream(const GeometryStream&) = delete;
    GeometryStream& operator=(const GeometryStream&) = delete;

    void feed(std::string_view bytes);

    // The optimisation steps in file order, numbered 1, 2, ... among them;
    // the last one may yet be completed by lines to come.  A step printed
    // without a geometry of its own shows the last one read before it.
    const std::vector<GeometryStep>& steps() const { return steps_; }
    // The last complete geometry of any orientation (a step's standard one
    // follows its input one); empty when none has been read.
    const std::vector<CartesianAtom>& latest() const;
    // A coordinate table was begun but broken off, or holds a row that is no
    // atom; `cutPending` is true while the last one is still unfinished
    // (a running job may yet finish it).
    bool damaged() const { return damaged_; }
    bool cutPending() const { return reader_.inOrientation(); }

    // The job has ended: its last step printed
    //   " Normal termination of Gaussian 16 at Mon Dec  7 10:00:00 2026."
    // (or "Error termination") and no further step began with
    //   " Link1:  Proceeding to internal job step number  2."
    bool ended() const { return ended_; }

    // The last normal-mode printout, as lastNormalModes gives it.
    std::optional<NormalModes> normalModes() const { return modes_.modes(); }

  private:
    bool everyLine() const override { return ended_ || modes_.capturing(); }
    void line(std::string_view text) override;
    void orientation(const OrientationBlock* block) override;
    void step(GeometryStep&& step) override;

    StepReader reader_;
    std::vector<GeometryStep> steps_;
    std::size_t settled_ = 0;  // steps_ past these is the waiting step's copy
    std::vector<CartesianAtom> latest_;
    bool damaged_ = false;
    bool ended_ = false;
    NormalModesCollector modes_;
    std::string modesLine_;  // a line with its line end, for the collector
};

// A file followed as it grows.  poll() reads what was appended since the
// last call; a file that shrank or was replaced by another is no longer
// read, and says so.
class JobFollower {
  public:
    enum class State {
        Reading,    // the job has not printed its termination line yet
        Ended,      // "Normal termination" or "Error termination" was read
        Truncated,  // the file is now shorter than what was read
        Replaced,   // another file now has the name
        Vanished,   // the file cannot be opened any more
    };

    explicit JobFollower(std::string path);

    // Reads up to `limit` bytes more; the error when the file cannot be read
    // at all at the first poll.
    Status poll(std::uint64_t limit = std::uint64_t(-1));

    State state() const { return state_; }
    // Something new was read by the last poll.
    bool changed() const { return changed_; }
    std::uint64_t consumed() const { return consumed_; }
    const std::string& path() const { return path_; }
    const GeometryStream& geometry() const { return geometry_; }

  private:
    std::string path_;
    State state_ = State::Reading;
    bool opened_ = false;
    bool changed_ = false;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    std::uint64_t consumed_ = 0;
    GeometryStream geometry_;
};

}  // namespace zerlant::molecule
