#include "core/files/openfile.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

namespace zerlant {

namespace {

Error systemError(const std::string& path, int err) {
    return Error{std::strerror(err), path};
}

}  // namespace

std::string notRegularReason(mode_t mode) {
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return "a folder, not a regular file";
    if (S_ISFIFO(mode))
        return "a named pipe, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device, not a regular file";
    if (S_ISSOCK(mode))
        return "a socket, not a regular file";
    return "not a regular file";
}

std::string failureReason(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e) || dynamic_cast<const std::length_error*>(&e))
        return "not enough memory to read the file";
    return e.what();
}

OpenedFile::OpenedFile(OpenedFile&& other) noexcept {
    *this = std::move(other);
}

OpenedFile& OpenedFile::operator=(OpenedFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
        size_ = other.size_;
        device_ = other.device_;
        inode_ = other.inode_;
        mode_ = other.mode_;
        owner_ = other.owner_;
        group_ = other.group_;
        links_ = other.links_;
    }
    return *this;
}

OpenedFile::~OpenedFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

long long OpenedFile::readAt(char* buffer, std::size_t n, std::uint64_t offset) const {
    if (offset >= size_)
        return 0;
    n = static_cast<std::size_t>(std::min<std::uint64_t>(n, size_ - offset));
    std::size_t got = 0;
    while (got < n) {
        ssize_t r = ::pread(fd_, buffer + got, n - got, static_cast<off_t>(offset + got));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (r == 0)
            break;
        got += static_cast<std::size_t>(r);
    }
    return static_cast<long long>(got);
}

Result<std::string> OpenedFile::readTail(std::uint64_t count) const {
    const std::uint64_t from = size_ > count ? size_ - count : 0;
    std::string data;
    try {
        data.resize(static_cast<std::size_t>(size_ - from));
    } catch (const std::bad_alloc&) {
        return Error{"not enough memory to read the file", path_};
    } catch (const std::length_error&) {
        return Error{"not enough memory to read the file", path_};
    }
    long long got = readAt(data.data(), data.size(), from);
    if (got < 0)
        return systemError(path_, errno);
    if (static_cast<std::size_t>(got) < data.size())
        return Error{"the file changed while it was being read", path_};
    return data;
}

Result<std::string> OpenedFile::readAll() const {
    return readTail(size_);
}

Result<OpenedFile> openRegularFile(const std::string& path) {
    // The kind first, so that a pipe or device is never opened at all.
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0)
        return systemError(path, errno);
    if (std::string why = notRegularReason(before.st_mode); !why.empty())
        return Error{why, path};
    // The name may have been swapped for a pipe since: do not wait on it.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return systemError(path, errno);
    OpenedFile file;
    file.fd_ = fd;
    file.path_ = path;
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return systemError(path, errno);
    if (std::string why = notRegularReason(st.st_mode); !why.empty())
        return Error{why, path};
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return systemError(path, errno);
    file.size_ = static_cast<std::uint64_t>(st.st_size);
    file.device_ = st.st_dev;
    file.inode_ = st.st_ino;
    file.mode_ = st.st_mode & 07777;
    file.owner_ = st.st_uid;
    file.group_ = st.st_gid;
    file.links_ = st.st_nlink;
    return file;
}

}  // namespace zerlant
