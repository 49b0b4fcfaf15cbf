#pragma once
// A file read line by line in pieces, for the readers that look at every line
// of an output once and keep little of it: the memory is that of one piece
// and the longest line, whatever the size of the file.  Lines end at "\n";
// the line given includes its line end ("\n", "\r\n", or none for a last
// line without one), so that a reader can put the bytes back together as
// they are on disk.  Nothing beyond the size measured at the open is read.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/result.hpp"
#include "core/files/openfile.hpp"

namespace zerlant {

class LineReader {
  public:
    // The file is read in pieces of this size.
    static constexpr std::size_t kPieceBytes = std::size_t(1) << 20;

    // Opens the file at `path` (a regular file, see openRegularFile).
    static Result<LineReader> open(const std::string& path);

    // The next line, valid until the following call; nullopt at the end of
    // the file or after a failure to read (then error() says why).
    std::optional<std::string_view> next();
    // Where the line last given starts in the file.
    std::uint64_t offset() const { return lineOffset_; }
    std::uint64_t size() const { return file_.size(); }
    const std::optional<Error>& error() const { return error_; }
    // The bytes of the file from `from` to `to` (within its size at the open).
    Result<std::string> bytes(std::uint64_t from, std::uint64_t to) const;

  private:
    explicit LineReader(OpenedFile file) : file_(std::move(file)) {}
    bool fill();

    OpenedFile file_;
    std::string buffer_;
    std::size_t begin_ = 0;           // the first byte of buffer_ not given yet
    std::uint64_t bufferOffset_ = 0;  // where buffer_ starts in the file
    std::uint64_t readTo_ = 0;        // the bytes of the file read so far
    std::uint64_t lineOffset_ = 0;
    std::optional<Error> error_;
};

// The line without its line end ("\n" or "\r\n").
inline std::string_view withoutLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

}  // namespace zerlant
