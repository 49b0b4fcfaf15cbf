#pragma once
// Job health of a Gaussian output, from its bytes as they are on disk: why a
// job failed, imaginary frequencies, spin contamination and whether the last
// optimisation converged.

#include <string>
#include <string_view>

#include "core/common/result.hpp"
#include "core/results/resulttables.hpp"  // JobHealth

namespace zerlant {

JobHealth jobHealth(std::string_view fileBytes);

// The same, read from the file at `path` line by line: the memory it takes
// does not grow with the file.
Result<JobHealth> jobHealthOfFile(const std::string& path);

// The parts on their own.
std::string failureReason(std::string_view fileBytes);

}  // namespace zerlant
