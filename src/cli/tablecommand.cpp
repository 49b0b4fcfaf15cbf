#include "cli/tablecommand.hpp"

#include <langinfo.h>
#include <locale.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "cli/clilanguage.hpp"
#include "core/extract/extraction.hpp"
#include "core/files/paths.hpp"
#include "core/results/textexport.hpp"
#include "core/results/xlsxexport.hpp"
#include "core/text/searchtext.hpp"
#include "core/text/textutils.hpp"

namespace zerlant::cli {

const char* tableOptionsHelp() {
    return "  -o FILE                   write the table to FILE: a spreadsheet when FILE ends\n"
           "                            in .xlsx, otherwise ';'-separated text with CR LF line\n"
           "                            ends (without -o: to standard output)\n"
           "  --lang NAME               take titles and texts from language NAME of idioma.lng\n"
           "                            (default: the current language)\n"
           "  --decimal-separator C     write numbers with C as decimal separator\n"
           "                            (default: the one of your locale)\n"
           "  --help                    show this help\n"
           "\n"
           "Exit status: 0 table written, 1 some file could not be read or the table not\n"
           "written, 2 usage error.\n";
}

char localeDecimalSeparator() {
    char sep = '.';
    if (locale_t loc = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr))) {
        const char* radix = ::nl_langinfo_l(RADIXCHAR, loc);
        if (radix && std::strlen(radix) == 1)
            sep = radix[0];
        ::freelocale(loc);
    }
    return sep;
}

std::optional<int> parseTableCommand(const std::string& tool, const Args& args,
                                     TableCommand& command) {
    command.tool = tool;
    std::optional<char> separator;
    bool optionsDone = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsDone || a.size() < 2 || a[0] != '-') {
            command.files.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsDone = true;
            continue;
        }
        // Options with a value, as "--name VALUE" or "--name=VALUE".
        auto value = [&](const std::string& name) -> std::optional<std::string> {
            if (a == name) {
                if (i + 1 >= args.size())
                    return std::nullopt;
                return args[++i];
            }
            if (a.rfind(name + "=", 0) == 0)
                return a.substr(name.size() + 1);
            return std::nullopt;
        };
        auto named = [&](const std::string& name) {
            return a == name || a.rfind(name + "=", 0) == 0;
        };
        if (a == "--help" || a == "-h") {
            command.help = true;
        } else if (a == "--all") {
            command.all = true;
        } else if (named("--select")) {
            auto v = value("--select");
            if (!v)
                return usageError(tool + ": --select needs a list");
            command.select = *v;
        } else if (a == "-o" || a == "--output" || named("--output")) {
            auto v = a == "-o" ? value("-o") : value("--output");
            if (!v || v->empty())
                return usageError(tool + ": " + a + " needs a file name");
            command.output = *v;
        } else if (named("--lang")) {
            auto v = value("--lang");
            if (!v || v->empty())
                return usageError(tool + ": --lang needs a language name");
            command.language = *v;
        } else if (named("--decimal-separator")) {
            auto v = value("--decimal-separator");
            if (!v || v->size() != 1 || *v == ";" || (*v)[0] == '\r' || (*v)[0] == '\n')
                return usageError(tool + ": --decimal-separator needs one character (not ';')");
            separator = (*v)[0];
        } else {
            return usageError(tool + ": unknown option '" + a + "'");
        }
    }
    if (command.help)
        return std::nullopt;
    if (command.files.empty())
        return usageError(tool + ": no file given");
    if (command.select && command.all)
        return usageError(tool + ": give either --select or --all");
    command.decimalSeparator = separator ? *separator : localeDecimalSeparator();
    return std::nullopt;
}

