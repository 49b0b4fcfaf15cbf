#include "core/inputtools/journal.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>

#include "core/files/filetext.hpp"
#include "core/rename/renamerun.hpp"

namespace zerlant {

namespace {

constexpr std::string_view kMagic = "zerlant-journal 2\n";
constexpr const char* kFileName = "last-run.journal";

// Fields are written as "<length>:<bytes>\n", so names and contents may hold
// any byte.
void putField(std::string& out, std::string_view field) {
    out += std::to_string(field.size());
    out += ':';
    out += field;
    out += '\n';
}

void putNumber(std::string& out, std::uint64_t n) {
    putField(out, std::to_string(n));
}

class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool field(std::string& out) {
        const auto colon = text_.find(':', pos_);
        if (colon == std::string_view::npos || colon == pos_ || colon - pos_ > 20)
            return false;
        std::uint64_t length = 0;
        for (std::size_t i = pos_; i < colon; ++i) {
            if (text_[i] < '0' || text_[i] > '9')
                return false;
            length = length * 10 + static_cast<std::uint64_t>(text_[i] - '0');
        }
        const std::size_t start = colon + 1;
        if (length > text_.size() - start || start + length >= text_.size() ||
            text_[start + length] != '\n')
            return false;
        out.assign(text_.substr(start, length));
        pos_ = start + length + 1;
        return true;
    }

    bool number(std::uint64_t& out) {
        std::string s;
        if (!field(s) || s.empty() || s.size() > 20)
            return false;
        out = 0;
        for (char c : s) {
            if (c < '0' || c > '9')
                return false;
            out = out * 10 + static_cast<std::uint64_t>(c - '0');
        }
        return true;
    }

    bool atEnd() const { return pos_ == text_.size(); }
    std::size_t position() const { return pos_; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool sameFile(const std::string& a, const std::string& b) {
    struct stat x {};
    struct stat y {};
    return ::lstat(a.c_str(), &x) == 0 && ::lstat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev &&
           x.st_ino == y.st_ino;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 || errno != ENOENT;
}

std::uint64_t markCheck(std::uint64_t recordSum, std::size_t index) {
    return digestOf(std::to_string(recordSum) + ":" + std::to_string(index));
}

// "done:<entry>:<check>": entry `index` of the record with checksum
// `recordSum` landed.
std::string doneMark(std::uint64_t recordSum, std::size_t index) {
    return "done:" + std::to_string(index) + ":" + std::to_string(markCheck(recordSum, index)) +
           "\n";
}

struct ParsedJournal {
    Journal journal;
    std::uint64_t sum = 0;
    std::size_t recordEnd = 0;  // where the done marks begin
};

// The record part of a journal file, checked; nothing when it is damaged.
std::optional<ParsedJournal> parseRecord(std::string_view text) {
    if (text.substr(0, kMagic.size()) != kMagic)
        return std::nullopt;
    Reader in(text.substr(kMagic.size()));
    ParsedJournal parsed;
    Journal& journal = parsed.journal;
    std::string kind;
    std::uint64_t count = 0;
    if (!in.field(kind) || (kind != "rename" && kind != "substitute") || !in.number(count))
        return std::nullopt;
    journal.kind = kind == "rename" ? JournalKind::Rename : JournalKind::Substitute;
    for (std::uint64_t i = 0; i < count; ++i) {
        JournalEntry e;
        std::uint64_t beforeSum = 0;
        std::uint64_t modified = 0;
        if (!in.field(e.path) || !in.field(e.newPath) || !in.field(e.before) ||
            !in.number(beforeSum) || !in.number(e.after.size) || !in.number(e.after.digest) ||
            !in.number(e.after.device) || !in.number(e.after.inode) || !in.number(modified))
            return std::nullopt;
        if (beforeSum != digestOf(e.before))
            return std::nullopt;
        e.after.modifiedNs = static_cast<std::int64_t>(modified);
        journal.entries.push_back(std::move(e));
    }
    const std::size_t summed = kMagic.size() + in.position();
    if (!in.number(parsed.sum) || parsed.sum != digestOf(text.substr(0, summed)))
        return std::nullopt;
    parsed.recordEnd = kMagic.size() + in.position();
    return parsed;
}

std::optional<std::uint64_t> recordChecksum(std::string_view text) {
    auto parsed = parseRecord(text);
    if (!parsed)
        return std::nullopt;
    return parsed->sum;
}

}  // namespace

std::uint64_t digestOf(std::string_view bytes) {
    std::uint64_t h = 1469598103934665603ULL;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return h;
}

Result<FileStamp> stampOf(const std::string& path, bool withDigest) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return Error{std::strerror(errno), path};
    FileStamp stamp;
    stamp.size = static_cast<std::uint64_t>(st.st_size);
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 +
                       static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    if (withDigest) {
        auto bytes = readFileBytes(path);
        if (!bytes)
            return bytes.error();
        stamp.digest = digestOf(*bytes);
        // A rewrite gives a new file: only size and bytes tell Substitute's
        // files apart.
        stamp.device = stamp.inode = 0;
        stamp.modifiedNs = 0;
    }
    return stamp;
}

std::string journalPath(const std::string& folder) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + kFileName;
}

