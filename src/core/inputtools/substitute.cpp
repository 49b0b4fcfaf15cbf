#include "core/inputtools/substitute.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "core/files/filelock.hpp"
#include "core/files/filetext.hpp"

namespace zerlant {

namespace {

// The file that a write to `path` must replace: the target of a symbolic
// link rather than the link itself.
std::string writablePath(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

// False for a file that nobody may write.  Sets errno when it says false.
bool anyWriteBit(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    if ((st.st_mode & 0222) != 0)
        return true;
    errno = EACCES;
    return false;
}

}  // namespace

std::string replaceBlock(std::string_view text, std::string_view from, std::string_view to,
                         bool firstOnly, std::size_t* count) {
    std::size_t n = 0;
    if (from.empty()) {
        if (count)
            *count = 0;
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (;;) {
        auto at = text.find(from, pos);
        if (at == std::string_view::npos)
            break;
        out.append(text, pos, at - pos);
        out.append(to);
        pos = at + from.size();
        ++n;
        if (firstOnly)
            break;
    }
    out.append(text, pos, std::string_view::npos);
    if (count)
        *count = n;
    return out;
}

std::string withLineBreaks(std::string_view block, bool crlf) {
    std::string out;
    out.reserve(block.size() + block.size() / 16);
    for (std::size_t i = 0; i < block.size(); ++i) {
        char c = block[i];
        if (c == '\r' && i + 1 < block.size() && block[i + 1] == '\n')
            continue;  // the LF follows
        if (c == '\n') {
            out += crlf ? "\r\n" : "\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string substituteInText(std::string_view text, const SubstituteOptions& options,
                             std::size_t* count) {
    bool crlf = text.find("\r\n") != std::string_view::npos;
    return replaceBlock(text, withLineBreaks(options.from, crlf), withLineBreaks(options.to, crlf),
                        options.firstOnly, count);
}

SubstitutePlan planSubstitution(const FileRows& rows, const SubstituteOptions& options) {
    SubstitutePlan plan;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const FileRow& row = rows[r];
        if (!row.checked)
            continue;
        ++plan.ticked;
        auto text = readFileBytes(row.path);
        if (!text) {
            plan.failures.push_back({r, row.path, text.error().message});
            continue;
        }
        std::size_t count = 0;
        std::string changed = substituteInText(*text, options, &count);
        if (count == 0 || changed == *text)
            continue;
        plan.changes.push_back({r, row.path, std::move(*text), std::move(changed)});
    }
    return plan;
}

SubstituteOutcome applySubstitution(const SubstitutePlan& plan, const SubstituteLanded& landed) {
    SubstituteOutcome outcome;
    outcome.failures = plan.failures;
    outcome.unchanged = static_cast<int>(plan.ticked - plan.changes.size() - plan.failures.size());
    for (std::size_t i = 0; i < plan.changes.size(); ++i) {
        const PlannedFile& file = plan.changes[i];
        // A file the user may not write, or one without any write permission
        // (read-only even to a superuser), stays as it is, even where its
        // folder would let a new file take its place.
        errno = 0;
        if (::access(file.path.c_str(), W_OK) != 0 || !anyWriteBit(file.path)) {
            int err = errno != 0 ? errno : EACCES;
            outcome.failures.push_back({file.row, file.path, std::strerror(err)});
            continue;
        }
        // Held from the comparison to the rewrite.
        auto lock = FileLock::acquire(file.path);
        if (!lock) {
            outcome.failures.push_back({file.row, file.path, lock.error().message});
            continue;
        }
        // Changed by someone else since it was read: not overwritten.
        auto now = readFileBytes(file.path);
        if (!now || *now != file.before) {
            outcome.failures.push_back({file.row, file.path, "changed since it was read"});
            continue;
        }
        Status written = writeFileAtomically(writablePath(file.path), file.after);
        if (!written) {
            outcome.failures.push_back({file.row, file.path, written.error().message});
            continue;
        }
        ++outcome.changed;
        if (landed)
            landed(i);
    }
    std::sort(outcome.failures.begin(), outcome.failures.end(),
              [](const SubstituteFailure& a, const SubstituteFailure& b) { return a.row < b.row; });
    return outcome;
}

SubstituteOutcome substituteFiles(const FileRows& rows, const SubstituteOptions& options) {
    return applySubstitution(planSubstitution(rows, options));
}

}  // namespace zerlant
