#include "core/files/lineends.hpp"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

namespace zerlant {

namespace {

constexpr std::string_view kCrLfBytes = "\r\n";

using detail::PiecePlan;

// ---- normalisation --------------------------------------------------------

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// Zero-byte mask: the high bit of each byte of w that equals c.
inline std::uint64_t bytesEqual(std::uint64_t w, char c) {
    std::uint64_t y = w ^ (static_cast<unsigned char>(c) * kOnes);
    return ~(((y & ~kHighBits) + ~kHighBits) | y) & kHighBits;
}

// Turns every '\' of n bytes into '|', eight bytes at a time.
void replaceBackslashes(char* p, std::size_t n) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        std::uint64_t zero = bytesEqual(w, '\\');
        if (zero) {
            w ^= zero >> 2;  // '\' (0x5C) xor 0x20 is '|' (0x7C)
            std::memcpy(p + i, &w, 8);
        }
    }
    for (; i < n; ++i)
        if (p[i] == '\\')
            p[i] = '|';
}

// The number of LFs in n bytes, eight bytes at a time.
std::uint64_t countLineFeeds(const char* p, std::size_t n) {
    std::uint64_t total = 0;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        total += ((bytesEqual(w, '\n') >> 7) * kOnes) >> 56;  // sum of the eight 0/1 bytes
    }
    for (; i < n; ++i) total += p[i] == '\n';
    return total;
}

// Counts CRs, LFs and CR LF pairs of a stream of chunks, eight bytes at a
// time.
class LineEndCounter {
  public:
    void feed(const char* p, std::size_t n) {
        if (n == 0)
            return;
        if (lastWasCr_ && p[0] == '\n')
            ++pairs_;
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) {
            std::uint64_t w;
            std::memcpy(&w, p + i, 8);
            const std::uint64_t cr = bytesEqual(w, '\r');
            const std::uint64_t lf = bytesEqual(w, '\n');
            if ((cr | lf) == 0)
                continue;
            cr_ += static_cast<std::uint64_t>(__builtin_popcountll(cr));
            lf_ += static_cast<std::uint64_t>(__builtin_popcountll(lf));
            if constexpr (std::endian::native == std::endian::little)
                pairs_ += static_cast<std::uint64_t>(__builtin_popcountll(cr & (lf >> 8)));
            else
                pairs_ += static_cast<std::uint64_t>(__builtin_popcountll(cr & (lf << 8)));
            // A pair across two words.
            if (i + 8 < n && p[i + 7] == '\r' && p[i + 8] == '\n')
                ++pairs_;
        }
        for (; i < n; ++i) {
            cr_ += p[i] == '\r';
            lf_ += p[i] == '\n';
            if (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n')
                ++pairs_;
        }
        lastWasCr_ = p[n - 1] == '\r';
    }
    std::uint64_t crs() const { return cr_; }
    std::uint64_t lfs() const { return lf_; }
    // Whether every line end is CR LF already, or every one a lone LF: then
    // the piece rule gives every line a CR LF end; otherwise the ends are
    // mixed and each is converted on its own.
    bool uniform() const { return cr_ == 0 || (cr_ == lf_ && lf_ == pairs_); }
    // Whether a lone LF or CR has been met already (a CR that ends the bytes
    // fed so far may still find its LF): the ends are then mixed whatever
    // follows.
    bool loneLineEndSeen() const { return lf_ > pairs_ || cr_ > pairs_ + (lastWasCr_ ? 1u : 0u); }

  private:
    std::uint64_t cr_ = 0, lf_ = 0, pairs_ = 0;
    bool lastWasCr_ = false;
};

