// Fuzz target: a language file read, looked up, merged with the delivered
// file, edited and written back.

#include <cstdint>
#include <string_view>

#include "core/language/languagefile.hpp"
#include "core/language/messages.hpp"
#include "fuzzfile.hpp"

using namespace zerlant;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzFile file(".lng");
    file.write(data, size);
    Messages messages = loadMessages(file.path());
    for (int n : {1, 131, 209}) (void)messages.message(static_cast<MessageId>(n));

    LanguageFile lf =
        LanguageFile::fromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& language : lf.languages()) {
        MessageLookup lookup = lf.lookup(language);
        (void)lookup.byNumber(1);
    }
    (void)lf.currentLanguage();
    addMissingMessages(lf, deliveredLanguageFile());
    lf.writeKey("English", "131", "N/A");
    LanguageFile again = LanguageFile::fromBytes(lf.encode());
    if (again.message("English", 131) != "N/A")
        __builtin_trap();  // an entry just written must read back
    return 0;
}
