#include "cli/commands.hpp"

namespace zerlant::cli {

int runExtract(const Args&) { return usageError("the extract command is not available yet"); }

}  // namespace zerlant::cli
