#include "core/files/filetext.hpp"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <random>
#include <stdexcept>
#include <vector>

#include "core/files/openfile.hpp"
#include "core/files/paths.hpp"

namespace zerlant {

namespace {

Error systemError(const std::string& path, int err) {
    return Error{std::strerror(err), path};
}
Error outOfMemory(const std::string& path) {
    return Error{"not enough memory to read the file", path};
}
Error changedError(const std::string& path) {
    return Error{"the file changed while it was being read", path};
}

constexpr std::size_t kChunk = 4u << 20;
constexpr std::string_view kCrLfBytes = "\r\n";

// A file descriptor closed on scope exit.
class Fd {
  public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    int get() const { return fd_; }
    void reset(int fd = -1) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

bool writeAll(int fd, const char* data, std::size_t n) {
    while (n > 0) {
        ssize_t r = ::write(fd, data, n);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += r;
        n -= static_cast<std::size_t>(r);
    }
    return true;
}

// Calls f(data, n, offset) for consecutive chunks of the first `length` bytes.
// Fails when the file ends before `length` bytes.
template <typename F>
Status forEachChunk(const OpenedFile& file, std::uint64_t length, std::string& buffer,
                    const std::string& path, F&& f) {
    buffer.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, length)));
    for (std::uint64_t offset = 0; offset < length;) {
        std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, length - offset));
        long long got = file.readAt(buffer.data(), want, offset);
        if (got < 0)
            return systemError(path, errno);
        if (static_cast<std::size_t>(got) < want)
            return changedError(path);
        if (Status s = f(buffer.data(), want, offset); !s)
            return s;
        offset += want;
    }
    return success();
}

// The symbolic link's target, or the path itself.
std::string resolveLink(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string out = real;
    std::free(real);
    return out;
}

// Copies the first `length` bytes of `from` to the start of `to`.
bool copyBytes(int from, int to, std::uint64_t length) {
    std::string buffer(static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, length)), '\0');
    for (std::uint64_t offset = 0; offset < length;) {
        const auto want =
            static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), length - offset));
        ssize_t got = ::pread(from, buffer.data(), want, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got == 0)
                errno = EIO;
            return false;
        }
        const char* p = buffer.data();
        for (std::size_t left = static_cast<std::size_t>(got); left > 0;) {
            ssize_t put = ::pwrite(to, p, left, static_cast<off_t>(offset));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            p += put;
            left -= static_cast<std::size_t>(put);
            offset += static_cast<std::uint64_t>(put);
        }
    }
    return true;
}

// A new file written beside its final name.  At commit it replaces the file
// of that name, keeping what the user set on it (mode, owner and group, hard
// links), or it takes a name nothing holds yet.  An uncommitted file is
// removed.
class AtomicFile {
  public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile() {
        fd_.reset();
        if (!temp_.empty())
            ::unlink(temp_.c_str());
    }

