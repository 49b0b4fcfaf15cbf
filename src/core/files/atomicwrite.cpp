#include "core/files/atomicwrite.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

#include "core/files/paths.hpp"

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace zerlant {

namespace {

constexpr std::size_t kCopyChunk = 4u << 20;

Error systemError(const std::string& path, int err) {
    return Error{std::strerror(err), path};
}

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

// Copies the first `length` bytes of `from` to the start of `to`.
bool copyBytes(int from, int to, std::uint64_t length) {
    std::string buffer(static_cast<std::size_t>(std::min<std::uint64_t>(kCopyChunk, length)), '\0');
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

std::string folderOf(const std::string& path) {
    const std::string folder = carpetadearchivo(path);
    return folder.empty() ? std::string("./") : folder;
}

// The prefix of the named temporary files of `path`: ".NAME.tmp"; the
// writing process's id and a random number follow.
std::string tempPrefix(const std::string& path) {
    return "." + nombredearchivo(path, true) + ".tmp";
}

// Removes the named temporary files of `path` that a writer killed before it
// could finish left behind: those whose process is gone.
void removeLeftovers(const std::string& path) {
    const std::string folder = folderOf(path);
    const std::string prefix = tempPrefix(path);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name = e->d_name;
        if (!name.starts_with(prefix))
            continue;
        const std::string_view rest = name.substr(prefix.size());
        const auto dot = rest.find('.');
        if (dot == std::string_view::npos || dot == 0)
            continue;
        const std::string pidText(rest.substr(0, dot));
        if (pidText.find_first_not_of("0123456789") != std::string::npos || pidText.size() > 9)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(pidText));
        if (pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(dir), e->d_name, 0);
    }
    ::closedir(dir);
}

// A fresh name for a temporary file of `path`.
std::string tempName(const std::string& path) {
    static thread_local std::mt19937 random{std::random_device{}()};
    return folderOf(path) + tempPrefix(path) + std::to_string(::getpid()) + "." +
           std::to_string(random() % 1000000000u);
}

bool sameEntry(const std::string& a, const std::string& b) {
    struct stat x {
    }, y{};
    return ::lstat(a.c_str(), &x) == 0 && ::lstat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev &&
           x.st_ino == y.st_ino;
}

// True when something is there, or when it cannot be told (a folder that may
// not be searched): a rename into the unknown is left out.
bool targetTaken(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0)
        return true;
    return errno != ENOENT && errno != ENOTDIR;
}

// One rename that refuses to replace; 0 or the errno.
int renameOnce(const std::string& from, const std::string& to) {
    if (::syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) ==
        0)
        return 0;
    int err = errno;
    if (err != EINVAL && err != ENOSYS && err != EOPNOTSUPP)
        return err;

    // The file system does not take the flag: a hard link cannot replace
    // anything either.
    if (::link(from.c_str(), to.c_str()) == 0) {
        if (::unlink(from.c_str()) == 0)
            return 0;
        err = errno;
        ::unlink(to.c_str());
        return err;
    }
    err = errno;
    if (err != EPERM && err != EOPNOTSUPP && err != ENOSYS)
        return err;

    // Neither (file systems without links): look first, then rename.
    if (targetTaken(to))
        return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace

// ---- AtomicFile ------------------------------------------------------------

AtomicFile::~AtomicFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!temp_.empty())
        ::unlink(temp_.c_str());
}

Status AtomicFile::open(const std::string& path, int mode) {
    path_ = path;
    mode_ = mode;
    const std::string folder = folderOf(path);
    // Unnamed first: nothing of it outlives the process until it is linked.
    int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd >= 0) {
        // It is named later through /proc; without /proc it cannot be.
        if (::access(("/proc/self/fd/" + std::to_string(fd)).c_str(), F_OK) == 0) {
            fd_ = fd;
            unnamed_ = true;
            return success();
        }
        ::close(fd);
    }
    removeLeftovers(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = tempName(path);
        fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            fd_ = fd;
            temp_ = std::move(name);
            return success();
        }
        if (errno != EEXIST)
            return systemError(path, errno);
    }
    return systemError(path, EEXIST);
}

Status AtomicFile::write(const char* data, std::size_t n) {
    if (!writeAll(fd_, data, n))
        return systemError(path_, errno);
    return success();
}

std::string AtomicFile::tempPath() const {
    return unnamed_ ? "/proc/self/fd/" + std::to_string(fd_) : temp_;
}

void AtomicFile::takeOwnerOf(uid_t uid, gid_t gid) {
    if (::fchown(fd_, uid, gid) != 0)
        (void)::fchown(fd_, static_cast<uid_t>(-1), gid);
}

