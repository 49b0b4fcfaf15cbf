#pragma once
// The record of the last Rename or Substitute run, kept in a folder of the
// user's cache (never beside the files) until the next run, so that the run
// can be undone.  Undo restores names and contents byte for byte, and does
// nothing at all when any file concerned has changed since the run.
//
// The record is written before the run and each file's entry is marked done
// as its change lands, so a run cut short undoes what it did and no more.
// The record and every mark carry checksums: a damaged record is refused as
// a whole and never written back into anybody's files.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/common/result.hpp"

namespace zerlant {

// What a file looked like right after the run: enough to tell that it has
// been changed, moved or replaced since.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t digest = 0;  // of the bytes (Substitute), 0 when not taken
    std::uint64_t device = 0;  // the file's identity and time (Rename)
    std::uint64_t inode = 0;
    std::int64_t modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

struct JournalEntry {
    std::string path;     // Rename: the former full path; Substitute: the file
    std::string newPath;  // Rename: the full path after the run
    std::string before;   // Substitute: the file's bytes before the run
    FileStamp after;      // the file right after the run
    // The change landed (marked as each file was done; a run that ended
    // normally records only such entries).
    bool done = false;
};

enum class JournalKind { Rename, Substitute };

struct Journal {
    JournalKind kind = JournalKind::Rename;
    std::vector<JournalEntry> entries;
};

// A 64-bit digest of bytes (FNV-1a): tells an edited file from the one
// written, not meant against deliberate forgery.
std::uint64_t digestOf(std::string_view bytes);

// The stamp of a file as it is now: identity, size and time; with
// `withDigest` also the digest of its bytes.
Result<FileStamp> stampOf(const std::string& path, bool withDigest);

// The file that holds the journal inside `folder`.
std::string journalPath(const std::string& folder);

// Writes the journal into `folder` (created when missing), replacing the
// previous one in one step.  Entries marked done are written as done.
Status saveJournal(const std::string& folder, const Journal& journal);
// Marks entry `index` of the journal in `folder` as done: one appended
// line, bound by its checksum to that journal.
Status markJournalEntryDone(const std::string& folder, std::size_t index);
// The journal in `folder`; an error when there is none, it cannot be read,
// or any part of it fails its checksum.
Result<Journal> loadJournal(const std::string& folder);
// Forgets the journal (after an Undo).  No journal is not an error.
Status clearJournal(const std::string& folder);

struct UndoOutcome {
    // Files changed since the run (Undo refused, nothing was touched).
    std::vector<std::string> changedSince;
    // Files that could not be put back although they were unchanged.
    std::vector<Error> failures;
    int restored = 0;
    // Entries of a run cut short whose file the run never reached (it is
    // still as before the run): nothing to put back.
    int notReached = 0;
    bool refused() const { return !changedSince.empty(); }
};

// Undoes the run: first checks every file (a renamed file must still be at
// its new path, unchanged, and its former name free; a rewritten file must
// still hold what the run wrote); if any fails, nothing is changed.  An entry
// not marked done whose file is still as before the run is passed over; one
// whose change landed although the mark did not is undone like the others.
// Then renames back (last first, never replacing a file) or writes the
// former bytes back (atomically, keeping permissions).
UndoOutcome undoJournal(const Journal& journal);

}  // namespace zerlant
