// zerlant-cli bcf: a Gaussian batch control file for the files given.

#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/clilanguage.hpp"
#include "cli/commands.hpp"
#include "core/files/paths.hpp"
#include "core/inputtools/batchfile.hpp"

namespace zerlant::cli {

namespace {

constexpr const char* kUsage =
    "Usage: zerlant-cli bcf -o NAME.bcf [--full-paths] [--ext EXT] FILE...\n"
    "\n"
    "Writes a Gaussian batch control file: four header lines, then one line\n"
    "\"input , output\" per FILE in the order given, CR LF line ends.  The output\n"
    "name is the input name with its extension (from the last dot) replaced by\n"
    "EXT.  An existing NAME.bcf is replaced.\n"
    "\n"
    "  -o NAME.bcf    the file to write (\".bcf\" is added when missing)\n"
    "  --full-paths   write input and output names with their full folder;\n"
    "                 otherwise bare names, relative to the batch file's folder\n"
    "  --ext EXT      extension of the output files, without the dot (default out)\n";

}  // namespace

int runBcf(const Args& input) {
    Args args = input;
    takeLangOption(args);
    std::string output;
    BcfOptions options;
    std::vector<std::string> files;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (onlyFiles || a.empty() || a[0] != '-' || a == "-") {
            files.push_back(a);
        } else if (a == "--") {
            onlyFiles = true;
        } else if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--full-paths") {
            options.fullPaths = true;
        } else if (a == "-o" || a == "--output" || a == "--ext") {
            if (i + 1 >= args.size())
                return usageError(a + " needs a value");
            (a == "--ext" ? options.outputExtension : output) = args[++i];
        } else {
            return usageError("unknown option '" + a + "'");
        }
    }
    if (output.empty())
        return usageError("bcf needs -o NAME.bcf");
    if (files.empty())
        return usageError("no files given");
    if (!options.outputExtension.empty() && options.outputExtension.front() == '.')
        options.outputExtension.erase(0, 1);

    std::string folder = carpetadearchivo(output);
    options.name = nombredearchivo(output, true);
    if (options.name.size() > 4 && options.name.compare(options.name.size() - 4, 4, ".bcf") == 0)
        options.name.resize(options.name.size() - 4);
    if (options.name.empty() || options.name == ".bcf")
        return usageError("the batch file needs a name before .bcf");

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

}  // namespace zerlant::cli
