#include "core/files/linereader.hpp"

#include <cerrno>
#include <cstring>

namespace zerlant {

Result<LineReader> LineReader::open(const std::string& path) {
    Result<OpenedFile> file = openRegularFile(path);
    if (!file)
        return file.error();
    return LineReader(std::move(*file));
}

// Keeps the unfinished line at the front of the buffer and reads the next
// piece after it; false at the end of the file or on a failure.
bool LineReader::fill() {
    if (readTo_ >= file_.size())
        return false;
    buffer_.erase(0, begin_);
    bufferOffset_ += begin_;
    begin_ = 0;
    const std::size_t kept = buffer_.size();
    const auto want =
        static_cast<std::size_t>(std::min<std::uint64_t>(kPieceBytes, file_.size() - readTo_));
    buffer_.resize(kept + want);
    const long long got = file_.readAt(buffer_.data() + kept, want, readTo_);
    if (got <= 0) {
        buffer_.resize(kept);
        error_ = Error{got < 0 ? std::strerror(errno) : "the file changed while it was being read",
                       file_.path()};
        return false;
    }
    buffer_.resize(kept + static_cast<std::size_t>(got));
    readTo_ += static_cast<std::uint64_t>(got);
    return true;
}

std::optional<std::string_view> LineReader::next() {
    for (std::size_t searched = begin_;;) {
        const char* start = buffer_.data() + searched;
        const void* end = std::memchr(start, '\n', buffer_.size() - searched);
        if (end) {
            const std::size_t stop =
                static_cast<std::size_t>(static_cast<const char*>(end) - buffer_.data()) + 1;
            const std::string_view line(buffer_.data() + begin_, stop - begin_);
            lineOffset_ = bufferOffset_ + begin_;
            begin_ = stop;
            return line;
        }
        const std::size_t unfinished = buffer_.size() - begin_;
        if (!fill()) {
            if (error_ || unfinished == 0)
                return std::nullopt;
            // The last line, without a line end.
            const std::string_view line(buffer_.data() + begin_, unfinished);
            lineOffset_ = bufferOffset_ + begin_;
            begin_ = buffer_.size();
            return line;
        }
        searched = unfinished;  // fill() moved the unfinished line to the front
    }
}

Result<std::string> LineReader::bytes(std::uint64_t from, std::uint64_t to) const {
    to = std::min(to, file_.size());
    std::string out(from < to ? static_cast<std::size_t>(to - from) : 0, '\0');
    for (std::size_t done = 0; done < out.size();) {
        const long long got = file_.readAt(out.data() + done, out.size() - done, from + done);
        if (got <= 0)
            return Error{
                got < 0 ? std::strerror(errno) : "the file changed while it was being read",
                file_.path()};
        done += static_cast<std::size_t>(got);
    }
    return out;
}

}  // namespace zerlant
