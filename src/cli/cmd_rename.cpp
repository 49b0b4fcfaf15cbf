// zerlant-cli rename: one rule over the files given, after the same checks
// as the window's Rename tool.

#include <sys/stat.h>

#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "cli/clilanguage.hpp"
#include "cli/commands.hpp"
#include "core/files/paths.hpp"
#include "core/rename/renamerun.hpp"

namespace zerlant::cli {

namespace {

constexpr const char* kUsage =
    "Usage: zerlant-cli rename [--dry-run] [--lang NAME] RULE-OPTIONS FILE...\n"
    "\n"
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
    "  --keep-extension  the rule leaves the extension (from the last dot) alone\n"
    "  --position N      1 is the first character; past the end appends\n"
    "  --to-count N      N characters deleted in all, counting the first\n"
    "  --start, --width, --fill  first number (1), digits (1), fill character (0);\n"
    "                    the file in place k gets number start + k - 1\n"
    "  --dry-run         print each old name and new name; change nothing\n"
    "  --lang NAME       messages in that language of idioma.lng\n";

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

}  // namespace

int runRename(const Args& input) {
    Args args = input;
    auto lang = takeLangOption(args);
    Parsed p;
    std::optional<RenameRule> rule;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (onlyFiles || a.empty() || a[0] != '-' || a == "-") {
            p.files.push_back(a);
        } else if (a == "--") {
            onlyFiles = true;
        } else if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--dry-run") {
            p.dryRun = true;
        } else if (a == "--rule") {
            if (i + 1 >= args.size())
                return usageError("--rule needs a value");
            auto it = kRules.find(args[++i]);
            if (it == kRules.end())
                return usageError("unknown rule '" + args[i] + "'");
            rule = it->second;
        } else if (kValueOptions.count(a)) {
            if (i + 1 >= args.size())
                return usageError(a + " needs a value");
            p.values[a] = args[++i];
        } else if (kFlags.count(a)) {
            p.flags.insert(a);
        } else {
            return usageError("unknown option '" + a + "'");
        }
    }
    if (!rule)
        return usageError("rename needs --rule");
    for (const auto& [name, value] : p.values)
        if (!kValueOptions.at(name).count(*rule))
            return usageError(name + " does not go with this rule");
    for (const auto& name : p.flags)
        if (!kFlags.at(name).count(*rule))
            return usageError(name + " does not go with this rule");
    if (p.files.empty())
        return usageError("no files given");

    RenameOptions options;
    if (std::string error = buildOptions(p, *rule, options); !error.empty())
        return usageError(error);

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

}  // namespace zerlant::cli
