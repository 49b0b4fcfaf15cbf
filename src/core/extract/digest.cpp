#include "core/extract/digest.hpp"

#include <hs.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "core/files/filetext.hpp"
#include "core/files/openfile.hpp"
#include "core/gaussian/anchors.hpp"

namespace zerlant {

namespace {

constexpr std::uint64_t kNone = ~std::uint64_t(0);
constexpr std::size_t kChunk = kDigestChunkBytes;
// More archive starts or "@" than this: no output file; read it whole.
constexpr std::size_t kMaxMarks = std::size_t(1) << 16;

using gaussian::BlockEnd;
using gaussian::kBlockAnchors;
using gaussian::kLineAnchors;

// The patterns, one per distinct anchor text of core/gaussian/anchors.hpp:
// the line anchors first (a pattern's number is its line's), then the archive
// entry's start and "@", then the texts of the blocks.
constexpr std::size_t kLineCount = std::size(kLineAnchors);
constexpr std::size_t kBlockCount = std::size(kBlockAnchors);
constexpr unsigned kArchiveStart = kLineCount;
constexpr unsigned kAt = kLineCount + 1;

struct Patterns {
    std::string_view text[kLineCount + 2 + 3 * kBlockCount];
    unsigned count = 0;

    // The number of `t`, added when it is new.
    constexpr unsigned add(std::string_view t) {
        for (unsigned p = 0; p < count; ++p)
            if (text[p] == t)
                return p;
        text[count] = t;
        return count++;
    }
};

// How the scan knows a block: its patterns (kNoPattern: none).
constexpr unsigned kNoPattern = ~0u;
struct BlockKind {
    unsigned start = kNoPattern;
    unsigned end = kNoPattern;
    unsigned mark = kNoPattern;
};

struct Tables {
    Patterns patterns;
    BlockKind blocks[kBlockCount];
    bool blockText[kLineCount] = {};  // a line anchor that is a block's text too
};

constexpr Tables makeTables() {
    Tables t;
    for (const gaussian::LineAnchor& l : kLineAnchors)
        if (t.patterns.add(l.text) + 1 != t.patterns.count)
            throw "two line anchors with one text";
    t.patterns.add(gaussian::anchor::kArchiveStart);
    t.patterns.add(gaussian::anchor::kArchiveEnd);
    auto blockPattern = [&](std::string_view text) {
        if (text.empty())
            return kNoPattern;
        const unsigned p = t.patterns.add(text);
        if (p < kLineCount)
            t.blockText[p] = true;
        else if (p < kLineCount + 2)
            throw "an archive anchor cannot be a block's text";
        return p;
    };
    for (std::size_t b = 0; b < kBlockCount; ++b) {
        t.blocks[b].start = blockPattern(kBlockAnchors[b].start);
        t.blocks[b].end = blockPattern(kBlockAnchors[b].end);
        t.blocks[b].mark = blockPattern(kBlockAnchors[b].mark);
    }
    return t;
}

constexpr Tables kTables = makeTables();
constexpr unsigned kPatternCount = kTables.patterns.count;
constexpr const std::string_view* kPatternText = kTables.patterns.text;
constexpr const BlockKind* kBlocks = kTables.blocks;

// The pattern as a regular expression: every byte written as \xHH, "|" as
// the class of "|" and "\".
std::string expression(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '|') {
            out += "[\\x5c\\x7c]";
            continue;
        }
        out += "\\x";
        out += kHex[b >> 4];
        out += kHex[b & 15];
    }
    return out;
}

