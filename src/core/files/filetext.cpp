#include "core/files/filetext.hpp"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <stdexcept>

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

// A new file written beside its final name and renamed over it at commit.  An
// uncommitted file is removed.
class AtomicFile {
  public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile() {
        if (fd_.get() >= 0 || !temp_.empty()) {
            fd_.reset();
            if (!temp_.empty())
                ::unlink(temp_.c_str());
        }
    }

    // Creates the temporary file.  The result gets `mode` when given,
    // otherwise the mode of an existing file at `path`, otherwise the usual
    // mode of a new file.
    Status open(const std::string& path, int mode = -1) {
        path_ = path;
        struct stat st {};
        if (mode < 0 && ::stat(path.c_str(), &st) == 0)
            mode = static_cast<int>(st.st_mode & 07777);
        mode_ = mode;
        std::string folder = carpetadearchivo(path);
        std::string stem = (folder.empty() ? std::string("./") : folder) + "." +
                           nombredearchivo(path, true) + ".tmp";
        std::random_device rd;
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = stem + std::to_string(rd() % 1000000000u);
            int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
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
        return success();
    }
    Status write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }

    Status commit() {
        if (mode_ >= 0 && ::fchmod(fd_.get(), static_cast<mode_t>(mode_)) != 0)
            return systemError(path_, errno);
        if (::fsync(fd_.get()) != 0)
            return systemError(path_, errno);
        if (::close(fd_.release()) != 0)
            return systemError(path_, errno);
        if (::rename(temp_.c_str(), path_.c_str()) != 0)
            return systemError(path_, errno);
        temp_.clear();
        return success();
    }

  private:
    Fd fd_;
    std::string path_;
    std::string temp_;
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

// What the first pass learns: the pieces, and which of them turn LF into CR LF.
struct PiecePlan {
    std::vector<std::uint64_t> ends;
    std::vector<bool> convertLf;
    std::uint64_t outputSize = 0;
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
        return plan;
    }

  private:
    std::vector<std::uint64_t> ends_;
    std::vector<bool> crLf_;
    std::vector<std::uint64_t> lfs_;
    std::uint64_t length_;
    std::size_t piece_ = 0;
    bool lastWasCr_ = false;
};

// Second pass: converts consecutive chunks by the plan, appending to `out`.
class PieceConverter {
  public:
    explicit PieceConverter(const PiecePlan& plan) : plan_(plan) {}

    void convert(const char* data, std::size_t n, std::uint64_t offset, std::string& out) {
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

  private:
    const PiecePlan& plan_;
    std::size_t piece_ = 0;
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
    out.append(kCrLfBytes);
    if (folded)
        folded->append(kCrLfBytes);
    return success();
}

}  // namespace

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
    PieceConverter(plan).convert(bytes.data(), bytes.size(), 0, out);
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

Status normalizararchivo(const std::string& path, bool keepBackup, std::uint64_t pieceSize) {
    const std::string target = resolveLink(path);
    auto opened = openRegularFile(target);
    if (!opened)
        return Error{opened.error().message, path};
    const OpenedFile& fd = *opened;
    const std::uint64_t length = fd.size();
    const int mode = static_cast<int>(fd.mode());

    std::string backup;
    if (keepBackup) {
        backup = carpetadearchivo(target) + nombredearchivo(target, false) + ".bak";
        struct stat bst {};
        if (backup == target || (::stat(backup.c_str(), &bst) == 0 && bst.st_dev == fd.device() &&
                                 bst.st_ino == fd.inode()))
            return Error{"the backup copy would replace the file itself", path};
    }

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
    if (Status s = work.write(kCrLfBytes); !s)
        return Error{s.error().message, path};

    if (keepBackup) {
        AtomicFile copy;
        if (Status s = copy.open(backup, mode); !s)
            return s;
        Status copied = forEachChunk(
            fd, length, buffer, path,
            [&](const char* data, std::size_t n, std::uint64_t) { return copy.write(data, n); });
        if (!copied)
            return Error{copied.error().message, backup};
        if (Status s = copy.commit(); !s)
            return s;
    }
    if (Status s = work.commit(); !s)
        return Error{s.error().message, path};
    return success();
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

Status normalizararchivo(const std::string& path, bool keepBackup) {
    return detail::normalizararchivo(path, keepBackup, kPieceBytes);
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
