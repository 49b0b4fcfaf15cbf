#include "core/language/messages.hpp"

#include <memory>
#include <unordered_map>

namespace zerlant {

namespace {

using EntryMap = std::unordered_map<std::string, std::string>;

// The entries of a section by key (the first of a key wins); numbers are
// their own folded form, so a lookup by std::to_string(n) finds them.
std::shared_ptr<EntryMap> entryMap(const LanguageFile& file, std::string_view section) {
    auto map = std::make_shared<EntryMap>();
    for (auto& [key, text] : file.entries(section)) map->emplace(key, text);
    return map;
}

// The delivered section standing in for `language`: its own, else English.
std::string deliveredSectionFor(std::string_view language) {
    for (const std::string& name : deliveredLanguageFile().languages())
        if (sameName(name, language))
            return name;
    return std::string(kFallbackLanguage);
}

bool hasLanguage(const LanguageFile& file, std::string_view language) {
    for (const std::string& name : file.languages())
        if (sameName(name, language))
            return true;
    return false;
}

bool isHeaderLine(const std::string& line) {
    return !line.empty() && line.front() == '[';
}

}  // namespace

const LanguageFile& deliveredLanguageFile() {
    static const LanguageFile file = LanguageFile::fromBytes(deliveredLanguageFileBytes());
    return file;
}

MessageLookup lookupWithFallback(const LanguageFile& file, std::string_view language,
                                 std::vector<std::string>* missing) {
    auto own = entryMap(file, language);
    auto stand = entryMap(deliveredLanguageFile(), deliveredSectionFor(language));
    if (missing)
        for (const auto& [key, text] :
             deliveredLanguageFile().entries(deliveredSectionFor(language)))
            if (!own->count(key))
                missing->push_back(key);
    return [own, stand](int number) -> std::string {
        const std::string key = std::to_string(number);
        if (auto it = own->find(key); it != own->end())
            return it->second;
        if (auto it = stand->find(key); it != stand->end())
            return it->second;
        return {};
    };
}

Messages loadMessages(const std::string& path, const std::optional<std::string>& requested) {
    Messages out;
    // The delivered texts: of the language asked for by name when the
    // delivered file has it, else English.
    auto builtIn = [&](std::string why) {
        out.language = requested && hasLanguage(deliveredLanguageFile(), *requested)
                           ? deliveredSectionFor(*requested)
                           : std::string(kFallbackLanguage);
        out.warnings.push_back(std::move(why) + "; the built-in " + out.language +
                               " texts are used");
        out.message = lookupWithFallback(deliveredLanguageFile(), out.language);
        return out;
    };
    auto file = LanguageFile::load(path);
    if (!file)
        return builtIn("cannot read the language file " + path + " (" + file.error().message + ")");
    if (file->languages().empty())
        return builtIn("the language file " + path + " holds no language section");
    const std::string language = requested ? *requested : file->currentLanguage();
    if (!hasLanguage(*file, language))
        return builtIn("the language file " + path + " has no language '" + language + "'");

    std::vector<std::string> missing;
    out.language = language;
    out.message = lookupWithFallback(*file, language, &missing);
    if (!missing.empty()) {
        std::string list;
        for (std::size_t i = 0; i < missing.size() && i < 5; ++i) list += " " + missing[i];
        out.warnings.push_back("language '" + language + "' of " + path + " lacks " +
                               std::to_string(missing.size()) + " message(s) (" + list.substr(1) +
                               (missing.size() > 5 ? " ..." : "") +
                               "); the built-in texts are used for them");
    }
    return out;
}

std::size_t addMissingMessages(LanguageFile& user, const LanguageFile& installed) {
    std::vector<std::string> lines = user.lines();
    std::size_t added = 0;
    for (const std::string& section : installed.languages()) {
        std::vector<std::string> newLines;
        const auto present = user.entries(section);
        for (const auto& [key, text] : installed.entries(section)) {
            bool found = false;
            for (const auto& entry : present) found = found || sameName(entry.first, key);
            if (!found)
                newLines.push_back(key + "=" + text);
        }
        if (newLines.empty())
            continue;
        added += newLines.size();
        // The first section of that name, after its last non-empty line.
        std::size_t header = lines.size();
        for (std::size_t i = 0; i < lines.size() && header == lines.size(); ++i)
            if (isHeaderLine(lines[i]) &&
                sameName(std::string_view(lines[i]).substr(1, lines[i].size() - 2), section))
                header = i;
        if (header == lines.size()) {
            lines.emplace_back();
            lines.push_back("[" + section + "]");
            lines.insert(lines.end(), newLines.begin(), newLines.end());
            continue;
        }
        std::size_t end = header + 1;
        while (end < lines.size() && !isHeaderLine(lines[end])) ++end;
        while (end > header + 1 && lines[end - 1].empty()) --end;
        lines.insert(lines.begin() + static_cast<long>(end), newLines.begin(), newLines.end());
        user.setLines(lines);  // keeps entries() in step for the next section
    }
    user.setLines(std::move(lines));
    return added;
}

}  // namespace zerlant
