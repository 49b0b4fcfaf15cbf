#pragma once
// What every command that takes files shares: the files named on the command
// line, a list of files read from a file or standard input (--files-from,
// --null), and the language of the messages (--lang).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
}

namespace zerlant::cli {

struct FileArguments {
    std::vector<std::string> files;        // FILE..., then the list's paths
    std::optional<std::string> filesFrom;  // --files-from LIST ("-": standard input)
    bool nul = false;                      // --null: the list is NUL-separated
};

// Declares FILE..., --files-from LIST and --null on `command`.
void addFileArguments(CLI::App& command, FileArguments& files);

// Declares --lang NAME on `command`.
void addLanguageOption(CLI::App& command, std::optional<std::string>& language);

// The paths of a file list: one per line (a CR before the LF is dropped) or,
// with `nul`, NUL-separated; empty entries are skipped.
std::vector<std::string> splitFileList(std::string_view bytes, bool nul);

// Appends the paths of the --files-from list to files.files.  Returns an error
// text when the list cannot be read.
std::optional<std::string> readFileList(FileArguments& files);

// Reads the --files-from list after parsing.  Returns the exit status when the
// command `tool` must stop: 2 when no file is named and there is no list, 1
// (after a message) when the list cannot be read or names no file.
std::optional<int> collectFiles(const std::string& tool, FileArguments& files);

// The rule for every output path: returns 2 after naming the reason on stderr
// when `output` may not be written for a run over `inputs` (see
// refusedOutput), nullopt when it may.
std::optional<int> refuseOutput(const std::string& tool, const std::string& output,
                                const std::vector<std::string>& inputs);

}  // namespace zerlant::cli
