#pragma once
// Reading files whole or in their normalised form, and rewriting an output
// file in that form.  Files are bytes; nothing here depends on the process locale.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.hpp"
#include "core/files/atomicwrite.hpp"
#include "core/files/lineends.hpp"
#include "core/text/searchtext.hpp"
#include "core/text/textutils.hpp"

namespace zerlant {

// The whole file as bytes.
Result<std::string> readFileBytes(const std::string& path);

// The file's bytes; with joinWrappedLines every CR LF followed by a blank is
// removed together with the blank.
Result<std::string> leerarchivo(const std::string& path, bool joinWrappedLines);

// The last kTailBytes bytes of the file (all of a smaller file), raw: the part
// in which the archive entry is searched.
Result<std::string> leercola(const std::string& path);

// The normalised text of a file, read in two passes so that at no time more
// than the result and a small buffer are held.  The file is never changed.
Result<std::string> readNormalisedText(const std::string& path);

// Reads a file and gives its normalised text folded for case-blind search.
// The file itself is never changed.
Result<FoldedText> readNormalised(const std::string& path);

// Rewrites the file in its normalised form.  The new text is written whole to
// a temporary file in the same folder, which then replaces the file in one
// rename; a file with more than one name (hard links), or whose owner and
// group the new file cannot take, is instead overwritten in place once the
// new text is complete on disk.  Mode, owner, group and links stay as they
// were.  A file without write permission is refused.  With keepBackup the
// previous bytes are kept as <folder>/<name without extension>.bak, or, when
// that name is taken, the first free of <name>.1.bak, <name>.2.bak, ...: an
// existing file is never replaced; the name taken goes to *backupPath.  A
// symbolic link is followed and its target rewritten.  The file is streamed,
// never held whole in memory.
Status normalizararchivo(const std::string& path, bool keepBackup,
                         std::string* backupPath = nullptr);

namespace detail {

// The procedures above with another piece size (for tests).
Result<std::string> readNormalisedText(const std::string& path, std::uint64_t pieceSize);
Status normalizararchivo(const std::string& path, bool keepBackup, std::uint64_t pieceSize,
                         std::string* backupPath = nullptr);

}  // namespace detail

}  // namespace zerlant
