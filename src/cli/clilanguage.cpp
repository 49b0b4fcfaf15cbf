#include "cli/clilanguage.hpp"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/language/languagefile.hpp"
#include "core/language/messages.hpp"

namespace zerlant::cli {

namespace {

std::string envValue(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

}  // namespace

std::string languageOfEnvironment(const std::vector<std::string>& names, const std::string& lcAll,
                                  const std::string& lcMessages, const std::string& lang) {
    // The first of LC_ALL, LC_MESSAGES, LANG that is set decides, as for any
    // program's messages.
    const std::string& locale = !lcAll.empty() ? lcAll : !lcMessages.empty() ? lcMessages : lang;
    const bool spanish =
        locale.size() >= 2 && (locale[0] == 'e' || locale[0] == 'E') &&
        (locale[1] == 's' || locale[1] == 'S') &&
        (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@');
    for (const char* wanted : {spanish ? "Español" : "English", "English"})
        for (const auto& n : names)
            if (sameName(n, wanted))
                return n;
    return names.empty() ? std::string() : names.front();
}

Result<CliLanguage> loadCliLanguage(const std::optional<std::string>& requested) {
    namespace fs = std::filesystem;
    ProgramFolderInputs in;
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        in.executableFolder = exe.parent_path().string();
        // An installed program finds its data in <prefix>/share/zerlant.
        in.installedDataFolder =
            (exe.parent_path().parent_path() / "share" / "zerlant").lexically_normal().string();
    }
    in.xdgDataHome = envValue("XDG_DATA_HOME");
    in.home = envValue("HOME");

    auto folder = locateProgramFolder(in);
    const std::string path =
        folder ? *folder + "/" + std::string(kLanguageFileName) : std::string(kLanguageFileName);
    auto file = LanguageFile::load(path);
    std::vector<std::string> names;
    if (file)
        names = file->languages();
    std::string language;
    if (requested) {
        // A language asked for by name must be one that a readable file holds.
        for (const auto& n : names)
            if (sameName(n, *requested))
                language = n;
        if (language.empty() && !names.empty()) {
            std::string known;
            for (const auto& n : names) known += (known.empty() ? "" : ", ") + n;
            return Error{
                "unknown language '" + *requested + "' (" + path + " holds: " + known + ")", ""};
        }
        if (language.empty())
            language = *requested;
    } else {
        // The environment picks among the delivered languages; a file that
        // lacks the one picked is reported and the built-in texts stand in,
        // rather than another language's headings (N/D for N/A) in silence.
        language = languageOfEnvironment(deliveredLanguageFile().languages(), envValue("LC_ALL"),
                                         envValue("LC_MESSAGES"), envValue("LANG"));
    }
    // A damaged or missing file, or a language it lacks, gives way to the
    // built-in texts, with a warning.
    Messages messages = loadMessages(path, language);
    if (!folder)
        messages.warnings.insert(messages.warnings.begin(), folder.error().describe());
    for (const std::string& w : messages.warnings)
        std::fprintf(stderr, "zerlant-cli: warning: %s\n", w.c_str());
    return CliLanguage{folder ? *folder : std::string(), messages.language, messages.message};
}

}  // namespace zerlant::cli
