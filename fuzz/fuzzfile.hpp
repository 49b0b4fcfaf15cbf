#pragma once
// A temporary file that each fuzz input is written to, so that the readers
// run on a real file as they do for a user.

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/common/types.hpp"

namespace zerlant::fuzz {

class FuzzFile {
  public:
    // A file whose name ends in `suffix` (".log", ".sum", ...).
    explicit FuzzFile(const std::string& suffix) {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zerlant-fuzz-XXXXXX";
        name_ = "input" + suffix;
        pattern += suffix;
        fd_ = ::mkstemps(pattern.data(), static_cast<int>(suffix.size()));
        if (fd_ < 0) {
            std::perror("mkstemps");
            std::abort();
        }
        path_ = pattern;
    }
    ~FuzzFile() {
        ::close(fd_);
        ::unlink(path_.c_str());
    }

    // Replaces the file's bytes.
    void write(const std::uint8_t* data, std::size_t size) {
        if (::ftruncate(fd_, 0) != 0 ||
            (size > 0 && ::pwrite(fd_, data, size, 0) != static_cast<ssize_t>(size))) {
            std::perror("write");
            std::abort();
        }
    }

    const std::string& path() const { return path_; }

    // A working list holding this file, ticked.
    FileRows rows() const {
        FileRows rows(1);
        rows.push_back(FileRow{true, name_, path_, {}});
        return rows;
    }

  private:
    int fd_ = -1;
    std::string path_;
    std::string name_;
};

}  // namespace zerlant::fuzz