// Turns every line end of a stream into CR LF: CR LF, CR CR LF, LF CR, a lone
// LF and a lone CR each count as one line end.
class LineEndConverter {
  public:
    void convert(const char* p, std::size_t n, std::string& out) {
        for (std::size_t i = 0; i < n; ++i) {
            const char c = p[i];
            if (pending_.empty()) {
                // Copy the run up to the next CR or LF at once.
                std::size_t j = i;
                while (j < n && p[j] != '\r' && p[j] != '\n') ++j;
                out.append(p + i, j - i);
                if (j == n)
                    return;
                i = j;
                pending_ = p[i];
                continue;
            }
            if (pending_ == "\r") {
                if (c == '\n') {
                    end(out);
                } else if (c == '\r') {
                    pending_ = "\r\r";
                } else {
                    end(out);
                    --i;  // look at c again
                }
            } else if (pending_ == "\r\r") {
                if (c == '\n') {
                    end(out);
                } else {
                    out.append(kCrLfBytes);  // the first CR was a line end of its own
                    pending_ = "\r";
                    --i;
                }
            } else {  // "\n"
                if (c == '\r') {
                    end(out);
                } else {
                    end(out);
                    --i;
                }
            }
        }
    }
    // The line ends still pending at the end of the text.
    void finish(std::string& out) {
        for (std::size_t k = 0; k < (pending_ == "\r\r" ? 2u : pending_.empty() ? 0u : 1u); ++k)
            out.append(kCrLfBytes);
        pending_.clear();
    }

  private:
    void end(std::string& out) {
        out.append(kCrLfBytes);
        pending_.clear();
    }
    std::string pending_;
};

// First pass: finds, piece by piece, whether a CR LF pair touches the piece
// (a pair split by a boundary touches both) and how many LFs it holds.
class PlanScanner {
  public:
    PlanScanner(std::uint64_t length, std::uint64_t pieceSize)
        : ends_(detail::pieceEnds(length, pieceSize)),
          crLf_(ends_.size(), false),
          lfs_(ends_.size(), 0),
          length_(length) {}

    // Chunks must come in order, without gaps.
    void feed(const char* data, std::size_t n, std::uint64_t offset) {
        counter_.feed(data, n);
        for (std::size_t i = 0; i < n;) {
            const std::uint64_t pos = offset + i;
            while (pos >= ends_[piece_]) ++piece_;
            const auto span =
                static_cast<std::size_t>(std::min<std::uint64_t>(n - i, ends_[piece_] - pos));
            const char* s = data + i;
            // A pair whose CR is the byte before this span (in the previous
            // chunk or the previous piece) touches both pieces.
            const bool crBefore = i > 0 ? data[i - 1] == '\r' : lastWasCr_;
            if (crBefore && s[0] == '\n') {
                crLf_[piece_] = true;
                if (piece_ > 0 && pos == ends_[piece_ - 1])
                    crLf_[piece_ - 1] = true;
            }
            if (!crLf_[piece_]) {
                if (::memmem(s, span, "\r\n", 2))
                    crLf_[piece_] = true;
                else
                    lfs_[piece_] += countLineFeeds(s, span);
            }
            i += span;
        }
        if (n > 0)
            lastWasCr_ = data[n - 1] == '\r';
    }

    PiecePlan finish() {
        PiecePlan plan;
        plan.outputSize = length_ + kCrLfBytes.size();
        plan.convertLf.resize(ends_.size());
        for (std::size_t k = 0; k < ends_.size(); ++k) {
            plan.convertLf[k] = !crLf_[k];
            if (plan.convertLf[k])
                plan.outputSize += lfs_[k];
        }
        plan.ends = std::move(ends_);
        if (!counter_.uniform()) {
            plan.mixed = true;
            plan.outputSize = length_ + counter_.crs() + counter_.lfs() + kCrLfBytes.size();
        }
        return plan;
    }

  private:
    std::vector<std::uint64_t> ends_;
    std::vector<bool> crLf_;
    std::vector<std::uint64_t> lfs_;
    std::uint64_t length_;
    std::size_t piece_ = 0;
    bool lastWasCr_ = false;
    LineEndCounter counter_;
};

// Second pass: converts consecutive chunks by the plan, appending to `out`.
class PieceConverter {
  public:
    explicit PieceConverter(const PiecePlan& plan) : plan_(plan) {}

