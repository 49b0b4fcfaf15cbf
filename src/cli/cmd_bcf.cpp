#include "cli/commands.hpp"

namespace zerlant::cli {

int runBcf(const Args&) { return usageError("the bcf command is not available yet"); }

}  // namespace zerlant::cli