    // Creates the temporary file beside `path`.  The result gets `mode` when
    // given, otherwise the mode of an existing file at `path`, otherwise the
    // usual mode of a new file.
    Status open(const std::string& path, int mode = -1) {
        path_ = path;
        mode_ = mode;
        std::string folder = carpetadearchivo(path);
        std::string stem = (folder.empty() ? std::string("./") : folder) + "." +
                           nombredearchivo(path, true) + ".tmp";
        std::random_device rd;
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = stem + std::to_string(rd() % 1000000000u);
            int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                fd_.reset(fd);
                temp_ = name;
                return success();
            }
            if (errno != EEXIST)
                return systemError(path, errno);
        }
        return systemError(path, EEXIST);
    }

    Status write(const char* data, std::size_t n) {
        if (!writeAll(fd_.get(), data, n))
            return systemError(path_, errno);
        size_ += n;
        return success();
    }
    Status write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }

    // Gives the new file the owner and group of `owner`'s file where the
    // process may; a new file is otherwise the user's.
    void takeOwnerOf(uid_t uid, gid_t gid) {
        if (::fchown(fd_.get(), uid, gid) != 0)
            (void)::fchown(fd_.get(), static_cast<uid_t>(-1), gid);
    }

    // Replaces the file at the path.  A regular file there keeps its mode,
    // owner, group and hard links: when the new file cannot take its owner
    // and group, or the file has more than one name, the complete new text
    // (already on disk) is copied into the file itself.
    Status commit() {
        struct stat old {};
        const bool replacing = ::stat(path_.c_str(), &old) == 0 && S_ISREG(old.st_mode);
        if (replacing) {
            if (mode_ < 0)
                mode_ = static_cast<int>(old.st_mode & 07777);
            bool sameOwner = ::fchown(fd_.get(), old.st_uid, old.st_gid) == 0;
            if (!sameOwner) {
                struct stat mine {};
                sameOwner = ::fstat(fd_.get(), &mine) == 0 && mine.st_uid == old.st_uid &&
                            mine.st_gid == old.st_gid;
            }
            if (old.st_nlink > 1 || !sameOwner)
                return commitInPlace(old);
        }
        if (Status s = finishTemp(); !s)
            return s;
        if (::rename(temp_.c_str(), path_.c_str()) != 0)
            return systemError(path_, errno);
        temp_.clear();
        return success();
    }

    // Gives the new file the first of `names` that no file holds, never
    // replacing one; the name taken goes to `taken`.
    Status commitAsNew(const std::vector<std::string>& names, std::string& taken) {
        if (Status s = finishTemp(); !s)
            return s;
        for (const std::string& name : names) {
            int r = ::renameat2(AT_FDCWD, temp_.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE);
            if (r != 0 && (errno == EINVAL || errno == ENOSYS)) {
                // A file system without the no-replace rename: a new link
                // cannot replace anything either.
                r = ::link(temp_.c_str(), name.c_str());
                if (r == 0)
                    ::unlink(temp_.c_str());
            }
            if (r == 0) {
                temp_.clear();
                taken = name;
                return success();
            }
            if (errno != EEXIST)
                return systemError(name, errno);
        }
        return Error{"every name for the backup copy is taken", path_};
    }

  private:
    Status finishTemp() {
        if (mode_ >= 0 && ::fchmod(fd_.get(), static_cast<mode_t>(mode_)) != 0)
            return systemError(path_, errno);
        if (::fsync(fd_.get()) != 0)
            return systemError(path_, errno);
        if (::close(fd_.release()) != 0)
            return systemError(path_, errno);
        return success();
    }

    // The new text is complete on disk in the temporary file: copy it over
    // the file's own bytes, so that every name of the file sees it and its
    // owner, group and mode stay as they are.
    Status commitInPlace(const struct stat& old) {
        if (::fsync(fd_.get()) != 0)
            return systemError(path_, errno);
        Fd target(::open(path_.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
        if (target.get() < 0)
            return systemError(path_, errno);
        struct stat now {};
        if (::fstat(target.get(), &now) != 0)
            return systemError(path_, errno);
        if (now.st_dev != old.st_dev || now.st_ino != old.st_ino)
            return Error{"the file was replaced while it was being rewritten", path_};
        // Room first, so that a full disk stops the rewrite before it starts.
        if (size_ > static_cast<std::uint64_t>(now.st_size) &&
            ::fallocate(target.get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size_)) != 0 &&
            errno != EOPNOTSUPP && errno != ENOSYS)
            return systemError(path_, errno);
        if (!copyBytes(fd_.get(), target.get(), size_) ||
            ::ftruncate(target.get(), static_cast<off_t>(size_)) != 0 ||
            ::fsync(target.get()) != 0) {
            const int err = errno;
            // The file is half rewritten: keep the complete new text.
            std::string kept = temp_;
            temp_.clear();
            return Error{std::string(std::strerror(err)) +
                             "; the file was rewritten only in part, its new text is in " + kept,
                         path_};
        }
        if (::close(target.release()) != 0)
            return systemError(path_, errno);
        return success();
    }

    Fd fd_;
    std::string path_;
    std::string temp_;
    std::uint64_t size_ = 0;
    int mode_ = -1;
};

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

