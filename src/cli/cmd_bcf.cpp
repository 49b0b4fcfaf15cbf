// zerlant-cli bcf: a Gaussian batch control file for the files given.

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "cli/commands.hpp"
#include "cli/fileargs.hpp"
#include "core/files/paths.hpp"
#include "core/inputtools/batchfile.hpp"

namespace zerlant::cli {

namespace {

struct BcfCommand {
    std::string output;
    BcfOptions options;
    std::optional<std::string> language;  // accepted like everywhere; nothing is looked up
    FileArguments input;
};

int runBcf(BcfCommand& command);

}  // namespace

RunCommand addBcf(CLI::App& program) {
    auto command = std::make_shared<BcfCommand>();
    CLI::App& app = *program.add_subcommand("bcf", "write a Gaussian batch control file (.bcf)");
    app.add_option("-o,--output", command->output,
                   "the file to write (\".bcf\" is added when\nmissing)")
        ->type_name("NAME.bcf");
    app.add_flag("--full-paths", command->options.fullPaths,
                 "write input and output names with their full\n"
                 "folder; otherwise bare names, relative to the\n"
                 "batch file's folder");
    app.add_option("--ext", command->options.outputExtension,
                   "extension of the output files, without the dot\n(default out)")
        ->type_name("EXT");
    addLanguageOption(app, command->language);
    addFileArguments(app, command->input);
    app.footer(
        "Writes a Gaussian batch control file: four header lines, then one line\n"
        "\"input , output\" per FILE in the order given, CR LF line ends.  The output\n"
        "name is the input name with its extension (from the last dot) replaced by\n"
        "EXT.  An existing NAME.bcf is replaced.\n\n" ZERLANT_EXIT_STATUS_HELP);
    return [command] { return runBcf(*command); };
}

namespace {

int runBcf(BcfCommand& command) {
    const std::string& output = command.output;
    BcfOptions& options = command.options;
    if (output.empty())
        return usageError("bcf needs -o NAME.bcf");
    if (auto stop = collectFiles("bcf", command.input))
        return *stop;
    const std::vector<std::string>& files = command.input.files;
    if (!options.outputExtension.empty() && options.outputExtension.front() == '.')
        options.outputExtension.erase(0, 1);

    std::string folder = carpetadearchivo(output);
    options.name = nombredearchivo(output, true);
    if (options.name.size() > 4 && options.name.compare(options.name.size() - 4, 4, ".bcf") == 0)
        options.name.resize(options.name.size() - 4);
    if (options.name.empty() || options.name == ".bcf")
        return usageError("the batch file needs a name before .bcf");

    const std::string target = folder + options.name + ".bcf";
    if (auto stop = refuseOutput("bcf", target, files))
        return *stop;

    FileRows rows(1);
    for (const auto& f : files) {
        std::string path = f;
        if (options.fullPaths) {
            std::error_code ec;
            auto abs = std::filesystem::absolute(f, ec);
            if (!ec)
                path = abs.lexically_normal().string();
        }
        rows.push_back({true, nombredearchivo(path, true), path, ""});
    }
    auto written = writeBcf(rows, options, folder);
    if (!written) {
        std::fprintf(stderr, "zerlant-cli: %s\n", written.error().describe().c_str());
        return 1;
    }
    std::printf("%s: %zu jobs\n", written->c_str(), files.size());
    return 0;
}

}  // namespace
}  // namespace zerlant::cli
