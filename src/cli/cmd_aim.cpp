#include "cli/commands.hpp"

namespace zerlant::cli {

int runAim(const Args&) { return usageError("the aim command is not available yet"); }

}  // namespace zerlant::cli
