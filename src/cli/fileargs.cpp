#include "cli/fileargs.hpp"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/commands.hpp"
#include "core/files/filetext.hpp"
#include "core/files/paths.hpp"

namespace zerlant::cli {

void addFileArguments(CLI::App& command, FileArguments& files) {
    command.add_option("FILE", files.files, "the files, in the order given")->type_name("");
    command
        .add_option_function<std::string>(
            "--files-from", [&files](const std::string& list) { files.filesFrom = list; },
            "also read the files listed in LIST, one per line,\n"
            "after those given as arguments ('-': read the\n"
            "list from standard input)")
        ->type_name("LIST");
    command.add_flag("--null", files.nul,
                     "the --files-from list is separated by NUL\n"
                     "characters (as 'find -print0' writes it)");
}

void addLanguageOption(CLI::App& command, std::optional<std::string>& language) {
    command
        .add_option_function<std::string>(
            "--lang", [&language](const std::string& name) { language = name; },
            "titles and messages in language NAME of\n"
            "idioma.lng (default: from LC_ALL, LC_MESSAGES or\n"
            "LANG: es_* gives Español, any other English;\n"
            "never the language last chosen in the window)")
        ->type_name("NAME");
}

std::vector<std::string> splitFileList(std::string_view bytes, bool nul) {
    std::vector<std::string> paths;
    const char separator = nul ? '\0' : '\n';
    while (!bytes.empty()) {
        std::size_t end = bytes.find(separator);
        std::string_view entry = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (!nul && !entry.empty() && entry.back() == '\r')
            entry.remove_suffix(1);
        if (!entry.empty())
            paths.emplace_back(entry);
    }
    return paths;
}

std::optional<std::string> readFileList(FileArguments& files) {
    if (!files.filesFrom)
        return std::nullopt;
    std::string bytes;
    if (*files.filesFrom == "-") {
        char buffer[65536];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) bytes.append(buffer, n);
        if (std::ferror(stdin))
            return std::string("cannot read the file list from standard input: ") +
                   std::strerror(errno);
    } else {
        auto read = readFileBytes(*files.filesFrom);
        if (!read)
            return "cannot read the file list " + read.error().describe();
        bytes = std::move(*read);
    }
    for (auto& path : splitFileList(bytes, files.nul)) files.files.push_back(std::move(path));
    return std::nullopt;
}

std::optional<int> collectFiles(const std::string& tool, FileArguments& files) {
    if (files.nul && !files.filesFrom)
        return usageError(tool + ": --null goes with --files-from");
    if (files.files.empty() && !files.filesFrom)
        return usageError(tool + ": no file given");
    std::optional<std::string> problem = readFileList(files);
    if (!problem && files.files.empty())
        problem = "the file list names no file";
    if (!problem)
        return std::nullopt;
    std::fprintf(stderr, "zerlant-cli: %s: %s\n", tool.c_str(), problem->c_str());
    return 1;
}

std::optional<int> refuseOutput(const std::string& tool, const std::string& output,
                                const std::vector<std::string>& inputs) {
    const auto refused = refusedOutput(output, inputs);
    if (!refused)
        return std::nullopt;
    std::fprintf(stderr, "zerlant-cli: %s: %s\n", tool.c_str(), refused->describe().c_str());
    return 2;
}

}  // namespace zerlant::cli
