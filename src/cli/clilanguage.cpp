#include "cli/clilanguage.hpp"

#include <cstdlib>
#include <filesystem>

#include "core/language/languagefile.hpp"

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
    if (!folder)
        return folder.error();
    const std::string path = *folder + "/" + std::string(kLanguageFileName);
    auto file = LanguageFile::load(path);
    if (!file)
        return file.error();

    const std::vector<std::string> names = file->languages();
    std::string language;
    if (requested) {
        for (const auto& n : names)
            if (sameName(n, *requested))
                language = n;
        if (language.empty()) {
            std::string known;
            for (const auto& n : names) known += (known.empty() ? "" : ", ") + n;
            return Error{"unknown language '" + *requested + "' (" + path +
                             " holds: " + (known.empty() ? std::string("none") : known) + ")",
                         ""};
        }
    } else {
        language = languageOfEnvironment(names, envValue("LC_ALL"), envValue("LC_MESSAGES"),
                                         envValue("LANG"));
    }
    return CliLanguage{*folder, language, file->lookup(language)};
}

}  // namespace zerlant::cli
