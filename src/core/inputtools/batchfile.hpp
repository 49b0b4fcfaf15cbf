#pragma once
// Gaussian batch control files (.bcf): four header lines, then one line per
// job, "input , output", every line ended by CR LF.

#include <string>

#include "core/common/result.hpp"
#include "core/common/types.hpp"

namespace zerlant {

struct BcfOptions {
    std::string name;                     // file name without ".bcf"
    std::string outputExtension = "out";  // without the dot
    bool fullPaths = false;               // names with their folder
};

// The job line of one input file: "input , output".  The base is the name
// before its last dot; a name without a dot is all base and the input has no
// extension.
std::string bcfJobLine(const std::string& path, const BcfOptions& options);

// The whole file: the header and one job line per checked entry row (row 0,
// the heading, never counts), in row order.
std::string bcfText(const FileRows& rows, const BcfOptions& options);

// Writes <folder>/<name>.bcf (replacing an earlier one) and returns its
// path.  An empty name, or one holding '/', is refused.
Result<std::string> writeBcf(const FileRows& rows, const BcfOptions& options,
                             const std::string& folder);

}  // namespace zerlant
