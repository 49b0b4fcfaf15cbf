#include "cli/commands.hpp"

namespace zerlant::cli {

int runRename(const Args&) { return usageError("the rename command is not available yet"); }

}  // namespace zerlant::cli
