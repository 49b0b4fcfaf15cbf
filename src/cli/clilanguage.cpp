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
        language = file->currentLanguage();
        bool present = false;
        for (const auto& n : names) present = present || sameName(n, language);
        // A settings entry naming no section of the file: use the first language.
        if (!present && !names.empty())
            language = names.front();
    }
    return CliLanguage{*folder, language, file->lookup(language)};
}

std::optional<std::string> takeLangOption(std::vector<std::string>& args) {
    std::optional<std::string> lang;
    for (std::size_t i = 0; i < args.size();) {
        if (args[i] == "--lang" && i + 1 < args.size()) {
            lang = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i),
                       args.begin() + static_cast<long>(i) + 2);
        } else if (args[i].rfind("--lang=", 0) == 0) {
            lang = args[i].substr(7);
            args.erase(args.begin() + static_cast<long>(i));
        } else {
            ++i;
        }
    }
    return lang;
}

}  // namespace zerlant::cli
