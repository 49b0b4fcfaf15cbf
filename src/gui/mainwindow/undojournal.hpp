#pragma once
// Undo of the last Rename or Substitute run from the window: the record of
// the run lives in the user's cache folder (AppContext::journalFolder), one
// per tool, and is replaced by the tool's next run.  Sorting jobs into
// folders is a run of moves recorded as the Rename tool's.

#include <cstddef>
#include <string>
#include <vector>

#include "core/inputtools/journal.hpp"

namespace zerlant::gui {

struct PanelContext;

// The folder of the tool's record; empty when there is no cache folder.
std::string journalFolderOf(const PanelContext& ctx, JournalKind kind);

// True when a record of the tool's last run is there to undo.
bool canUndo(const PanelContext& ctx, JournalKind kind);

// Records a run.  False when the record could not be written (also when no
// cache folder was given: then nothing can be undone).
bool recordRun(const PanelContext& ctx, const Journal& journal);

// Marks entry `index` of the tool's recorded run as done (its change landed).
void markRunEntryDone(const PanelContext& ctx, JournalKind kind, std::size_t index);

// Undoes the tool's last run and tells the user how it went: NothingToUndo
// when there is nothing to undo, 235 with the files that changed since (and
// nothing done), otherwise 234 in the status bar.  The record is forgotten
// once the run is undone.  Returns the entries put back (for Rename: path is
// the name the file has again, newPath the name it had), so that the caller
// can bring its list in step with the disk.
std::vector<JournalEntry> undoLastRun(PanelContext& ctx, JournalKind kind);

}  // namespace zerlant::gui