int AtomicFile::nameIt(const std::string& name) {
    const std::string proc = "/proc/self/fd/" + std::to_string(fd_);
    if (!name.empty())
        return ::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0
                   ? 0
                   : errno;
    removeLeftovers(path_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = tempName(path_);
        if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temp_ = std::move(candidate);
            unnamed_ = false;
            return 0;
        }
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

Status AtomicFile::commit() {
    struct stat old {};
    const bool replacing = ::stat(path_.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    if (replacing) {
        if (mode_ < 0)
            mode_ = static_cast<int>(old.st_mode & 07777);
        bool sameOwner = ::fchown(fd_, old.st_uid, old.st_gid) == 0;
        if (!sameOwner) {
            struct stat mine {};
            sameOwner =
                ::fstat(fd_, &mine) == 0 && mine.st_uid == old.st_uid && mine.st_gid == old.st_gid;
        }
        if (old.st_nlink > 1 || !sameOwner)
            return commitInPlace(old.st_dev, old.st_ino);
    }
    if (Status s = finishTemp(); !s)
        return s;
    if (unnamed_ && !replacing) {
        // A new file: the link itself gives it its name, and fails rather
        // than replace a file that appeared meanwhile.
        const int err = nameIt(path_);
        if (err == 0) {
            unnamed_ = false;
            return success();
        }
        if (err != EEXIST)
            return systemError(path_, err);
    }
    if (unnamed_)
        if (int err = nameIt({}); err != 0)
            return systemError(path_, err);
    if (::rename(temp_.c_str(), path_.c_str()) != 0)
        return systemError(path_, errno);
    temp_.clear();
    return success();
}

Status AtomicFile::commitAsNew(const std::vector<std::string>& names, std::string& taken) {
    if (Status s = finishTemp(); !s)
        return s;
    for (const std::string& name : names) {
        const int err = unnamed_ ? nameIt(name) : renameOnce(temp_, name);
        if (err == 0) {
            unnamed_ = false;
            temp_.clear();
            taken = name;
            return success();
        }
        if (err != EEXIST)
            return systemError(name, err);
    }
    return Error{"every name for the backup copy is taken", path_};
}

Status AtomicFile::finishTemp() {
    if (mode_ >= 0 && ::fchmod(fd_, static_cast<mode_t>(mode_)) != 0)
        return systemError(path_, errno);
    if (::fsync(fd_) != 0)
        return systemError(path_, errno);
    return success();
}

// The new text is complete on disk in the temporary file: copy it over the
// file's own bytes, so that every name of the file sees it and its owner,
// group and mode stay as they are.
Status AtomicFile::commitInPlace(std::uint64_t dev, std::uint64_t ino) {
    struct stat mine {};
    if (::fsync(fd_) != 0 || ::fstat(fd_, &mine) != 0)
        return systemError(path_, errno);
    const auto size = static_cast<std::uint64_t>(mine.st_size);
    const int target = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (target < 0)
        return systemError(path_, errno);
    struct stat now {};
    auto fail = [&](Error e) -> Status {
        ::close(target);
        return e;
    };
    if (::fstat(target, &now) != 0)
        return fail(systemError(path_, errno));
    if (static_cast<std::uint64_t>(now.st_dev) != dev ||
        static_cast<std::uint64_t>(now.st_ino) != ino)
        return fail(Error{"the file was replaced while it was being rewritten", path_});
    // Room first, so that a full disk stops the rewrite before it starts.
    if (size > static_cast<std::uint64_t>(now.st_size) &&
        ::fallocate(target, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS)
        return fail(systemError(path_, errno));
    if (!copyBytes(fd_, target, size) || ::ftruncate(target, static_cast<off_t>(size)) != 0 ||
        ::fsync(target) != 0) {
        const int err = errno;
        // The file is half rewritten: keep the complete new text under a name.
        if (unnamed_)
            (void)nameIt({});
        std::string kept = temp_;
        temp_.clear();
        return fail(Error{std::string(std::strerror(err)) +
                              "; the file was rewritten only in part, its new text is in " + kept,
                          path_});
    }
    if (::close(target) != 0)
        return systemError(path_, errno);
    return success();
}

// ---- the writers ------------------------------------------------------------

Status writeFileAtomicallyWith(const std::string& path,
                               const std::function<Status(const std::string&)>& fill,
                               const WriteRule& rule) {
    if (rule.isExport)
        if (auto refused = refusedOutput(path, rule.inputs))
            return *refused;
    AtomicFile file;
    if (Status s = file.open(linkTarget(path)); !s)
        return Error{s.error().message, path};
    if (Status s = fill(file.tempPath()); !s)
        return s;
    if (Status s = file.commit(); !s)
        return Error{s.error().message, path};
    return success();
}

Status openAtomically(AtomicFile& file, const std::string& path, const WriteRule& rule) {
    if (rule.isExport)
        if (auto refused = refusedOutput(path, rule.inputs))
            return *refused;
    if (Status s = file.open(linkTarget(path)); !s)
        return Error{s.error().message, path};
    return success();
}

Status writeFileAtomically(const std::string& path, std::string_view bytes, const WriteRule& rule) {
    AtomicFile file;
    if (Status s = openAtomically(file, path, rule); !s)
        return s;
    if (Status s = file.write(bytes); !s)
        return Error{s.error().message, path};
    if (Status s = file.commit(); !s)
        return Error{s.error().message, path};
    return success();
}

Status renameNoReplace(const std::string& from, const std::string& to) {
    int err = renameOnce(from, to);
    if (err == EEXIST && sameEntry(from, to)) {
        // The target is the source itself under another spelling: move it
        // aside and back under the new name.
        const std::string folder = carpetadearchivo(to);
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string aside = folder + ".zerlant-rename-" + std::to_string(::getpid()) + "-" +
                                std::to_string(attempt);
            int moved = renameOnce(from, aside);
            if (moved == EEXIST)
                continue;
            if (moved != 0) {
                err = moved;
                break;
            }
            err = renameOnce(aside, to);
            if (err != 0)
                renameOnce(aside, from);
            break;
        }
    }
    if (err != 0)
        return Error{std::strerror(err), from};
    return success();
}

}  // namespace zerlant
