#include "cli/tablecommand.hpp"

#include <langinfo.h>
#include <locale.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
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

const char* tableExitHelp() {
    return "Files that are not for this command are named on standard error and left\n"
           "out; they alone do not fail a run that read others.\n" ZERLANT_EXIT_STATUS_HELP;
}

namespace {

// The keys of --select, wrapped to the help's width.
std::string wrappedNames(std::span<const std::string_view> names) {
    std::string text, line;
    for (std::string_view n : names) {
        if (!line.empty() && line.size() + 1 + n.size() > 46) {
            text += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + std::string(n);
    }
    return text + line;
}

}  // namespace

CLI::App& addTableCommand(CLI::App& program, TableCommand& command, const std::string& tool,
                          const std::string& summary, std::span<const std::string_view> names,
                          const std::string& selectHelp, const std::string& about) {
    command.tool = tool;
    CLI::App& app = *program.add_subcommand(tool, summary);
    app.footer(about + "\n\n" + tableExitHelp());
    app.add_option_function<std::string>(
           "--select", [&command](const std::string& list) { command.select = list; },
           "the columns to write, comma-separated:\n" + wrappedNames(names) + "\n" + selectHelp)
        ->type_name("LIST");
    app.add_flag("--all", command.all,
                 tool == "extract" ? "write every column and block but the job health"
                                   : "write every column (the default)");
    app.add_option_function<std::string>(
           "-o,--output", [&command](const std::string& file) { command.output = file; },
           "write the table to FILE: a spreadsheet when FILE\n"
           "ends in .xlsx, otherwise ';'-separated text with\n"
           "CR LF line ends (default: to standard output)")
        ->type_name("FILE")
        ->check([](const std::string& file) {
            return file.empty() ? std::string("needs a file name") : std::string();
        });
    addLanguageOption(app, command.language);
    app.add_option_function<std::string>(
           "--decimal-separator",
           [&command](const std::string& c) { command.separatorGiven = c[0]; },
           "write numbers with C as decimal separator\n(default: the one of your locale)")
        ->type_name("C")
        ->check([](const std::string& c) {
            return c.size() != 1 || c == ";" || c[0] == '\r' || c[0] == '\n'
                       ? std::string("needs one character (not ';')")
                       : std::string();
        });
    addFileArguments(app, command.input);
    return app;
}

std::optional<int> finishTableCommand(TableCommand& command) {
    if (command.select && command.all)
        return usageError(command.tool + ": give either --select or --all");
    if (auto stop = collectFiles(command.tool, command.input))
        return stop;
    command.files = command.input.files;
    if (command.output)
        if (auto stop = refuseOutput(command.tool, *command.output, command.files))
            return stop;
    command.decimalSeparator =
        command.separatorGiven ? *command.separatorGiven : localeDecimalSeparator();
    return std::nullopt;
}

int failWhenEmpty(const TableCommand& command, std::size_t rows, int status) {
    if (rows > 0)
        return status;
    if (status == 0)  // an unreadable file has been named already
        reportProblem(command, "no file gave a row");
    return 1;
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
        if (!known) {
            std::string valid;
            for (std::string_view n : names) valid += (valid.empty() ? "" : ",") + std::string(n);
            return usageError(command.tool + ": unknown name '" + std::string(name) +
                              "' in --select; the names are: " + valid);
        }
    }
    return std::nullopt;
}

void reportNonOutputFiles(const TableCommand& command, const FileRows& rows) {
    for (std::size_t r = 1; r < rows.size(); ++r)
        if (!isOutputFileName(rows[r].name))
            reportProblem(command, rows[r].path + ": skipped, not a .out or .log file");
}

void reportLeftOut(const TableCommand& command, MessageId id, const char* fallback,
                   const FileRows& rows, const std::vector<std::size_t>& leftOut) {
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

int writeExportTable(const TableCommand& command, const Table& exportTable) {
    if (!command.output) {
        // A failure is reported once, for every command, when the command ends.
        const std::string bytes = exportTextBytes(exportTable, ";", "\n");
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        return 0;
    }
    // A run that gave no row leaves no file behind (failWhenEmpty has said so).
    if (exportTable.rows() < 2)
        return 0;
    const std::string& path = *command.output;
    if (path.size() >= 5 && foldCase(path.substr(path.size() - 5)) == ".xlsx") {
        if (Status s = writeExcelWorkbook(exportTable, path, WriteRule::exportOf(command.files));
            !s) {
            std::string text =
                command.messages ? command.messages(MessageId::SheetExportFailed) : std::string();
            reportProblem(command, (text.empty() ? "cannot write the spreadsheet" : text) + " (" +
                                       s.error().describe() + ")");
            return 1;
        }
        return 0;
    }
    if (Status s = writeExportText(exportTable, ";", path, WriteRule::exportOf(command.files));
        !s) {
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
