#include "core/files/filetext.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/files/paths.hpp"

namespace zerlant {

namespace {
Error systemError(const std::string& path, int err) { return Error{std::strerror(err), path}; }
}  // namespace

Result<std::string> readFileBytes(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return systemError(path, errno);
    struct stat st{};
    if (::fstat(fd, &st) != 0) {
        int err = errno;
        ::close(fd);
        return systemError(path, err);
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        return systemError(path, EISDIR);
    }
    std::string data;
    data.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    for (;;) {
        if (got == data.size()) data.resize(data.size() + 65536);  // file grew or size unknown
        ssize_t n = ::read(fd, data.data() + got, data.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            return systemError(path, err);
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    data.resize(got);
    return data;
}

std::string joinWrappedLines(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 2 < text.size() && text[i + 1] == '\n' && text[i + 2] == ' ') {
            i += 2;
            continue;
        }
        out += text[i];
    }
    return out;
}

Result<std::string> leerarchivo(const std::string& path, bool join) {
    auto bytes = readFileBytes(path);
    if (!bytes || !join) return bytes;
    return joinWrappedLines(*bytes);
}

std::string normalisedText(std::string_view bytes) {
    // TODO(files): piece boundaries of very large files.
    bool hasCrLf = bytes.find("\r\n") != std::string_view::npos;
    std::string out;
    out.reserve(bytes.size() + (hasCrLf ? 2 : bytes.size() / 40 + 2));
    for (char c : bytes) {
        if (c == '\\') {
            out += '|';
        } else if (c == '\n' && !hasCrLf) {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    out += "\r\n";
    return out;
}

Result<FoldedText> readNormalised(const std::string& path) {
    auto bytes = readFileBytes(path);
    if (!bytes) return bytes.error();
    std::string text = normalisedText(*bytes);
    bytes->clear();
    bytes->shrink_to_fit();
    return FoldedText(std::move(text));
}

Status writeFileAtomically(const std::string& path, std::string_view bytes) {
    std::string folder = carpetadearchivo(path);
    std::string tmpl = (folder.empty() ? std::string("./") : folder) + "." +
                       nombredearchivo(path, true) + ".XXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return systemError(path, errno);
    auto fail = [&](int err) -> Status {
        ::close(fd);
        ::unlink(tmpl.c_str());
        return systemError(path, err);
    };
    struct stat st{};
    mode_t mode = 0666 & ~[] { mode_t m = ::umask(0); ::umask(m); return m; }();
    if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fchmod(fd, mode) != 0) return fail(errno);
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(tmpl.c_str());
        return systemError(path, err);
    }
    if (::rename(tmpl.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(tmpl.c_str());
        return systemError(path, err);
    }
    return success();
}

Status normalizararchivo(const std::string& path, bool keepBackup) {
    auto bytes = readFileBytes(path);
    if (!bytes) return bytes.error();
    if (keepBackup) {
        std::string bak = carpetadearchivo(path) + nombredearchivo(path, false) + ".bak";
        if (Status s = writeFileAtomically(bak, *bytes); !s) return s;
    }
    return writeFileAtomically(path, normalisedText(*bytes));
}

}  // namespace zerlant
