// zerlant-cli: the tools of Zerlant for terminals and clusters.

#include <fcntl.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
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
    addExtract,   addScan, addAim,         addRename, addSubstitute, addBcf,      addThermo,
    addNormalize, addPlot, addConvergence, addSort,   addNext,       addEnsemble,
};

// The help's layout.  `--help-all` gives, after the list of commands, one
// part per command ("Command NAME:", its usage, options and closing text),
// the layout help2man turns into the manual page's sections.
class HelpFormatter : public CLI::Formatter {
  public:
    std::string make_subcommands(const CLI::App* app, CLI::AppFormatMode mode) const override {
        std::string out = CLI::Formatter::make_subcommands(app, CLI::AppFormatMode::Normal);
        if (mode != CLI::AppFormatMode::All)
            return out;
        for (const CLI::App* command : app->get_subcommands({})) {
            const std::string name = command->get_name();
            std::string usage = make_usage(command, "zerlant-cli " + name);
            usage = usage.substr(usage.find("zerlant-cli"));
            out +=
                "\nCommand " + name + ":\n  " + command->get_description() + ".\n  " + usage + "\n";
            for (const CLI::Option* option : command->get_options())
                if (option != command->get_help_ptr())
                    out += make_option(option, option->get_positional());
            out += "\n" + command->get_footer() + "\n";
        }
        return out;
    }
};

// A standard stream the shell closed (`>&-`) is opened on a device, so that
// no file the command opens takes its number: standard input on /dev/null,
// standard output and error on /dev/full, where every write fails.  True
// when standard output was closed.
bool guardStandardStreams() {
    bool outClosed = false;
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int opened =
            ::open(fd == 0 ? "/dev/null" : "/dev/full", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
        outClosed = outClosed || fd == 1;
    }
    return outClosed;
}

// The exit status once the command has run: 1 when what it wrote to standard
// output did not all arrive, with the reason on standard error.
int finishStandardOutput(int status, bool outClosed) {
    std::cout.flush();
    const bool failed = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    const int err = errno;
    if (!failed)
        return status;
    std::fprintf(stderr, "zerlant-cli: cannot write to standard output: %s\n",
                 outClosed ? "it is closed" : std::strerror(err));
    return 1;
}

}  // namespace
}  // namespace zerlant::cli

int main(int argc, char** argv) {
    using namespace zerlant::cli;
    const bool outClosed = guardStandardStreams();
    CLI::App program("The tools of Zerlant for Gaussian output files, without a display.",
                     "zerlant-cli");
    auto formatter = std::make_shared<HelpFormatter>();
    formatter->column_width(kHelpColumn);
    formatter->label("SUBCOMMAND", "COMMAND");
    program.formatter(formatter);
    program.set_help_flag("-h,--help", "show this help");
    program.set_version_flag("--version", "zerlant-cli " ZERLANT_VERSION, "show the version");
    program.require_subcommand(1);
    program.footer(
        "Run 'zerlant-cli COMMAND --help' for the options of a command.\n\n"
        "Exit status, the same for every command:\n"
        "  0  done;\n"
        "  1  some input could not be read or gave an Error or KO row, no input gave a\n"
        "     row, or an output (standard output included) could not be written\n"
        "     completely; the reason is on standard error;\n"
        "  2  usage error, or an output that would replace an input (a file given, the\n"
        "     measured spectrum, the same file under another name or link) or an\n"
        "     existing .log, .out, .sum, .gjf, .com, .chk or .fchk file; nothing is\n"
        "     written.\n"
        "A run that gives no row writes no file.");

    std::vector<std::pair<CLI::App*, RunCommand>> commands;
    for (AddCommand add : kCommands) {
        RunCommand run = add(program);
        CLI::App* command = program.get_subcommands({}).back();
        command->group("Commands");
        commands.emplace_back(command, std::move(run));
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
            return finishStandardOutput(run(), outClosed);
    return usageError("no command given");
}
