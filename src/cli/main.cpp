// zerlant-cli: the tools of Zerlant for terminals and clusters.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.hpp"

namespace zerlant::cli {

int usageError(const std::string& message) {
    std::fprintf(stderr, "zerlant-cli: %s (try 'zerlant-cli --help')\n", message.c_str());
    return 2;
}

namespace {

// Every command, in the order --help lists them.
constexpr AddCommand kCommands[] = {
    addExtract, addScan, addAim, addRename, addSubstitute, addBcf, addNormalize,
};

}  // namespace
}  // namespace zerlant::cli

int main(int argc, char** argv) {
    using namespace zerlant::cli;
    CLI::App program("The tools of Zerlant for Gaussian output files, without a display.",
                     "zerlant-cli");
    program.get_formatter()->column_width(kHelpColumn);
    program.set_help_flag("-h,--help", "show this help");
    program.set_version_flag("--version", "zerlant-cli " ZERLANT_VERSION, "show the version");
    program.require_subcommand(1);
    program.footer(
        "Run 'zerlant-cli COMMAND --help' for the options of a command.\n\n"
        "Exit status: 0 done, 1 some input could not be read or written, or no input\n"
        "gave a row, 2 usage error.");

    std::vector<std::pair<CLI::App*, RunCommand>> commands;
    for (AddCommand add : kCommands) {
        RunCommand run = add(program);
        commands.emplace_back(program.get_subcommands({}).back(), std::move(run));
    }

    // After the commands, so that only the program itself offers it.
    program.set_help_all_flag("--help-all", "show this help and that of every command");

    // A first word that names no command: say so, rather than that one is missing.
    if (argc > 1 && argv[1][0] != '-' &&
        std::none_of(commands.begin(), commands.end(),
                     [&](const auto& c) { return c.first->check_name(argv[1]); }))
        return usageError("unknown command '" + std::string(argv[1]) + "'");

    try {
        program.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return program.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return program.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return program.exit(e);
    } catch (const CLI::ParseError& e) {
        std::string message = e.what();
        if (CLI::App* used =
                program.get_subcommands().empty() ? nullptr : program.get_subcommands().front())
            message = used->get_name() + ": " + message;
        return usageError(message);
    }
    for (auto& [app, run] : commands)
        if (app->parsed())
            return run();
    return usageError("no command given");
}