    void convert(const char* data, std::size_t n, std::uint64_t offset, std::string& out) {
        if (plan_.mixed) {
            const std::size_t start = out.size();
            lineEnds_.convert(data, n, out);
            replaceBackslashes(out.data() + start, out.size() - start);
            return;
        }
        while (n > 0) {
            while (offset >= plan_.ends[piece_]) ++piece_;
            std::size_t span =
                static_cast<std::size_t>(std::min<std::uint64_t>(n, plan_.ends[piece_] - offset));
            std::size_t start = out.size();
            if (plan_.convertLf[piece_]) {
                const char* p = data;
                const char* end = data + span;
                while (const char* lf = static_cast<const char*>(
                           std::memchr(p, '\n', static_cast<std::size_t>(end - p)))) {
                    out.append(p, static_cast<std::size_t>(lf - p));
                    out.append(kCrLfBytes);
                    p = lf + 1;
                }
                out.append(p, static_cast<std::size_t>(end - p));
            } else {
                out.append(data, span);
            }
            replaceBackslashes(out.data() + start, out.size() - start);
            data += span;
            n -= span;
            offset += span;
        }
    }

    // Appends what the end of the text still owes (a pending line end).
    void finish(std::string& out) {
        if (plan_.mixed)
            lineEnds_.finish(out);
    }

  private:
    const PiecePlan& plan_;
    std::size_t piece_ = 0;
    LineEndConverter lineEnds_;
};

// True when n bytes hold a CR LF pair (memchr for the CR: output files with
// LF line ends hold none, and then the bytes are passed over at memchr speed).
bool containsCrLf(const char* p, std::size_t n) {
    const char* end = p + n;
    while (p < end) {
        const char* cr =
            static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(end - p)));
        if (!cr || cr + 1 >= end)
            return false;
        if (cr[1] == '\n')
            return true;
        p = cr + 1;
    }
    return false;
}

}  // namespace

namespace detail {

struct PieceScan::State {
    State(std::uint64_t length, std::uint64_t pieceSize) : scanner(length, pieceSize) {}
    PlanScanner scanner;
};

PieceScan::PieceScan(std::uint64_t length, std::uint64_t pieceSize)
    : state_(std::make_unique<State>(length, pieceSize)) {}
PieceScan::~PieceScan() = default;
void PieceScan::feed(const char* data, std::size_t n, std::uint64_t offset) {
    state_->scanner.feed(data, n, offset);
}
PiecePlan PieceScan::finish() {
    return state_->scanner.finish();
}

struct PieceConversion::State {
    explicit State(const PiecePlan& plan) : converter(plan) {}
    PieceConverter converter;
};

PieceConversion::PieceConversion(const PiecePlan& plan) : state_(std::make_unique<State>(plan)) {}
PieceConversion::~PieceConversion() = default;
void PieceConversion::convert(const char* data, std::size_t n, std::uint64_t offset,
                              std::string& out) {
    state_->converter.convert(data, n, offset, out);
}
void PieceConversion::finish(std::string& out) {
    state_->converter.finish(out);
}

}  // namespace detail

// The plan of the pieces learnt chunk by chunk as PlanScanner learns it, at
// memchr speed while the file holds no CR.  Whether the line ends are mixed
// is all that is learnt of the counts: a file without CR is not; once a CR is
// met, the chunks from there on are counted, and any LF before it was a lone
// one.  Once the ends are known to be mixed the pieces play no part and the
// rest of the file is passed over.
struct PartNormaliser::State {
    State(std::uint64_t length, std::uint64_t pieceSize)
        : ends(detail::pieceEnds(length, pieceSize)), crLf(ends.size(), false) {}

    void feed(const char* data, std::size_t n, std::uint64_t offset) {
        if (n == 0 || mixed)
            return;
        const bool hasCr = sawCr || std::memchr(data, '\r', n) != nullptr;
        if (!hasCr) {
            loneLfBeforeCr = loneLfBeforeCr || std::memchr(data, '\n', n) != nullptr;
        } else {
            sawCr = true;
            counter.feed(data, n);
            if (loneLfBeforeCr || counter.loneLineEndSeen()) {
                mixed = true;
                return;
            }
        }
        for (std::size_t i = 0; i < n;) {
            const std::uint64_t pos = offset + i;
            while (pos >= ends[piece]) ++piece;
            const auto span =
                static_cast<std::size_t>(std::min<std::uint64_t>(n - i, ends[piece] - pos));
            const char* s = data + i;
            const bool crBefore = i > 0 ? data[i - 1] == '\r' : lastWasCr;
            if (crBefore && s[0] == '\n') {
                crLf[piece] = true;
                if (piece > 0 && pos == ends[piece - 1])
                    crLf[piece - 1] = true;
            }
            if (hasCr && !crLf[piece] && containsCrLf(s, span))
                crLf[piece] = true;
            i += span;
        }
        lastWasCr = data[n - 1] == '\r';
    }

