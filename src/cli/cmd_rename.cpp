// zerlant-cli rename: one rule over the files given, after the same checks
// as the window's Rename tool.

#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "cli/clilanguage.hpp"
#include "cli/commands.hpp"
#include "cli/fileargs.hpp"
#include "core/files/paths.hpp"
#include "core/rename/renamerun.hpp"

namespace zerlant::cli {

namespace {

constexpr const char* kAbout =
    "Renames the files by one rule.  The files are taken in the order given, as\n"
    "the rows of the working list, all checked.  Before anything is renamed the\n"
    "checks run: rows whose new names are equal, empty or unchanged, or name an\n"
    "existing file are left out (messages on stderr, exit status 1).  No file is\n"
    "ever replaced.  Searches for a text ignore letter case.\n"
    "\n"
    "Rules:\n"
    "  --rule insert --text T (--prefix | --suffix [--keep-extension] | --position N)\n"
    "  --rule delete (--from-position N | --from-delimiter D)\n"
    "                (--to-count N | --to-delimiter D | --to-end) [--keep-extension]\n"
    "  --rule remove --text T (--all | --first | --last)\n"
    "  --rule replace --text T --with U (--all | --first | --last)\n"
    "  --rule extension --new-extension E      (E without the dot)\n"
    "  --rule case (--upper | --lower | --title | --invert) [--keep-extension]\n"
    "  --rule number [--start N] [--width N] [--fill C]\n"
    "                (--prefix | --suffix [--keep-extension] | --position N)\n"
    "\n"
    "A file left out counts as one that could not be renamed.\n" ZERLANT_EXIT_STATUS_HELP;

// The help of each rule option: its value's name (empty for a flag) and text.
const std::map<std::string, std::pair<const char*, const char*>> kOptionHelp = {
    {"--text", {"T", "the text to insert, remove or replace"}},
    {"--with", {"U", "the text put in place of T"}},
    {"--position", {"N", "1 is the first character; past the end appends"}},
    {"--from-position", {"N", "delete from character N on (1 is the first)"}},
    {"--from-delimiter", {"D", "delete from the first D on"}},
    {"--to-count", {"N", "N characters deleted in all, counting the first"}},
    {"--to-delimiter", {"D", "delete up to the next D"}},
    {"--new-extension", {"E", "the new extension, without the dot"}},
    {"--start",
     {"N", "the first number (default 1); the file in place k\ngets number start + k - 1"}},
    {"--width", {"N", "digits of the number (default 1)"}},
    {"--fill", {"C", "fill character of the number (default 0)"}},
    {"--prefix", {"", "at the start of the name"}},
    {"--suffix", {"", "at the end of the name"}},
    {"--keep-extension", {"", "the rule leaves the extension (from the last\ndot) alone"}},
    {"--to-end", {"", "delete to the end of the name"}},
    {"--all", {"", "every occurrence"}},
    {"--first", {"", "the first occurrence only"}},
    {"--last", {"", "the last occurrence only"}},
    {"--upper", {"", "upper case"}},
    {"--lower", {"", "lower case"}},
    {"--title", {"", "first letter of each word in upper case"}},
    {"--invert", {"", "upper and lower case swapped"}},
};

// Options that take a value, and the rules they belong to.
const std::map<std::string, std::set<RenameRule>> kValueOptions = {
    {"--text", {RenameRule::Insert, RenameRule::Remove, RenameRule::Replace}},
    {"--with", {RenameRule::Replace}},
    {"--position", {RenameRule::Insert, RenameRule::Number}},
    {"--from-position", {RenameRule::Delete}},
    {"--from-delimiter", {RenameRule::Delete}},
    {"--to-count", {RenameRule::Delete}},
    {"--to-delimiter", {RenameRule::Delete}},
    {"--new-extension", {RenameRule::Extension}},
    {"--start", {RenameRule::Number}},
    {"--width", {RenameRule::Number}},
    {"--fill", {RenameRule::Number}},
};

const std::map<std::string, std::set<RenameRule>> kFlags = {
    {"--prefix", {RenameRule::Insert, RenameRule::Number}},
    {"--suffix", {RenameRule::Insert, RenameRule::Number}},
    {"--keep-extension",
     {RenameRule::Insert, RenameRule::Delete, RenameRule::Case, RenameRule::Number}},
    {"--to-end", {RenameRule::Delete}},
    {"--all", {RenameRule::Remove, RenameRule::Replace}},
    {"--first", {RenameRule::Remove, RenameRule::Replace}},
    {"--last", {RenameRule::Remove, RenameRule::Replace}},
    {"--upper", {RenameRule::Case}},
    {"--lower", {RenameRule::Case}},
    {"--title", {RenameRule::Case}},
    {"--invert", {RenameRule::Case}},
};

const std::map<std::string, RenameRule> kRules = {
    {"insert", RenameRule::Insert},       {"delete", RenameRule::Delete},
    {"remove", RenameRule::Remove},       {"replace", RenameRule::Replace},
    {"extension", RenameRule::Extension}, {"case", RenameRule::Case},
    {"number", RenameRule::Number},
};

struct Parsed {
    std::map<std::string, std::string> values;
    std::set<std::string> flags;
    std::vector<std::string> files;
    bool dryRun = false;
    std::optional<std::string> rule;      // --rule NAME
    std::optional<std::string> language;  // --lang NAME
    FileArguments input;
};

// The one of `names` given (flags or value options); the empty text, with a
// usage error in `error`, when none or several are given.
std::string oneOf(const Parsed& p, std::initializer_list<const char*> names, std::string& error) {
    std::string found;
    std::string list;
    for (const char* n : names) {
        list += (list.empty() ? "" : ", ") + std::string(n);
        if (p.flags.count(n) || p.values.count(n)) {
            if (!found.empty()) {
                if (error.empty())
                    error = "options " + found + " and " + n + " exclude each other";
                return {};
            }
            found = n;
        }
    }
    if (found.empty() && error.empty())
        error = "the rule needs one of " + list;
    return found;
}

std::optional<std::string> numberOption(const Parsed& p, const char* name, int min,
                                        std::string& error) {
    auto it = p.values.find(name);
    if (it == p.values.end())
        return std::nullopt;
    auto v = boxNumber(it->second);
    if (!v || *v < min) {
        error =
            std::string(name) + " needs a whole number from " + std::to_string(min) + " to 32767";
        return std::nullopt;
    }
    return it->second;
}

// Fills the options from the parsed command line; a usage error text, or empty.
std::string buildOptions(const Parsed& p, RenameRule rule, RenameOptions& o) {
    std::string error;
    o.rule = rule;
    auto value = [&](const char* n) {
        auto it = p.values.find(n);
        return it == p.values.end() ? std::string() : it->second;
    };
    auto need = [&](const char* n) {
        if (!p.values.count(n) && error.empty())
            error = "the rule needs " + std::string(n);
        return value(n);
    };
    bool keep = p.flags.count("--keep-extension") > 0;
    auto placement = [&](Placement& at, std::string& position) {
        std::string where = oneOf(p, {"--prefix", "--suffix", "--position"}, error);
        if (where == "--suffix")
            at = Placement::Suffix;
        if (where == "--prefix")
            at = Placement::Prefix;
        if (where == "--position") {
            at = Placement::Position;
            if (auto n = numberOption(p, "--position", 1, error))
                position = *n;
        }
        if (keep && where != "--suffix" && error.empty())
            error = "--keep-extension goes with --suffix here";
        return keep && where == "--suffix";
    };
    auto occurrence = [&]() {
        std::string which = oneOf(p, {"--all", "--first", "--last"}, error);
        return which == "--first"  ? Occurrence::First
               : which == "--last" ? Occurrence::Last
                                   : Occurrence::All;
    };

    switch (rule) {
        case RenameRule::Insert:
            o.insertText = need("--text");
            o.insertKeepExtension = placement(o.insertAt, o.insertPosition);
            break;
        case RenameRule::Delete: {
            std::string from = oneOf(p, {"--from-position", "--from-delimiter"}, error);
            if (from == "--from-position") {
                o.deleteFrom = DeleteFrom::Position;
                if (auto n = numberOption(p, "--from-position", 1, error))
                    o.deleteFromPosition = *n;
            } else if (from == "--from-delimiter") {
                o.deleteFrom = DeleteFrom::Delimiter;
                o.deleteFromDelimiter = value("--from-delimiter");
            }
            std::string to = oneOf(p, {"--to-count", "--to-delimiter", "--to-end"}, error);
            if (to == "--to-count") {
                o.deleteTo = DeleteTo::Count;
                if (auto n = numberOption(p, "--to-count", 1, error))
                    o.deleteToCount = *n;
            } else if (to == "--to-delimiter") {
                o.deleteTo = DeleteTo::Delimiter;
                o.deleteToDelimiter = value("--to-delimiter");
            } else if (to == "--to-end") {
                o.deleteTo = DeleteTo::End;
            }
            o.deleteKeepExtension = keep;
            if (error.empty() && ((from == "--from-delimiter" && o.deleteFromDelimiter.empty()) ||
                                  (to == "--to-delimiter" && o.deleteToDelimiter.empty())))
                error = "a delimiter cannot be empty";
            break;
        }
        case RenameRule::Remove:
            o.removeText = need("--text");
            o.removeWhich = occurrence();
            if (error.empty() && o.removeText.empty())
                error = "--text cannot be empty";
            break;
        case RenameRule::Replace:
            o.replaceText = need("--text");
            o.replaceWith = need("--with");
            o.replaceWhich = occurrence();
            if (error.empty() && o.replaceText.empty())
                error = "--text cannot be empty";
            break;
        case RenameRule::Extension:
            o.newExtension = need("--new-extension");
            break;
        case RenameRule::Case: {
            std::string how = oneOf(p, {"--upper", "--lower", "--title", "--invert"}, error);
            o.caseChange = how == "--lower"    ? CaseChange::Lower
                           : how == "--title"  ? CaseChange::Title
                           : how == "--invert" ? CaseChange::Invert
                                               : CaseChange::Upper;
            o.caseKeepExtension = keep;
            break;
        }
        case RenameRule::Number:
            if (auto n = numberOption(p, "--start", 0, error))
                o.numberStart = *n;
            if (auto n = numberOption(p, "--width", 0, error))
                o.numberWidth = *n;
            if (p.values.count("--fill"))
                o.numberFill = value("--fill");
            o.numberKeepExtension = placement(o.numberAt, o.numberPosition);
            break;
    }
    return error;
}

int runRename(Parsed& p);

}  // namespace

RunCommand addRename(CLI::App& program) {
    auto parsed = std::make_shared<Parsed>();
    Parsed* p = parsed.get();
    CLI::App& app = *program.add_subcommand("rename", "rename files by one rule, after a preview");
    app.add_flag("--dry-run", p->dryRun, "print each old name and new name; change nothing");
    std::string rules;
    for (const auto& [name, rule] : kRules) rules += (rules.empty() ? "" : ", ") + name;
    app.add_option_function<std::string>(
           "--rule", [p](const std::string& name) { p->rule = name; },
           "the rule, one of:\n" + rules)
        ->type_name("RULE");
    for (const auto& [name, help] : kOptionHelp) {
        if (kValueOptions.count(name))
            app.add_option_function<std::string>(
                   name, [p, n = name](const std::string& v) { p->values[n] = v; }, help.second)
                ->type_name(help.first);
        else
            app.add_flag_callback(
                name, [p, n = name] { p->flags.insert(n); }, help.second);
    }
    addLanguageOption(app, p->language);
    addFileArguments(app, p->input);
    app.footer(kAbout);
    return [parsed] { return runRename(*parsed); };
}

namespace {

int runRename(Parsed& p) {
    std::optional<RenameRule> rule;
    if (p.rule) {
        auto it = kRules.find(*p.rule);
        if (it == kRules.end())
            return usageError("unknown rule '" + *p.rule + "'");
        rule = it->second;
    }
    const std::optional<std::string>& lang = p.language;
    if (!rule)
        return usageError("rename needs --rule");
    for (const auto& [name, value] : p.values)
        if (!kValueOptions.at(name).count(*rule))
            return usageError(name + " does not go with this rule");
    for (const auto& name : p.flags)
        if (!kFlags.at(name).count(*rule))
            return usageError(name + " does not go with this rule");
    RenameOptions options;
    if (std::string error = buildOptions(p, *rule, options); !error.empty())
        return usageError(error);
    if (auto stop = collectFiles("rename", p.input))
        return *stop;
    p.files = p.input.files;

    MessageLookup message;
    if (auto language = loadCliLanguage(lang)) {
        message = language->message;
    } else if (lang) {
        return usageError(language.error().describe());  // a language the file lacks
    } else {
        std::fprintf(stderr, "zerlant-cli: %s\n", language.error().describe().c_str());
        message = [](int n) { return "[message " + std::to_string(n) + "]"; };
    }

    int status = 0;
    FileRows rows(1);
    for (const auto& f : p.files) {
        FileRow row{true, nombredearchivo(f, true), f, ""};
        struct stat st {};
        if (::lstat(f.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
            std::fprintf(stderr, "zerlant-cli: %s: %s\n", f.c_str(),
                         S_ISDIR(st.st_mode) ? "is a folder" : "no such file");
            row.checked = false;
            status = 1;
        }
        rows.push_back(row);
    }

    preview(options, rows);
    auto warnings = checkRenames(rows, *rule, message);
    for (const auto& w : warnings) std::fprintf(stderr, "%s\n", w.text.c_str());
    if (!warnings.empty())
        status = 1;

    if (p.dryRun) {
        for (std::size_t r = 1; r < rows.size(); ++r)
            std::printf("%s -> %s%s\n", rows[r].name.c_str(), rows[r].newName.c_str(),
                        rows[r].checked ? "" : "   (left out)");
        return status;
    }
    std::vector<std::string> oldNames;
    for (const auto& r : rows) oldNames.push_back(r.name);
    auto failures = applyRenames(rows);
    std::size_t next = 0;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        if (next < failures.size() && failures[next].row == r) {
            const auto& f = failures[next++];
            std::fprintf(stderr, "zerlant-cli: cannot rename %s to %s: %s\n", f.from.c_str(),
                         nombredearchivo(f.to, true).c_str(), f.reason.c_str());
            status = 1;
        } else if (rows[r].checked) {
            std::printf("%s -> %s\n", oldNames[r].c_str(), rows[r].name.c_str());
        }
    }
    return status;
}

}  // namespace
}  // namespace zerlant::cli
