#pragma once
// The subcommands of zerlant-cli.  Each takes the arguments after its name
// and returns the exit status: 0 done, 1 some file failed, 2 usage error.

#include <string>
#include <vector>

namespace zerlant::cli {

using Args = std::vector<std::string>;

int runNormalize(const Args& args);
int runExtract(const Args& args);
int runScan(const Args& args);
int runAim(const Args& args);
int runRename(const Args& args);
int runSubstitute(const Args& args);
int runBcf(const Args& args);

// Prints "zerlant-cli: <message>" on stderr and returns 2.
int usageError(const std::string& message);

}  // namespace zerlant::cli
