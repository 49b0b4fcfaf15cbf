#include "core/inputtools/substitute.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

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

SubstituteOutcome substituteFiles(const FileRows& rows, const SubstituteOptions& options) {
    SubstituteOutcome outcome;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const FileRow& row = rows[r];
        if (!row.checked)
            continue;
        auto text = readFileBytes(row.path);
        if (!text) {
            outcome.failures.push_back({r, row.path, text.error().message});
            continue;
        }
        std::size_t count = 0;
        std::string changed = substituteInText(*text, options, &count);
        if (count == 0 || changed == *text) {
            ++outcome.unchanged;
            continue;
        }
        // A file the user may not write, or one without any write permission
        // (read-only even to a superuser), stays as it is, even where its
        // folder would let a new file take its place.
        if (::access(row.path.c_str(), W_OK) != 0 || !anyWriteBit(row.path)) {
            int err = errno != 0 ? errno : EACCES;
            outcome.failures.push_back({r, row.path, std::strerror(err)});
            continue;
        }
        Status written = writeFileAtomically(writablePath(row.path), changed);
        if (!written) {
            outcome.failures.push_back({r, row.path, written.error().message});
            continue;
        }
        ++outcome.changed;
    }
    return outcome;
}

}  // namespace zerlant
