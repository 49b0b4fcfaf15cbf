#pragma once
// The language file for zerlant-cli: where it is, and the messages of the
// current language or of the one asked for with --lang.

#include <optional>
#include <string>
#include <vector>

#include "core/common/result.hpp"
#include "core/common/types.hpp"

namespace zerlant::cli {

struct CliLanguage {
    std::string programFolder;  // folder holding idioma.lng (and the export file)
    std::string language;       // the language used
    MessageLookup message;      // message N of that language
};

// Finds the program's folder (the executable's folder from /proc/self/exe,
// else the per-user data folder) and gives the messages of `requested`, or of
// the current language when none is requested.  An error text when the
// language file cannot be found or read, or the requested name is not a
// language of the file.
Result<CliLanguage> loadCliLanguage(const std::optional<std::string>& requested = std::nullopt);

// Takes "--lang NAME" or "--lang=NAME" out of args (when present) and returns NAME.
std::optional<std::string> takeLangOption(std::vector<std::string>& args);

}  // namespace zerlant::cli