std::optional<int> tickSelected(const TableCommand& command,
                                std::span<const std::string_view> names,
                                const std::function<void(std::size_t)>& tick) {
    if (!command.select)
        return std::nullopt;
    for (std::string_view name : splitText(*command.select, ",")) {
        name = trimBlanks(name);
        bool known = false;
        for (std::size_t c = 0; c < names.size(); ++c) {
            if (names[c] == name) {
                tick(c);
                known = true;
            }
        }
        if (!known)
            return usageError(command.tool + ": unknown name '" + std::string(name) +
                              "' in --select");
    }
    return std::nullopt;
}

void reportNonOutputFiles(const TableCommand& command, const FileRows& rows) {
    for (std::size_t r = 1; r < rows.size(); ++r)
        if (!isOutputFileName(rows[r].name))
            reportProblem(command, rows[r].path + ": skipped, not a .out or .log file");
}

void reportLeftOut(const TableCommand& command, int id, const char* fallback, const FileRows& rows,
                   const std::vector<std::size_t>& leftOut) {
    std::string notice = command.messages(id);
    reportProblem(command, notice.empty() ? std::string(fallback) : notice);
    for (std::size_t r : leftOut) std::fprintf(stderr, "  %s\n", rows[r].path.c_str());
}

std::optional<int> loadMessages(TableCommand& command) {
    auto language = loadCliLanguage(command.language);
    if (!language) {
        if (command.language)
            return usageError(command.tool + ": " + language.error().describe());
        reportProblem(command, "cannot read the language file: " + language.error().describe());
        return 1;
    }
    command.messages = language->message;
    command.programFolder = language->programFolder;
    return std::nullopt;
}

FileRows fileRowsOf(const std::vector<std::string>& files) {
    FileRows rows(1);
    for (const auto& f : files) rows.push_back(FileRow{true, nombredearchivo(f, true), f, {}});
    return rows;
}

namespace {

bool writeAll(std::FILE* out, const std::string& bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && std::fflush(out) == 0;
}

}  // namespace

int writeExportTable(const TableCommand& command, const Table& exportTable) {
    if (!command.output) {
        if (!writeAll(stdout, exportTextBytes(exportTable, ";", "\n"))) {
            reportProblem(command,
                          std::string("cannot write to standard output: ") + std::strerror(errno));
            return 1;
        }
        return 0;
    }
    const std::string& path = *command.output;
    if (path.size() >= 5 && foldCase(path.substr(path.size() - 5)) == ".xlsx") {
        if (Status s = writeExcelWorkbook(exportTable, path, command.decimalSeparator); !s) {
            std::string text = command.messages ? command.messages(154) : std::string();
            reportProblem(command, (text.empty() ? "cannot write the spreadsheet" : text) + " (" +
                                       s.error().describe() + ")");
            return 1;
        }
        return 0;
    }
    if (Status s = writeExportText(exportTable, ";", path); !s) {
        reportProblem(command, "cannot write " + s.error().describe());
        return 1;
    }
    return 0;
}

ProgressLine::ProgressLine()
    : terminal_(::isatty(STDERR_FILENO) == 1), start_(std::chrono::steady_clock::now()) {}

ProgressLine::~ProgressLine() {
    clear();
}

void ProgressLine::show(std::size_t done, std::size_t total, const std::string& name) {
    if (!terminal_)
        return;
    if (!shown_ && std::chrono::steady_clock::now() - start_ < std::chrono::seconds(1))
        return;
    shown_ = true;
    std::string shortName = name.size() > 50 ? "..." + name.substr(name.size() - 47) : name;
    std::fprintf(stderr, "\r\033[K[%zu/%zu] %s", done, total, shortName.c_str());
    std::fflush(stderr);
}

std::function<bool(std::size_t, const std::string&)> ProgressLine::callback(std::size_t total) {
    return [this, total](std::size_t index, const std::string& name) {
        show(index, total, name);
        return true;
    };
}

void ProgressLine::clear() {
    if (!shown_)
        return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    shown_ = false;
}

void reportProblem(const TableCommand& command, const std::string& text) {
    std::fprintf(stderr, "zerlant-cli: %s: %s\n", command.tool.c_str(), text.c_str());
}

}  // namespace zerlant::cli
