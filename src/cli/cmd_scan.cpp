#include "cli/commands.hpp"

namespace zerlant::cli {

int runScan(const Args&) { return usageError("the scan command is not available yet"); }

}  // namespace zerlant::cli