    std::vector<std::uint64_t> ends;
    std::vector<bool> crLf;
    std::size_t piece = 0;
    bool lastWasCr = false;
    bool sawCr = false;
    bool loneLfBeforeCr = false;
    bool mixed = false;
    LineEndCounter counter;
    PiecePlan plan;
    std::unique_ptr<PieceConverter> converter;
};

PartNormaliser::PartNormaliser(std::uint64_t length, std::uint64_t pieceSize)
    : state_(std::make_unique<State>(length, pieceSize)) {}

PartNormaliser::~PartNormaliser() = default;

void PartNormaliser::scan(const char* data, std::size_t n, std::uint64_t offset) {
    state_->feed(data, n, offset);
}

void PartNormaliser::finishScan() {
    if (state_->converter)
        return;
    PiecePlan& plan = state_->plan;
    plan.ends = state_->ends;
    plan.convertLf.resize(plan.ends.size());
    for (std::size_t k = 0; k < plan.ends.size(); ++k) plan.convertLf[k] = !state_->crLf[k];
    plan.mixed =
        state_->mixed || (state_->sawCr && (state_->loneLfBeforeCr || !state_->counter.uniform()));
    state_->converter = std::make_unique<PieceConverter>(plan);
}

bool PartNormaliser::mixedLineEnds() {
    finishScan();
    return state_->plan.mixed;
}

void PartNormaliser::append(const char* data, std::size_t n, std::uint64_t offset,
                            std::string& out) {
    finishScan();
    state_->converter->convert(data, n, offset, out);
}

void PartNormaliser::endPart(std::string& out) {
    finishScan();
    state_->converter->finish(out);
}

bool PartNormaliser::convertsLineFeeds(std::uint64_t offset) {
    finishScan();
    const auto& ends = state_->plan.ends;
    const auto at = std::upper_bound(ends.begin(), ends.end(), offset);
    if (at == ends.end())
        return state_->plan.convertLf.back();
    return state_->plan.convertLf[static_cast<std::size_t>(at - ends.begin())];
}

bool PartNormaliser::anyPieceKeepsLineEnds() {
    finishScan();
    const auto& c = state_->plan.convertLf;
    return std::find(c.begin(), c.end(), false) != c.end();
}
namespace detail {

std::vector<std::uint64_t> pieceEnds(std::uint64_t length, std::uint64_t pieceSize) {
    std::uint64_t count = 1;
    if (pieceSize > 0 && length > pieceSize) {
        // length / pieceSize rounded to the nearest whole number, halves to even.
        count = length / pieceSize;
        std::uint64_t rest = length % pieceSize;
        if (rest > pieceSize - rest || (rest == pieceSize - rest && count % 2 == 1))
            ++count;
    }
    std::vector<std::uint64_t> ends;
    if (count < 2) {
        ends.push_back(length);
        return ends;
    }
    for (std::uint64_t k = 1; k < count; ++k) ends.push_back(k * pieceSize);
    ends.push_back(length);
    return ends;
}

std::string normalisedText(std::string_view bytes, std::uint64_t pieceSize) {
    PlanScanner scanner(bytes.size(), pieceSize);
    scanner.feed(bytes.data(), bytes.size(), 0);
    PiecePlan plan = scanner.finish();
    std::string out;
    out.reserve(static_cast<std::size_t>(plan.outputSize));
    PieceConverter converter(plan);
    converter.convert(bytes.data(), bytes.size(), 0, out);
    converter.finish(out);
    out.append(kCrLfBytes);
    return out;
}
}  // namespace detail

std::string normalisedText(std::string_view bytes) {
    return detail::normalisedText(bytes, kPieceBytes);
}

}  // namespace zerlant