// What the first pass learns: the pieces, and which of them turn LF into CR LF;
// or, for mixed line ends, that every line end becomes CR LF.
struct PiecePlan {
    std::vector<std::uint64_t> ends;
    std::vector<bool> convertLf;
    bool mixed = false;
    std::uint64_t outputSize = 0;  // exact, or an upper bound when mixed
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

// Reserves room for a large text and asks for huge pages for it: touching
// hundreds of megabytes page by page costs more than normalising them.
void reserveLarge(std::string& s, std::uint64_t n) {
    s.reserve(static_cast<std::size_t>(n));
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
    if (n >= 4 * kHuge) {
        auto begin = reinterpret_cast<std::uintptr_t>(s.data());
        std::uintptr_t from = (begin + kHuge - 1) & ~(kHuge - 1);
        std::uintptr_t to = (begin + s.capacity()) & ~(kHuge - 1);
        if (to > from)
            ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
    }
#endif
}

// Reads a file and puts its normalised text into `out` in two passes (the
// plan, then the conversion), never holding the raw bytes whole; with
// `folded`, the folded copy is written alongside, chunk by chunk.
// The first pass over an open file: where its pieces end and how long the
// normalised text will be.
Status planPieces(const OpenedFile& fd, std::uint64_t length, std::uint64_t pieceSize,
                  std::string& buffer, const std::string& path, PiecePlan& plan) {
    PlanScanner scanner(length, pieceSize);
    Status pass = forEachChunk(fd, length, buffer, path,
                               [&](const char* data, std::size_t n, std::uint64_t offset) {
                                   scanner.feed(data, n, offset);
                                   return success();
                               });
    if (pass)
        plan = scanner.finish();
    return pass;
}

Status normaliseFile(const std::string& path, std::uint64_t pieceSize, std::string& out,
                     std::string* folded) {
    auto file = openRegularFile(path);
    if (!file)
        return file.error();
    const std::uint64_t length = file->size();
    std::string buffer;
    PiecePlan plan;
    if (Status pass1 = planPieces(*file, length, pieceSize, buffer, path, plan); !pass1)
        return pass1;
    reserveLarge(out, plan.outputSize);
    if (folded)
        reserveLarge(*folded, plan.outputSize);
    PieceConverter converter(plan);
    Status pass2 = forEachChunk(
        *file, length, buffer, path, [&](const char* data, std::size_t n, std::uint64_t offset) {
            const std::size_t start = out.size();
            converter.convert(data, n, offset, out);
            if (folded) {
                folded->resize(out.size());
                foldCaseInto(out.data() + start, out.size() - start, folded->data() + start);
            }
            return success();
        });
    if (!pass2)
        return pass2;
    const std::size_t start = out.size();
    converter.finish(out);
    out.append(kCrLfBytes);
    if (folded)
        folded->append(out, start);  // line ends fold to themselves
    return success();
}

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

Result<std::string> readNormalisedText(const std::string& path, std::uint64_t pieceSize) {
    try {
        std::string out;
        if (Status s = normaliseFile(path, pieceSize, out, nullptr); !s)
            return s.error();
        return out;
    } catch (const std::bad_alloc&) {
        return outOfMemory(path);
    } catch (const std::length_error&) {
        return outOfMemory(path);
    }
}

std::vector<std::string> backupNames(const std::string& target) {
    const std::string stem = carpetadearchivo(target) + nombredearchivo(target, false);
    std::vector<std::string> names{stem + ".bak"};
    for (int k = 1; k < 1000; ++k) names.push_back(stem + "." + std::to_string(k) + ".bak");
    return names;
}

Status normalizararchivo(const std::string& path, bool keepBackup, std::uint64_t pieceSize,
                         std::string* backupPath) {
    try {
        const std::string target = resolveLink(path);
        auto opened = openRegularFile(target);
        if (!opened)
            return Error{opened.error().message, path};
        const OpenedFile& fd = *opened;
        const std::uint64_t length = fd.size();
        const int mode = static_cast<int>(fd.mode());
        // A file without any write permission stays as it is, even for a
        // superuser and even where its folder would let a new file replace it.
        if ((fd.mode() & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
            return systemError(path, errno != 0 && (fd.mode() & 0222) != 0 ? errno : EACCES);

        std::string buffer;
        PiecePlan plan;
        if (Status pass1 = planPieces(fd, length, pieceSize, buffer, path, plan); !pass1)
            return pass1;

        AtomicFile work;
        if (Status s = work.open(target, mode); !s)
            return Error{s.error().message, path};
        PieceConverter converter(plan);
        std::string out;
        out.reserve(2 * kChunk + kCrLfBytes.size());
        Status pass2 = forEachChunk(fd, length, buffer, path,
                                    [&](const char* data, std::size_t n, std::uint64_t offset) {
                                        out.clear();
                                        converter.convert(data, n, offset, out);
                                        return work.write(out);
                                    });
        if (!pass2)
            return Error{pass2.error().message, path};
        out.clear();
        converter.finish(out);
        out.append(kCrLfBytes);
        if (Status s = work.write(out); !s)
            return Error{s.error().message, path};

        if (keepBackup) {
            // The backup takes a name that nothing holds: NAME.bak, else
            // NAME.1.bak, NAME.2.bak, ...; an existing file is never replaced.
            AtomicFile copy;
            const std::vector<std::string> names = backupNames(target);
            if (Status s = copy.open(names.front(), mode); !s)
                return s;
            copy.takeOwnerOf(fd.owner(), fd.group());
            Status copied = forEachChunk(fd, length, buffer, path,
                                         [&](const char* data, std::size_t n, std::uint64_t) {
                                             return copy.write(data, n);
                                         });
            if (!copied)
                return Error{copied.error().message, names.front()};
            std::string taken;
            if (Status s = copy.commitAsNew(names, taken); !s)
                return s;
            if (backupPath)
                *backupPath = taken;
        }
        if (Status s = work.commit(); !s)
            return Error{s.error().message, path};
        return success();
    } catch (const std::exception& e) {
        return Error{failureReason(e), path};
    }
}

}  // namespace detail

Result<std::string> readFileBytes(const std::string& path) {
    auto file = openRegularFile(path);
    if (!file)
        return file.error();
    return file->readAll();
}

Result<std::string> leerarchivo(const std::string& path, bool join) {
    auto bytes = readFileBytes(path);
    if (!bytes || !join)
        return bytes;
    try {
        return joinWrappedLines(*bytes);
    } catch (const std::bad_alloc&) {
        return outOfMemory(path);
    }
}

Result<std::string> leercola(const std::string& path) {
    auto file = openRegularFile(path);
    if (!file)
        return file.error();
    return file->readTail(kTailBytes);
}

std::string normalisedText(std::string_view bytes) {
    return detail::normalisedText(bytes, kPieceBytes);
}

Result<std::string> readNormalisedText(const std::string& path) {
    return detail::readNormalisedText(path, kPieceBytes);
}

Result<FoldedText> readNormalised(const std::string& path) {
    try {
        std::string text, folded;
        if (Status s = normaliseFile(path, kPieceBytes, text, &folded); !s)
            return s.error();
        return FoldedText::fromParts(std::move(text), std::move(folded));
    } catch (const std::bad_alloc&) {
        return outOfMemory(path);
    } catch (const std::length_error&) {
        return outOfMemory(path);
    } catch (const std::exception& e) {
        return Error{e.what(), path};
    }
}

Status normalizararchivo(const std::string& path, bool keepBackup, std::string* backupPath) {
    return detail::normalizararchivo(path, keepBackup, kPieceBytes, backupPath);
}

Status writeFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFile file;
    if (Status s = file.open(resolveLink(path)); !s)
        return Error{s.error().message, path};
    if (Status s = file.write(bytes); !s)
        return Error{s.error().message, path};
    if (Status s = file.commit(); !s)
        return Error{s.error().message, path};
    return success();
}

}  // namespace zerlant
