#pragma once
// An advisory lock on the file a path names, held while a run compares a
// file with what it read and replaces it.  Two runs that rewrite the same
// file (two Substitutes, a Substitute and a Normalize) take turns: the
// second sees the first one's result and finds the file changed, instead of
// silently overwriting it.

#include <chrono>
#include <string>

#include "core/common/result.hpp"

namespace zerlant {

class FileLock {
  public:
    // Locks the file that `path` names (through links).  A rewrite by
    // rename gives the path a new file: the lock is then taken again on the
    // new one, so the holder always locks what the path names now.  Waits up
    // to `patience` for another holder, then fails with "in use by another
    // run".
    static Result<FileLock> acquire(const std::string& path,
                                    std::chrono::milliseconds patience = std::chrono::seconds(10));

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

  private:
    explicit FileLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};

}  // namespace zerlant
