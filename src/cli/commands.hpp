#pragma once
// The subcommands of zerlant-cli.  Each command is one registration function:
// it declares its subcommand, options and help on the program's parser and
// returns the function that runs the command once the command line has been
// parsed.  That function returns the exit status: 0 done, 1 some input could
// not be read or nothing was tabulated, 2 usage error.

#include <functional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace zerlant::cli {

using RunCommand = std::function<int()>;
using AddCommand = RunCommand (*)(CLI::App& program);

RunCommand addExtract(CLI::App& program);
RunCommand addScan(CLI::App& program);
RunCommand addAim(CLI::App& program);
RunCommand addRename(CLI::App& program);
RunCommand addSubstitute(CLI::App& program);
RunCommand addBcf(CLI::App& program);
RunCommand addThermo(CLI::App& program);
RunCommand addNormalize(CLI::App& program);
RunCommand addPlot(CLI::App& program);
RunCommand addConvergence(CLI::App& program);
RunCommand addSort(CLI::App& program);
RunCommand addNext(CLI::App& program);
RunCommand addEnsemble(CLI::App& program);

// Prints "zerlant-cli: <message>" on stderr and returns 2.
int usageError(const std::string& message);

// Help texts share this width: option names, then their description.
constexpr int kHelpColumn = 30;

}  // namespace zerlant::cli
