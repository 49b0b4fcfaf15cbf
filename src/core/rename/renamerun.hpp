#pragma once
// Carrying out a rename run over the working file list: the checks that
// leave rows out, then the renames in list order.  No file is ever replaced:
// a target that exists, or appears while the run goes on, stops that one
// rename and the run goes on with the next row.

#include <cstddef>
#include <string>
#include <vector>

#include "core/common/result.hpp"
#include "core/common/types.hpp"
#include "core/files/atomicwrite.hpp"
#include "core/rename/renamerules.hpp"

namespace zerlant {

// A warning of the checks: rows were left out (unchecked).
struct RenameWarning {
    MessageId message{};  // SameNewName, NewNameEmptyOrUnchanged or NewNameExists
    std::string text;     // that message, a line break, and RowsUnticked
};

// A rename the system refused; the row keeps its name and its check mark.
struct RenameFailure {
    std::size_t row = 0;
    std::string from;    // full path
    std::string to;      // full path asked for
    std::string reason;  // the system's description
};

struct RenameOutcome {
    std::vector<RenameWarning> warnings;
    std::vector<RenameFailure> failures;
    int renamed = 0;
};

// The checks, in order, over the entry rows (row 0 is the heading), against
// the disk as it is now:
//  1. checked rows whose new name equals another row's (exact) -> SameNewName;
//  2. checked rows with an empty name, an empty or unchanged new name, or a
//     new name that cannot name a file in the row's folder ("/", ".", "..")
//     -> NewNameEmptyOrUnchanged;
//  3. checked rows whose new full path names an existing file -> NewNameExists; with
//     the case rule a target that is the very same file as the source (a
//     case-blind file system) is allowed.
// Rows left out are unchecked.  One warning per step that left a row out.
std::vector<RenameWarning> checkRenames(FileRows& rows, RenameRule rule,
                                        const MessageLookup& message);

// Renames every checked entry row to its new name in its own folder, in row
// order.  After each rename the row shows the new name, an empty new-name
// cell and the new path.
std::vector<RenameFailure> applyRenames(FileRows& rows, int* renamed = nullptr);

// The whole run: preview, checks, renames.
RenameOutcome executeRename(const RenameOptions& options, FileRows& rows,
                            const MessageLookup& message);

}  // namespace zerlant
