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
// the environment's language (languageOfEnvironment) when none is requested.  A file that
// cannot be found or read, holds no language or lacks the one chosen gives way to the built-in
// texts; each such stand-in is printed on stderr as a warning.  An error text when the requested
// name is not a language of a readable file.
Result<CliLanguage> loadCliLanguage(const std::optional<std::string>& requested = std::nullopt);

// The language of the command line without --lang: Español when the first set
// of LC_ALL, LC_MESSAGES and LANG names a Spanish locale (es, es_*), English
// otherwise; the first of `names` when the file has neither.  The language last
// chosen in the window does not count: scripts must read the same headings
// whatever a person chose there.
std::string languageOfEnvironment(const std::vector<std::string>& names, const std::string& lcAll,
                                  const std::string& lcMessages, const std::string& lang);

}  // namespace zerlant::cli