// The compiled patterns, built once and only read afterwards.
class Database {
  public:
    Database() {
        std::vector<std::string> expressions;
        std::vector<const char*> pointers;
        std::vector<unsigned> flags(kPatternCount, HS_FLAG_CASELESS);
        std::vector<unsigned> ids;
        for (unsigned p = 0; p < kPatternCount; ++p) {
            expressions.push_back(expression(kPatternText[p]));
            ids.push_back(p);
        }
        for (const std::string& e : expressions) pointers.push_back(e.c_str());
        hs_compile_error_t* error = nullptr;
        if (hs_compile_multi(pointers.data(), flags.data(), ids.data(), kPatternCount,
                             HS_MODE_STREAM, nullptr, &db_, &error) != HS_SUCCESS) {
            db_ = nullptr;
            hs_free_compile_error(error);
        }
    }
    ~Database() { hs_free_database(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    const hs_database_t* get() const { return db_; }

  private:
    hs_database_t* db_ = nullptr;
};

const hs_database_t* database() {
    static const Database db;
    return db.get();
}

struct ScratchDeleter {
    void operator()(hs_scratch_t* s) const { hs_free_scratch(s); }
};

// One block occurrence: its heading and the end of its end marker.
struct Block {
    std::uint64_t start = kNone;
    std::uint64_t end = kNone;
    std::size_t keptAt = kNone;  // index in `kept` once kept
    bool marked = false;
};

struct BlockState {
    Block current;
    Block lastMarked;
    std::vector<Block> kept;
    void keep() {
        if (current.start == kNone || current.keptAt != kNone)
            return;
        current.keptAt = kept.size();
        kept.push_back(current);
    }
};

struct LineState {
    std::uint64_t first = kNone;
    std::uint64_t last = kNone;
    bool pendingAfterAt = false;
    std::vector<std::uint64_t> afterAt;
};

// What the scan learns, match by match.
struct ScanState {
    const char* chunk = nullptr;
    std::uint64_t chunkOffset = 0;
    char before[64] = {};  // the last bytes before the chunk
    std::size_t beforeSize = 0;

    LineState lines[kLineCount];
    BlockState blocks[kBlockCount];
    std::vector<std::uint64_t> archiveStarts;
    std::vector<std::uint64_t> ats;
    bool tooMany = false;

    // The byte at `offset`, which lies in the chunk or just before it.
    int byteAt(std::uint64_t offset) const {
        if (offset >= chunkOffset)
            return static_cast<unsigned char>(chunk[offset - chunkOffset]);
        const std::uint64_t back = chunkOffset - offset;
        if (back > beforeSize)
            return -1;
        return static_cast<unsigned char>(before[beforeSize - back]);
    }

    void match(unsigned id, std::uint64_t start) {
        if (id < kLineCount) {
            if (kLineAnchors[id].word && start > 0) {
                const int c = byteAt(start - 1);
                if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
                    return;
            }
            LineState& l = lines[id];
            if (l.first == kNone)
                l.first = start;
            l.last = start;
            if (l.pendingAfterAt) {
                l.afterAt.push_back(start);
                l.pendingAfterAt = false;
            }
            if (!kTables.blockText[id])
                return;
        } else if (id == kAt) {
            ats.push_back(start);
            for (LineState& l : lines) l.pendingAfterAt = true;
            tooMany = tooMany || ats.size() > kMaxMarks;
            return;
        } else if (id == kArchiveStart) {
            archiveStarts.push_back(start);
            for (std::size_t b = 0; b < kBlockCount; ++b)
                if (kBlockAnchors[b].beforeEveryArchive)
                    blocks[b].keep();
            tooMany = tooMany || archiveStarts.size() > kMaxMarks;
            return;
        }
        for (std::size_t b = 0; b < kBlockCount; ++b) {
            BlockState& s = blocks[b];
            if (kBlocks[b].end == id && s.current.start != kNone && s.current.end == kNone &&
                start >= s.current.start + kBlockAnchors[b].start.size() + 1) {
                // The end marker is looked for from one byte after the heading.
                s.current.end = start + kPatternText[id].size();
                if (s.current.keptAt != kNone)
                    s.kept[s.current.keptAt].end = s.current.end;
            }
            if (kBlocks[b].mark == id && s.current.start != kNone && s.current.end == kNone)
                s.current.marked = true;
            if (kBlocks[b].start == id) {
                if (s.current.marked && s.current.end != kNone)
                    s.lastMarked = s.current;
                s.current = Block{start, kNone, kNone};
            }
        }
    }
};

int onMatch(unsigned id, unsigned long long, unsigned long long to, unsigned, void* context) {
    auto* state = static_cast<ScanState*>(context);
    state->match(id, to - kPatternText[id].size());
    return state->tooMany ? 1 : 0;
}

// Reads parts of the file, never beyond the size measured at the open.
class FileReader {
  public:
    explicit FileReader(const OpenedFile& file) : file_(file) {}
    std::uint64_t size() const { return file_.size(); }

    // Up to n bytes at `offset`, fewer only at the measured end.  False when
    // the file ends sooner or cannot be read.
    bool read(std::uint64_t offset, std::size_t n, std::string& out) {
        if (offset >= size()) {
            out.clear();
            return true;
        }
        n = static_cast<std::size_t>(std::min<std::uint64_t>(n, size() - offset));
        out.resize(n);
        return file_.readAt(out.data(), n, offset) == static_cast<long long>(n);
    }

  private:
    const OpenedFile& file_;
};

// Lines are read around an anchor in windows that start small (most lines are
// short and a file of many steps keeps many of them) and double up to 1 MiB.
constexpr std::size_t kFirstWindow = 4 * 1024;
constexpr std::size_t kLastWindow = std::size_t(1) << 20;

// The cut-out parts, as offsets in the file, and how they are found.
class Cutter {
  public:
    Cutter(FileReader& file, PartNormaliser& normaliser)
        : file_(file),
          normaliser_(normaliser),
          mixed_(normaliser.mixedLineEnds()),
          crLfOnly_(!mixed_ && normaliser.anyPieceKeepsLineEnds()) {}

    bool failed() const { return failed_; }

    // The offset where the line holding `pos` starts (`pos` is no CR or LF).
    // With mixed line ends a lone CR ends a line too; the run of CRs and LFs
    // before the line is then whole line ends.
    std::uint64_t lineStart(std::uint64_t pos) {
        std::uint64_t end = pos;
        for (std::size_t window = kFirstWindow; end > 0;
             window = std::min(2 * window, kLastWindow)) {
            const std::uint64_t begin = end > window ? end - window : 0;
            if (!file_.read(begin, static_cast<std::size_t>(end - begin), buffer_))
                return fail();
            const char* b = buffer_.data();
            const char* lf = static_cast<const char*>(::memrchr(b, '\n', buffer_.size()));
            if (mixed_) {
                const std::size_t from = lf ? static_cast<std::size_t>(lf - b) + 1 : 0;
                if (const void* cr = ::memrchr(b + from, '\r', buffer_.size() - from))
                    lf = static_cast<const char*>(cr);
            }
            if (lf)
                return begin + static_cast<std::uint64_t>(lf - b) + 1;
            end = begin;
        }
        return 0;
    }

    // Calls f(offset, byte) for the bytes from `pos` until it returns true;
    // gives the offset after that byte, or the file size.
    template <typename F>
    std::uint64_t forwardUntil(std::uint64_t pos, F&& f) {
        char previous = 0;
        std::size_t window = kFirstWindow;
        for (std::uint64_t at = pos; at < file_.size();
             window = std::min(2 * window, kLastWindow)) {
            if (!file_.read(at, window, buffer_))
                return fail();
            for (std::size_t i = 0; i < buffer_.size(); ++i) {
                const char c = buffer_[i];
                if (f(c, previous))
                    return at + i + 1;
                previous = c;
            }
            at += buffer_.size();
        }
        return file_.size();
    }

    // Calls f(byte, offset) for the bytes from `pos` until it returns true.
    template <typename F>
    void forEachByte(std::uint64_t pos, F&& f) {
        std::size_t window = kFirstWindow;
        for (std::uint64_t at = pos; at < file_.size();
             window = std::min(2 * window, kLastWindow)) {
            if (!file_.read(at, window, buffer_)) {
                fail();
                return;
            }
            for (std::size_t i = 0; i < buffer_.size(); ++i)
                if (f(buffer_[i], at + i))
                    return;
            at += buffer_.size();
        }
    }

    // The offset after the `lines`-th line end at or after `pos`.  Where a
    // piece of the file keeps its line ends, only CR LF counts as one (a
    // search for CR LF passes over a lone LF).  With mixed line ends `pos`
    // must be where no line end is open (see LineEndTokens).
    std::uint64_t lineEnd(std::uint64_t pos, int lines) {
        if (mixed_)
            return mixedLineEnd(pos, lines);
        int seen = 0;
        return forwardUntil(pos, [&](char c, char previous) {
            if (c == '\n' && (!crLfOnly_ || previous == '\r'))
                ++seen;
            return seen >= lines;
        });
    }

    // The offset after the first blank line (only blanks, tabs and CR; with
    // emptyOnly nothing but a CR) that starts after the line holding `pos`.
    std::uint64_t blankLineEnd(std::uint64_t pos, bool emptyOnly) {
        const std::uint64_t next = lineEnd(pos, 1);
        if (mixed_)
            return mixedBlankLineEnd(next, emptyOnly);
        bool blank = true;
        std::size_t length = 0;
        return forwardUntil(next, [&](char c, char) {
            if (c == '\n') {
                if (blank)
                    return true;
                blank = true;
                length = 0;
                return false;
            }
            ++length;
            if (emptyOnly ? (c != '\r' || length > 1) : (c != ' ' && c != '\t' && c != '\r'))
                blank = false;
            return false;
        });
    }

    void keep(std::uint64_t begin, std::uint64_t end) {
        if (end > file_.size())
            end = file_.size();
        if (begin < end)
            parts_.push_back({begin, end});
    }

    // The line of an anchor and the line after it (the rest of its line is
    // read up to the CR LF looked for from one byte after the anchor).
    void keepLine(std::uint64_t start, std::size_t length) {
        keep(lineStart(start), lineEnd(start + length, 2));
    }

    // Whether the "@" at `at` ends the archive entry that starts at `from`:
    // the character before it is "|", wrapped line ends (CR LF and a blank)
    // not counting.
    bool endsEntry(std::uint64_t from, std::uint64_t at) {
        if (mixed_)
            return mixedEndsEntry(from, at);
        std::uint64_t k = at;
        for (;;) {
            if (k <= from)
                return false;
            const std::uint64_t begin = k > from + 8 ? k - 8 : from;
            if (!file_.read(begin, static_cast<std::size_t>(k - begin), buffer_))
                return fail() != 0;
            const std::string_view b = buffer_;
            const bool converts = normaliser_.convertsLineFeeds(k - 1);
            std::size_t wrap = 0;
            if (converts && b.ends_with("\n ") && !b.ends_with("\r\n "))
                wrap = 2;
            else if (!converts && b.ends_with("\r\n "))
                wrap = 3;
            // "\n " of a piece that turns LF into CR LF reads "\r\n " too.
            if (wrap != 0 && k - from >= wrap) {
                k -= wrap;
                continue;
            }
            const char c = b.empty() ? 0 : b.back();
            return c == '|' || c == '\\';
        }
    }

    // The kept parts, sorted and joined where they meet or overlap.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> merged() {
        std::sort(parts_.begin(), parts_.end());
        std::vector<std::pair<std::uint64_t, std::uint64_t>> out;
        for (const auto& p : parts_) {
            if (!out.empty() && p.first <= out.back().second)
                out.back().second = std::max(out.back().second, p.second);
            else
                out.push_back(p);
        }
        return out;
    }

  private:
    std::uint64_t fail() {
        failed_ = true;
        return 0;
    }

    // Mixed line ends: each of CR CR LF, CR LF, LF CR, CR and LF (read as
    // LineEndTokens reads them) is one CR LF of the normalised text.

    std::uint64_t mixedLineEnd(std::uint64_t pos, int lines) {
        LineEndTokens tokens;
        int seen = 0;
        std::uint64_t found = kNone;
        auto ended = [&](std::uint64_t after) {
            if (++seen == lines && found == kNone)
                found = after;
        };
        forEachByte(pos, [&](char c, std::uint64_t offset) {
            tokens.feed(c, offset, ended);
            return found != kNone;
        });
        if (found == kNone)
            tokens.finish(file_.size(), ended);
        return found != kNone ? found : file_.size();
    }

    // The offset after the first line from `next` (where a line starts) that
    // is blank: nothing but blanks and tabs, with emptyOnly nothing at all.
    std::uint64_t mixedBlankLineEnd(std::uint64_t next, bool emptyOnly) {
        LineEndTokens tokens;
        bool blank = true;
        std::uint64_t found = kNone;
        auto ended = [&](std::uint64_t after) {
            if (blank && found == kNone)
                found = after;
            blank = true;
        };
        forEachByte(next, [&](char c, std::uint64_t offset) {
            tokens.feed(c, offset, ended);
            if (found != kNone)
                return true;
            if (c != '\r' && c != '\n' && (emptyOnly || (c != ' ' && c != '\t')))
                blank = false;
            return false;
        });
        if (found == kNone)
            tokens.finish(file_.size(), ended);
        return found != kNone ? found : file_.size();
    }

    // endsEntry for mixed line ends: a wrapped line end of the normalised
    // text ("\r\n ") is a blank after a run of CRs and LFs that is one line
    // end, with something other than a CR or LF before it.
    bool mixedEndsEntry(std::uint64_t from, std::uint64_t at) {
        std::uint64_t k = at;
        for (;;) {
            if (k <= from)
                return false;
            const std::uint64_t begin = k > from + 8 ? k - 8 : from;
            if (!file_.read(begin, static_cast<std::size_t>(k - begin), buffer_))
                return fail() != 0;
            const std::string_view b = buffer_;
            if (b.size() >= 3 && b.back() == ' ') {
                std::size_t run = b.size() - 1;
                while (run > 0 && (b[run - 1] == '\r' || b[run - 1] == '\n')) --run;
                const std::size_t length = b.size() - 1 - run;
                if (run > 0 && length > 0) {
                    LineEndTokens tokens;
                    int count = 0;
                    for (std::size_t i = run; i < b.size() - 1; ++i)
                        tokens.feed(b[i], i, [&](std::uint64_t) { ++count; });
                    tokens.finish(b.size() - 1, [&](std::uint64_t) { ++count; });
                    if (count == 1) {
                        k -= length + 1;
                        continue;
                    }
                }
            }
            const char c = b.empty() ? 0 : b.back();
            return c == '|' || c == '\\';
        }
    }

    FileReader& file_;
    PartNormaliser& normaliser_;
    bool mixed_;
    bool crLfOnly_;
    bool failed_ = false;
    std::string buffer_;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> parts_;
};

Error changed(const std::string& path) {
    return Error{"the file changed while it was being read", path};
}

}  // namespace

