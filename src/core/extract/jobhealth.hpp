#pragma once
// Job health of a Gaussian output, from its bytes as they are on disk: why a
// job failed, imaginary frequencies, spin contamination and whether the last
// optimisation converged.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/common/result.hpp"
#include "core/results/resulttables.hpp"  // JobHealth

namespace zerlant {

JobHealth jobHealth(std::string_view fileBytes);

namespace detail {
class HealthLines;
}

// The job health of a file fed piece by piece, in order, as its bytes are on
// disk (any piece sizes); it keeps a few hundred bytes of state and the line
// being read, whatever the size of the file.  At the end it asks for the
// bytes of the few lines that explain the last termination again.
class JobHealthReader {
  public:
    JobHealthReader();
    ~JobHealthReader();
    JobHealthReader(JobHealthReader&&) noexcept;
    JobHealthReader& operator=(JobHealthReader&&) noexcept;

    void feed(std::string_view piece);
    // The bytes of the file from `from` to `to`.
    using ByteRange = std::function<Result<std::string>(std::uint64_t from, std::uint64_t to)>;
    // Once every piece was fed.
    Result<JobHealth> finish(const ByteRange& bytes);

  private:
    void endPartialLine();

    // A line of megabytes holds nothing the health looks at: only its start is kept.
    static constexpr std::size_t kLongestLine = std::size_t(1) << 16;

    std::unique_ptr<detail::HealthLines> lines_;
    std::string partial_;              // the start of a line begun in an earlier piece
    std::uint64_t partialLength_ = 0;  // its length so far, all of it
    std::uint64_t read_ = 0;           // where the next line starts
};

// Ends `reader`, fed the whole file at `path`, reading the lines that explain
// its termination from the file again.
Result<JobHealth> finishJobHealthOfFile(JobHealthReader& reader, const std::string& path);

// The same, read from the file at `path` line by line: the memory it takes
// does not grow with the file.
Result<JobHealth> jobHealthOfFile(const std::string& path);

// The parts on their own.
std::string failureReason(std::string_view fileBytes);

}  // namespace zerlant
