#pragma once
// What the structure view shows of one output file, read piece by piece so
// that a job still running can be followed: the last geometry, the geometry
// of every optimisation step, the energy and convergence criteria of each
// step, and the normal modes.  A file that grows is read on from where the
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
#include "core/optimisation/convergence.hpp"

namespace zerlant::molecule {

// The geometries of a file's text, fed in order:
//   "                         Standard orientation:"
//   " ---------------------------------------------------------------------"
//   " Center     Atomic      Atomic             Coordinates (Angstroms)"
//   " Number     Number       Type             X           Y           Z"
//   " ---------------------------------------------------------------------"
//   "      1          8           0        0.000000    0.000000    0.119262"
//   " ---------------------------------------------------------------------"
// and the optimisation steps they belong to: the geometry of a step is the
// last one printed before its table
//   "         Item               Value     Threshold  Converged?"
// A job run with symmetry prints each geometry twice, in the input and in the
// standard orientation: the standard one is taken, as the normal modes are
// printed in it.
class GeometryStream {
  public:
    void feed(std::string_view bytes);

    // The geometry of each optimisation step, in step order.
    const std::vector<std::vector<CartesianAtom>>& steps() const { return steps_; }
    // The last complete geometry (standard orientation when the file prints
    // one); empty when none has been read.
    const std::vector<CartesianAtom>& latest() const;
    std::size_t geometries() const { return geometries_; }
    // A coordinate table was begun but broken off, or holds a row that is no
    // atom; `cutPending` is true while the last one is still unfinished
    // (a running job may yet finish it).
    bool damaged() const { return damaged_; }
    bool cutPending() const { return inBlock_; }

    // The job has ended: its last step printed
    //   " Normal termination of Gaussian 16 at Mon Dec  7 10:00:00 2026."
    // (or "Error termination") and no further step began with
    //   " Link1:  Proceeding to internal job step number  2."
    bool ended() const { return ended_; }

    // The text of the last normal-mode printout and of the one before it
    // (the high-precision form comes first), for readNormalModes.
    std::optional<NormalModes> normalModes() const;

  private:
    void line(std::string_view text);
    void endBlock();
    void stepBoundary();

    std::vector<std::vector<CartesianAtom>> steps_;
    std::vector<CartesianAtom> lastStandard_, lastInput_;
    bool standardSinceStep_ = false, inputSinceStep_ = false;
    bool anyStandard_ = false;
    std::size_t geometries_ = 0;
    bool damaged_ = false;
    bool ended_ = false;
    // The coordinate table being read.
    bool inBlock_ = false;
    Orientation blockKind_ = Orientation::Standard;
    std::string block_;
    int rulers_ = 0;
    int rows_ = 0;
    int blockLines_ = 0;
    // The normal-mode printouts.
    bool inModes_ = false;
    std::string modes_, previousModes_;
    std::string partial_;
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
    const ConvergenceTrack& convergence() const { return convergence_.track(); }

  private:
    std::string path_;
    State state_ = State::Reading;
    bool opened_ = false;
    bool changed_ = false;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    std::uint64_t consumed_ = 0;
    GeometryStream geometry_;
    ConvergenceReader convergence_;
};

}  // namespace zerlant::molecule
