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
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

#include "core/files/atomicwrite.hpp"
#include "core/files/filelock.hpp"
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
                  std::string& buffer, const std::string& path, detail::PiecePlan& plan) {
    detail::PieceScan scanner(length, pieceSize);
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
    detail::PiecePlan plan;
    if (Status pass1 = planPieces(*file, length, pieceSize, buffer, path, plan); !pass1)
        return pass1;
    reserveLarge(out, plan.outputSize);
    if (folded)
        reserveLarge(*folded, plan.outputSize);
    detail::PieceConversion converter(plan);
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

}  // namespace

namespace detail {

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
        const std::string target = linkTarget(path);
        // Held from the first read to the replacement: a Substitute or
        // another Normalize of the same file waits, then reads our result.
        auto lock = FileLock::acquire(target);
        if (!lock)
            return Error{lock.error().message, path};
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
        detail::PiecePlan plan;
        if (Status pass1 = planPieces(fd, length, pieceSize, buffer, path, plan); !pass1)
            return pass1;

        AtomicFile work;
        if (Status s = work.open(target, mode); !s)
            return Error{s.error().message, path};
        detail::PieceConversion converter(plan);
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

}  // namespace zerlant
