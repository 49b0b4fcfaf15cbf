#pragma once
// The parts of an output file that the extraction reads, cut out in one pass.
//
// The parsers look for the last (for a few, the first) occurrence of their
// anchors (core/gaussian/anchors.hpp, whence the digest takes them too) in
// the whole normalised text and read on from there to an end marker.  The
// digest holds, in file order, every line and block that such a
// search can reach: every archive entry, the first and last line of each line
// anchor (and the first after each archive entry), and the last block of each
// kind (the last geometry before every archive entry).  Its normalised text
// gives every parser the same result as the whole file, while only the kept
// parts are ever held in memory: the file is read once, in chunks, and the
// anchors are found by one multi-pattern scan, letter case ignored.  Lines
// are those of the normalised text: in a file whose line ends are mixed (CR LF
// beside lone LF or CR, as in logs joined from different machines) a lone CR
// ends a line too, and CR CR LF or LF CR ends one line.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/result.hpp"
#include "core/text/searchtext.hpp"

namespace zerlant {

// The file is read in pieces of this size: small enough that each piece is
// still in the core's cache for the line-end scan and the anchor scan after the
// copy from the page cache.
inline constexpr std::size_t kDigestChunkBytes = std::size_t(1) << 16;

// The digest of the file at `path`, normalised and folded; std::nullopt when
// the file cannot be opened as a regular file or holds something the digest
// cannot stand in for (an archive entry without its end), so
// that the caller reads it whole (and reports why it cannot).
// Nothing beyond the size measured at the open is ever read.  `onPiece`, when
// given, sees the file's bytes as they are on disk, piece by piece in order,
// as the one pass reads them: a reader that looks at every line (the job
// health) rides along instead of reading the file again.  It has seen the
// whole file only when a digest is returned.
using PieceObserver = std::function<void(std::string_view)>;
Result<std::optional<FoldedText>> readDigest(const std::string& path,
                                             const PieceObserver& onPiece = {});

// The text every parser of an output reads: its digest, or the whole file
// normalised where the digest cannot stand in for it.
Result<FoldedText> readParsedText(const std::string& path);

}  // namespace zerlant
