#pragma once
// Replacing one block of text by another in many files (job files, mostly).
//
// The search is exact (letter case counts), left to right, without overlap;
// a replacement is never searched again.  Blocks typed in a window have LF
// line breaks and job files come with LF or CR LF line ends, so the blocks'
// line breaks are matched in each file's own convention.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/types.hpp"

namespace zerlant {

struct SubstituteOptions {
    std::string from;        // the block to look for; empty changes nothing
    std::string to;          // the block to put in its place; may be empty
    bool firstOnly = false;  // only the first occurrence in each file
};

// `text` with the occurrences of `from` replaced by `to`.  `count`, when
// given, receives the number of replacements.
std::string replaceBlock(std::string_view text, std::string_view from, std::string_view to,
                         bool firstOnly, std::size_t* count = nullptr);

// A block's line breaks (CR LF or LF) made those of a file: CR LF when
// `crlf`, LF otherwise.  A lone CR is kept.
std::string withLineBreaks(std::string_view block, bool crlf);

// The substitution over one file's text, in that file's line-end convention
// (CR LF when the text holds a CR LF anywhere).
std::string substituteInText(std::string_view text, const SubstituteOptions& options,
                             std::size_t* count = nullptr);

struct SubstituteFailure {
    std::size_t row = 0;
    std::string path;
    std::string reason;  // the system's description
};

struct SubstituteOutcome {
    int changed = 0;    // files rewritten
    int unchanged = 0;  // files without the block, left as they were
    std::vector<SubstituteFailure> failures;
};

// One file the substitution would change: its bytes now and afterwards.
struct PlannedFile {
    std::size_t row = 0;
    std::string path;
    std::string before;
    std::string after;
};

// What a run would do, worked out before anything is written.
struct SubstitutePlan {
    std::size_t ticked = 0;                   // checked entry rows
    std::vector<PlannedFile> changes;         // the ticked files that hold the block
    std::vector<SubstituteFailure> failures;  // files that could not be read
};

// Reads every checked entry row (never the heading row 0) and works out the
// new text; nothing is written.
SubstitutePlan planSubstitution(const FileRows& rows, const SubstituteOptions& options);

// Called with the index in plan.changes of each file as its rewrite lands.
using SubstituteLanded = std::function<void(std::size_t change)>;

// Writes the planned files (atomically, keeping their permissions).  A file
// that is not writable, or whose bytes are no longer those planned from, is
// reported and left alone; the others are still done.  Each file is locked
// from the comparison to the rewrite, so another run rewriting it at the
// same time waits and then finds it changed.  `unchanged` is the number of
// ticked files without the block.
SubstituteOutcome applySubstitution(const SubstitutePlan& plan,
                                    const SubstituteLanded& landed = {});

// Every checked entry row (never the heading row 0), in order.  A file whose
// text changes is replaced atomically, keeping its permissions; a file that
// cannot be read, or that is not writable, is reported and the others are
// still done.  A file without the block is not touched.
SubstituteOutcome substituteFiles(const FileRows& rows, const SubstituteOptions& options);

}  // namespace zerlant
