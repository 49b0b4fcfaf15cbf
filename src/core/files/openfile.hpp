#pragma once
// Opening a file for reading without surprises: links are followed, and
// anything that is not a regular file (a named pipe, a device, a folder, a
// socket) is refused before it is read and without waiting on it.  The open
// file remembers its size at the open; readings never go beyond it, so a file
// that grows meanwhile (or a link to an endless device) cannot eat memory.

#include <sys/types.h>

#include <cstdint>
#include <exception>
#include <string>

#include "core/common/result.hpp"

namespace zerlant {

class OpenedFile {
  public:
    OpenedFile() = default;
    OpenedFile(OpenedFile&& other) noexcept;
    OpenedFile& operator=(OpenedFile&& other) noexcept;
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    ~OpenedFile();

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    // The size in bytes at the open.
    std::uint64_t size() const { return size_; }
    dev_t device() const { return device_; }
    ino_t inode() const { return inode_; }
    mode_t mode() const { return mode_; }  // permission bits only
    uid_t owner() const { return owner_; }
    gid_t group() const { return group_; }
    nlink_t links() const { return links_; }

    // Up to n bytes at offset, never past size(); fewer only when the file
    // has shrunk.  -1 and errno on failure.
    long long readAt(char* buffer, std::size_t n, std::uint64_t offset) const;
    // The first size() bytes; an error when the file has shrunk meanwhile or
    // the memory for them cannot be had.
    Result<std::string> readAll() const;
    // The last `count` bytes of the first size() (all of a smaller file).
    Result<std::string> readTail(std::uint64_t count) const;

  private:
    friend Result<OpenedFile> openRegularFile(const std::string& path);
    int fd_ = -1;
    std::string path_;
    std::uint64_t size_ = 0;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    mode_t mode_ = 0;
    uid_t owner_ = 0;
    gid_t group_ = 0;
    nlink_t links_ = 0;
};

// Opens `path` for reading.  Symbolic links are followed; the file they lead
// to must be a regular file, else the error says what it is ("a named pipe,
// not a regular file").  Never blocks on a pipe or device: the kind is checked
// before the open, the open does not wait, and the kind is checked again on
// the open descriptor.
Result<OpenedFile> openRegularFile(const std::string& path);

// What a reading that stopped on an exception tells the user: "not enough
// memory to read the file" for a failed allocation, else the exception's text.
std::string failureReason(const std::exception& e);

// Why a file of this kind (st_mode) cannot be read; empty for a regular file.
std::string notRegularReason(mode_t mode);

}  // namespace zerlant
