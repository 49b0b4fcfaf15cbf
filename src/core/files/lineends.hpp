#pragma once
// The normalised form of an output file's text (every line end CR LF, every
// backslash a '|', one CR LF appended), worked out in memory for the whole
// text or for chosen parts of it.  Nothing here touches a file.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zerlant {

// The size of the pieces in which an output file is normalised.
inline constexpr std::uint64_t kPieceBytes = 65'000'000;

// The text that normalizararchivo leaves on disk, computed in memory.  Every
// line ends in CR LF, and every '\' becomes '|', and one CR LF is appended.
// A file whose line ends are all CR LF, or all lone LF, is taken in pieces of
// kPieceBytes (the count rounded half to even, the last piece holding the
// rest); in a piece without any CR LF every LF becomes CR LF (a CR LF pair
// split by a piece boundary counts for both pieces and is never doubled).  A
// file with any other mix of line ends (lone CRs, LF CR, CR CR LF, or CR LF
// and lone LF in one piece, as in pieces joined from different machines) has
// each line end made CR LF on its own: CR CR LF, CR LF and LF CR are one line
// end each, a lone CR or LF is one.
std::string normalisedText(std::string_view bytes);

// The line ends of a file of mixed line ends one by one, as normalisedText
// makes each of them one CR LF: read from the start of a run of CRs and LFs,
// CR CR LF, CR LF and LF CR are one line end each, the longest first, and any
// other CR or LF one on its own.  Bytes are fed in file order from a place
// where no line end is open (the start of the file, a byte after one that is
// neither CR nor LF, or the end of a line end); each line end is reported by
// the offset just after it, as soon as the bytes after it settle it.
class LineEndTokens {
  public:
    // The byte at `offset`: calls ended(o) for each line end that this byte
    // settles (none, one or two), in file order.
    template <typename F>
    void feed(char c, std::uint64_t offset, F&& ended) {
        switch (open_) {
            case Open::None:
                break;
            case Open::Cr:
                if (c == '\n') {
                    open_ = Open::None;
                    ended(offset + 1);
                    return;
                }
                if (c == '\r') {
                    open_ = Open::CrCr;
                    return;
                }
                open_ = Open::None;
                ended(offset);
                break;
            case Open::CrCr:
                if (c == '\n') {
                    open_ = Open::None;
                    ended(offset + 1);
                    return;
                }
                // The first CR was a line end of its own; the second starts one.
                ended(offset - 1);
                open_ = Open::Cr;
                feed(c, offset, ended);
                return;
            case Open::Lf:
                if (c == '\r') {
                    open_ = Open::None;
                    ended(offset + 1);
                    return;
                }
                open_ = Open::None;
                ended(offset);
                break;
        }
        if (c == '\r')
            open_ = Open::Cr;
        else if (c == '\n')
            open_ = Open::Lf;
    }
    // The end of the bytes at `offset`: the line ends still open end there.
    template <typename F>
    void finish(std::uint64_t offset, F&& ended) {
        if (open_ == Open::CrCr)
            ended(offset - 1);
        if (open_ != Open::None)
            ended(offset);
        open_ = Open::None;
    }

  private:
    enum class Open { None, Cr, CrCr, Lf };
    Open open_ = Open::None;
};

// Normalises chosen parts of a file exactly as normalisedText does inside the
// whole text: first every chunk of the file is shown to scan() in order (it
// learns which pieces hold a CR LF), then the parts are appended in file
// order, each with its offset in the file, and each part closed by endPart().
// In a file of mixed line ends a part must begin and end where a line end
// ends, or at the start or end of the file (see LineEndTokens).
class PartNormaliser {
  public:
    explicit PartNormaliser(std::uint64_t length, std::uint64_t pieceSize = kPieceBytes);
    ~PartNormaliser();
    PartNormaliser(const PartNormaliser&) = delete;
    PartNormaliser& operator=(const PartNormaliser&) = delete;

    void scan(const char* data, std::size_t n, std::uint64_t offset);
    // The normalised form of n bytes found at `offset` in the file, appended
    // to `out`.  Parts must come in increasing offset order, after the scan.
    void append(const char* data, std::size_t n, std::uint64_t offset, std::string& out);
    // Ends the part appended last: a line end its last bytes leave open (a
    // lone CR or LF, which the next byte could have joined) is written.
    void endPart(std::string& out);
    // After the scan: whether the piece holding `offset` turns every LF into
    // CR LF (it holds no CR LF of its own), and whether any piece keeps its
    // line ends.
    bool convertsLineFeeds(std::uint64_t offset);
    bool anyPieceKeepsLineEnds();
    // After the scan: whether the file mixes its line ends (CR LF beside lone
    // LF or CR).  Every line end of such a file becomes one CR LF, counted as
    // LineEndTokens counts them, and the pieces play no part.
    bool mixedLineEnds();

  private:
    void finishScan();
    struct State;
    std::unique_ptr<State> state_;
};

namespace detail {

// The end offsets of the pieces of a file of `length` bytes.
std::vector<std::uint64_t> pieceEnds(std::uint64_t length, std::uint64_t pieceSize);

// normalisedText with another piece size (for tests).
std::string normalisedText(std::string_view bytes, std::uint64_t pieceSize);

// What the first pass over a file learns: the pieces, and which of them turn
// LF into CR LF; or, for mixed line ends, that every line end becomes CR LF.
struct PiecePlan {
    std::vector<std::uint64_t> ends;
    std::vector<bool> convertLf;
    bool mixed = false;
    std::uint64_t outputSize = 0;  // exact, or an upper bound when mixed
};

// The first pass: consecutive chunks of the file, in order and without gaps.
class PieceScan {
  public:
    PieceScan(std::uint64_t length, std::uint64_t pieceSize);
    ~PieceScan();
    PieceScan(const PieceScan&) = delete;
    PieceScan& operator=(const PieceScan&) = delete;
    void feed(const char* data, std::size_t n, std::uint64_t offset);
    PiecePlan finish();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// The second pass: converts consecutive chunks by the plan, appending to
// `out`; finish() appends what the end of the text still owes.
class PieceConversion {
  public:
    explicit PieceConversion(const PiecePlan& plan);
    ~PieceConversion();
    PieceConversion(const PieceConversion&) = delete;
    PieceConversion& operator=(const PieceConversion&) = delete;
    void convert(const char* data, std::size_t n, std::uint64_t offset, std::string& out);
    void finish(std::string& out);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace detail

}  // namespace zerlant
