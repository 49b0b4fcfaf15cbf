#pragma once
// Sorting finished Gaussian jobs into folders by their health: each output
// goes, with the job file and checkpoint of the same stem beside it, into a
// folder of its own folder named after what became of the job.  The moves
// are worked out first (a preview), never replace a file, and are recorded
// for Undo as they land.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/common/result.hpp"
#include "core/inputtools/journal.hpp"

namespace zerlant {

enum class JobOutcome { Done = 0, Failed, Imaginary, Running };
inline constexpr std::size_t kJobOutcomes = 4;

struct SortOptions {
    // The folder names, by JobOutcome.
    std::array<std::string, kJobOutcomes> folders = {"done", "failed", "imaginary", "running"};
};

struct SortMove {
    std::string from;
    std::string to;
};

struct SortedJob {
    std::string output;
    JobOutcome outcome = JobOutcome::Done;
    std::string why;              // the reason of a failed job, the imaginary modes
    std::vector<SortMove> moves;  // the output first, then its companions
};

struct SortPlan {
    std::vector<SortedJob> jobs;
    std::vector<Error> problems;  // outputs that cannot be read or moved (a clash)
};

// What becomes of one job, from its output's bytes: a normal termination
// without imaginary modes (a transition-state search: with exactly one) is
// done; with more it is imaginary; without any termination line it is still
// running (or was killed); any other end failed.
JobOutcome outcomeOf(std::string_view outputBytes, std::string* why = nullptr);

// The moves for `outputs`; nothing is moved.  A move whose target exists, or
// that another move of the plan also targets, is refused with its job.
SortPlan planSort(const std::vector<std::string>& outputs, const SortOptions& options);

struct SortOutcome {
    int moved = 0;
    std::vector<Error> failures;
};

// Makes the folders and moves the files, never replacing one.  With a
// journal folder, the record of the run goes there first and each move is
// marked as it lands (undoJournal puts the files back).
SortOutcome applySort(const SortPlan& plan, const std::string& journalFolder);

// Undoes a recorded sort (see undoJournal), then removes the folders it
// moved files into when they are left empty.
UndoOutcome undoSort(const Journal& journal);

}  // namespace zerlant