Status saveJournal(const std::string& folder, const Journal& journal) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        return Error{ec.message(), folder};
    std::string out(kMagic);
    putField(out, journal.kind == JournalKind::Rename ? "rename" : "substitute");
    putNumber(out, journal.entries.size());
    for (const JournalEntry& e : journal.entries) {
        putField(out, e.path);
        putField(out, e.newPath);
        putField(out, e.before);
        putNumber(out, digestOf(e.before));
        putNumber(out, e.after.size);
        putNumber(out, e.after.digest);
        putNumber(out, e.after.device);
        putNumber(out, e.after.inode);
        putNumber(out, static_cast<std::uint64_t>(e.after.modifiedNs));
    }
    // The record's checksum closes it; done marks follow, each bound to it.
    const std::uint64_t sum = digestOf(out);
    putNumber(out, sum);
    for (std::size_t i = 0; i < journal.entries.size(); ++i)
        if (journal.entries[i].done)
            out += doneMark(sum, i);
    return writeFileAtomically(journalPath(folder), out);
}

Status markJournalEntryDone(const std::string& folder, std::size_t index) {
    const std::string path = journalPath(folder);
    auto bytes = readFileBytes(path);
    if (!bytes)
        return bytes.error();
    auto sum = recordChecksum(*bytes);
    if (!sum)
        return Error{"not a journal of this program", path};
    const std::string mark = doneMark(*sum, index);
    // One write of a few bytes in append mode: a kill cannot tear it.
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return Error{std::strerror(errno), path};
    const ssize_t n = ::write(fd, mark.data(), mark.size());
    const int err = errno;
    ::close(fd);
    if (n != static_cast<ssize_t>(mark.size()))
        return Error{n < 0 ? std::strerror(err) : "short write", path};
    return success();
}

Result<Journal> loadJournal(const std::string& folder) {
    const std::string path = journalPath(folder);
    auto bytes = readFileBytes(path);
    if (!bytes)
        return bytes.error();
    const std::string_view text(*bytes);
    const Error damaged{"damaged: not a journal of this program, or changed since it was written",
                        path};
    auto parsed = parseRecord(text);
    if (!parsed)
        return damaged;
    Journal& journal = parsed->journal;
    // The done marks, one a line.  A last line without its line end is a
    // mark whose write never finished: that entry counts as not marked.
    std::string_view marks = text.substr(parsed->recordEnd);
    while (!marks.empty()) {
        const auto end = marks.find('\n');
        if (end == std::string_view::npos)
            break;
        const std::string_view line = marks.substr(0, end);
        marks.remove_prefix(end + 1);
        std::size_t index = 0;
        bool matched = false;
        if (line.substr(0, 5) == "done:") {
            const auto colon = line.find(':', 5);
            const std::string_view number =
                line.substr(5, colon == std::string_view::npos ? 0 : colon - 5);
            if (!number.empty() && number.size() <= 12 &&
                number.find_first_not_of("0123456789") == std::string_view::npos) {
                index = static_cast<std::size_t>(std::stoull(std::string(number)));
                matched = index < journal.entries.size() &&
                          doneMark(parsed->sum, index) == std::string(line) + "\n";
            }
        }
        if (!matched)
            return damaged;
        journal.entries[index].done = true;
    }
    return std::move(journal);
}

Status clearJournal(const std::string& folder) {
    const std::string path = journalPath(folder);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        return Error{std::strerror(errno), path};
    return success();
}

UndoOutcome undoJournal(const Journal& journal) {
    UndoOutcome outcome;
    const bool rename = journal.kind == JournalKind::Rename;
    // Every file first: one changed file refuses the whole Undo.
    std::vector<const JournalEntry*> toRestore;
    for (const JournalEntry& e : journal.entries) {
        const std::string& now = rename ? e.newPath : e.path;
        auto stamp = stampOf(now, !rename);
        bool landed = stamp && *stamp == e.after;
        // The former name must be free again (or name this very file, a
        // change of letter case on a case-blind file system).
        if (landed && rename && exists(e.path) && !sameFile(e.path, e.newPath))
            landed = false;
        if (landed) {
            toRestore.push_back(&e);
            continue;
        }
        if (!e.done) {
            // A run cut short before this file: it must still be as it was.
            bool untouched = false;
            if (rename) {
                untouched = !exists(e.newPath) && exists(e.path);
            } else {
                auto was = stampOf(e.path, true);
                untouched =
                    was && was->size == e.before.size() && was->digest == digestOf(e.before);
            }
            if (untouched) {
                ++outcome.notReached;
                continue;
            }
        }
        outcome.changedSince.push_back(now);
    }
    if (outcome.refused())
        return outcome;
    for (auto it = toRestore.rbegin(); it != toRestore.rend(); ++it) {
        const JournalEntry& e = **it;
        // A symbolic link keeps pointing at the file it names.
        std::error_code ec;
        std::string target = e.path;
        if (!rename && std::filesystem::is_symlink(target, ec))
            target = std::filesystem::canonical(target, ec).string();
        const Status done =
            rename ? renameNoReplace(e.newPath, e.path) : writeFileAtomically(target, e.before);
        if (done) {
            ++outcome.restored;
        } else {
            outcome.failures.push_back(done.error());
        }
    }
    return outcome;
}

}  // namespace zerlant
