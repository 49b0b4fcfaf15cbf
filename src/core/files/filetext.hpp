#pragma once
// Reading files whole, the normalised form of an output file, and safe
// rewriting.  Files are bytes; nothing here depends on the process locale.

#include <string>
#include <string_view>

#include "core/common/result.hpp"
#include "core/text/searchtext.hpp"

namespace zerlant {

// The whole file as bytes.
Result<std::string> readFileBytes(const std::string& path);

// The file's bytes; with joinWrappedLines every CR LF followed by a blank is
// removed together with the blank.
Result<std::string> leerarchivo(const std::string& path, bool joinWrappedLines);

// Removes every CR LF followed by a blank, with the blank.
std::string joinWrappedLines(std::string_view text);

// The text that normalizararchivo leaves on disk, computed in memory: line
// ends made CR LF (a piece that already holds a CR LF keeps its lone LFs),
// every '\' turned into '|', one CR LF appended.
std::string normalisedText(std::string_view bytes);

// Reads a file and gives its normalised text folded for case-blind search.
// The file itself is never changed.
Result<FoldedText> readNormalised(const std::string& path);

// Rewrites the file in its normalised form, atomically; with keepBackup the
// previous bytes are kept as <folder>/<name without extension>.bak.
Status normalizararchivo(const std::string& path, bool keepBackup);

// Writes `bytes` to a temporary file in the folder of `path` and renames it
// over `path` in one step.  An existing file's permissions are kept.  On any
// failure the old file is untouched and the temporary file removed.
Status writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace zerlant
