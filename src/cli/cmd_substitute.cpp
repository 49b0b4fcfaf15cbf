#include "cli/commands.hpp"

namespace zerlant::cli {

int runSubstitute(const Args&) { return usageError("the substitute command is not available yet"); }

}  // namespace zerlant::cli
