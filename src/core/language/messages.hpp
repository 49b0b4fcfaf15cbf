#pragma once
// The messages a run uses, chosen so that a damaged language file never costs
// a caption: the program carries the delivered idioma.lng in itself; a file
// that cannot be read, holds no language or lacks the chosen one gives way to
// the delivered English texts, and a message missing from the chosen language
// is taken from the delivered file.  Every such stand-in is reported.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/types.hpp"
#include "core/language/languagefile.hpp"

namespace zerlant {

// The bytes of idioma.lng as delivered with this build.
std::string_view deliveredLanguageFileBytes();
// The delivered file, decoded.
const LanguageFile& deliveredLanguageFile();
// The delivered language used when the file's own cannot be.
inline constexpr std::string_view kFallbackLanguage = "English";

struct Messages {
    std::string language;               // the language the texts are in
    MessageLookup message;              // message N; never a missing delivered text
    std::vector<std::string> warnings;  // what stood in for what, for the user
};

// The messages of `requested` (the file's current language when nullopt) from
// the language file at `path`, with the stand-ins described above (a
// requested language the delivered file has stands in for itself).
Messages loadMessages(const std::string& path,
                      const std::optional<std::string>& requested = std::nullopt);

// The messages of `language` in `file`, each missing one taken from the
// delivered file (its section of that name, else English).  `missing` gets
// the numbers the delivered file has and `file` lacks.
MessageLookup lookupWithFallback(const LanguageFile& file, std::string_view language,
                                 std::vector<std::string>* missing = nullptr);

// Brings into `user` every section and entry of `installed` that it lacks;
// the user's own entries and the settings section are left as they are.
// Gives the number of entries added.
std::size_t addMissingMessages(LanguageFile& user, const LanguageFile& installed);

}  // namespace zerlant
