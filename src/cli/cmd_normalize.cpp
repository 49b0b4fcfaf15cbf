#include "cli/commands.hpp"

namespace zerlant::cli {

int runNormalize(const Args&) { return usageError("the normalize command is not available yet"); }

}  // namespace zerlant::cli