Result<std::optional<FoldedText>> readDigest(const std::string& path,
                                             const PieceObserver& onPiece) {
    const hs_database_t* db = database();
    if (!db)
        return std::optional<FoldedText>();
    Result<OpenedFile> opened = openRegularFile(path);
    if (!opened)
        return std::optional<FoldedText>();  // the whole reading says why
    FileReader file(*opened);

    hs_scratch_t* rawScratch = nullptr;
    if (hs_alloc_scratch(db, &rawScratch) != HS_SUCCESS)
        return std::optional<FoldedText>();
    const std::unique_ptr<hs_scratch_t, ScratchDeleter> scratch(rawScratch);
    hs_stream_t* stream = nullptr;
    if (hs_open_stream(db, 0, &stream) != HS_SUCCESS)
        return std::optional<FoldedText>();

    // The one pass: anchors and the pieces' line ends.
    auto state = std::make_unique<ScanState>();
    PartNormaliser normaliser(file.size());
    std::string chunk;
    bool stopped = false;
    for (std::uint64_t offset = 0; offset < file.size() && !stopped;) {
        if (!file.read(offset, kChunk, chunk) || chunk.empty()) {
            hs_close_stream(stream, scratch.get(), nullptr, nullptr);
            return changed(path);
        }
        normaliser.scan(chunk.data(), chunk.size(), offset);
        if (onPiece)
            onPiece(chunk);
        state->chunk = chunk.data();
        state->chunkOffset = offset;
        const hs_error_t r =
            hs_scan_stream(stream, chunk.data(), static_cast<unsigned>(chunk.size()), 0,
                           scratch.get(), onMatch, state.get());
        if (r == HS_SCAN_TERMINATED)
            stopped = true;
        else if (r != HS_SUCCESS)
            stopped = true;
        const std::size_t tail = std::min(chunk.size(), sizeof(state->before));
        std::memcpy(state->before, chunk.data() + chunk.size() - tail, tail);
        state->beforeSize = tail;
        offset += chunk.size();
    }
    hs_close_stream(stream, scratch.get(), onMatch, state.get());
    if (stopped || state->tooMany)
        return std::optional<FoldedText>();
    std::string().swap(chunk);

    Cutter cut(file, normaliser);
    // Lines.
    for (unsigned p = 0; p < kLineCount; ++p) {
        const LineState& l = state->lines[p];
        const std::size_t n = kPatternText[p].size();
        if (l.first != kNone)
            cut.keepLine(l.first, n);
        if (l.last != kNone && l.last != l.first)
            cut.keepLine(l.last, n);
        for (std::uint64_t at : l.afterAt) cut.keepLine(at, n);
    }
    // Blocks: the last of each kind, those kept before archive entries and
    // the last marked one.
    for (std::size_t b = 0; b < kBlockCount; ++b) {
        BlockState& s = state->blocks[b];
        s.keep();
        if (s.lastMarked.start != kNone && s.lastMarked.keptAt == kNone)
            s.kept.push_back(s.lastMarked);
        const gaussian::BlockAnchor& kind = kBlockAnchors[b];
        for (const Block& block : s.kept) {
            const std::uint64_t headingEnd = block.start + kind.start.size();
            std::uint64_t end = 0;
            if (block.end != kNone)
                end = cut.lineEnd(block.end - 1, 2);
            else if (kind.how == BlockEnd::BlankLine)
                end = cut.blankLineEnd(headingEnd, false);
            else if (kind.how == BlockEnd::MarkerOrEmptyLine)
                end = cut.blankLineEnd(headingEnd, true);
            else
                end = cut.lineEnd(headingEnd, 2);
            if (kind.how != BlockEnd::Marker || block.end == kNone)
                end = std::max(end, cut.lineEnd(end, 1));
            cut.keep(cut.lineStart(block.start), end);
        }
    }
    // Archive entries, found as the whole text would find them: from each
    // "1|1|" to its ending "@", the next one looked for after that "@".
    const auto& starts = state->archiveStarts;
    const auto& ats = state->ats;
    for (std::size_t i = 0; i < starts.size();) {
        const std::uint64_t from = starts[i];
        std::uint64_t end = kNone;
        for (auto a = std::upper_bound(ats.begin(), ats.end(), from); a != ats.end(); ++a)
            if (cut.endsEntry(from, *a)) {
                end = *a;
                break;
            }
        if (end == kNone)
            return std::optional<FoldedText>();  // an entry without its end
        cut.keep(cut.lineStart(from), cut.lineEnd(end, 2));
        i = static_cast<std::size_t>(std::lower_bound(starts.begin(), starts.end(), end) -
                                     starts.begin());
    }
    if (cut.failed())
        return changed(path);
    state.reset();

    // The digest: the kept parts in file order, normalised.
    std::string text;
    std::string part;
    for (const auto& [begin, end] : cut.merged()) {
        for (std::uint64_t at = begin; at < end;) {
            const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, end - at));
            if (!file.read(at, n, part) || part.size() != n)
                return changed(path);
            normaliser.append(part.data(), n, at, text);
            at += n;
        }
        normaliser.endPart(text);
    }
    text.append("\r\n");
    return std::optional<FoldedText>(FoldedText(std::move(text)));
}

Result<FoldedText> readParsedText(const std::string& path) {
    Result<std::optional<FoldedText>> digest = readDigest(path);
    if (!digest)
        return digest.error();
    if (*digest)
        return std::move(**digest);
    return readNormalised(path);
}

}  // namespace zerlant
