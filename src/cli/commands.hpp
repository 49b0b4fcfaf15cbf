#pragma once
// The subcommands of zerlant-cli.  Each command is one registration function:
// it declares its subcommand, options and help on the program's parser and
// returns the function that runs the command once the command line has been
// parsed.  That function returns the exit status: 0 done, 1 some input could
// not be read or failed, nothing was tabulated or an output could not be
// written, 2 usage error or an output refused (nothing written).

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

// The end of every command's help: the exit statuses are those of the
// program's --help, the same for every command.
#define ZERLANT_EXIT_STATUS_HELP \
    "Exit status: 0, 1 or 2, the same for every command (see 'zerlant-cli --help')."

// Prints "zerlant-cli: <message>" on stderr and returns 2.
int usageError(const std::string& message);

// Help texts share this width: option names, then their description.
constexpr int kHelpColumn = 30;

}  // namespace zerlant::cli
