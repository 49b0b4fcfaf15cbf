#pragma once
// Helpers shared by the tests: the real data folder, temporary folders, and
// running zerlant-cli as a user would.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/files/filetext.hpp"
#include "core/text/searchtext.hpp"

namespace zerlant::testing {

// The folder of real Gaussian/AIM outputs, or empty when it is not there.
inline std::filesystem::path dataDir() {
    const char* env = std::getenv("ZERLANT_DATA");
    std::filesystem::path p = env && *env ? env : ZERLANT_SHARED_DATA;
    return std::filesystem::is_directory(p) ? p : std::filesystem::path();
}

// Path of one data file; skips the calling test when the data is absent.
#define ZERLANT_DATA_FILE(var, name)                                 \
    std::filesystem::path var = ::zerlant::testing::dataDir();       \
    if (var.empty())                                                 \
        GTEST_SKIP() << "real data folder ../shared/data is absent"; \
    var /= (name);                                                   \
    if (!std::filesystem::exists(var))                               \
    GTEST_SKIP() << "missing data file " << (name)

// A fresh temporary folder removed at the end of the test.
class TempDir {
  public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("zerlant-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return file(name);
    }

  private:
    std::filesystem::path path_;
};

// A message lookup that names each message by its number ("m131"), so a test
// sees which message a cell or warning holds.
inline std::string numberedMessage(int n) {
    return "m" + std::to_string(n);
}

// The names of the entries of a folder.
inline std::set<std::string> filesIn(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.insert(e.path().filename().string());
    return names;
}
inline std::set<std::string> filesIn(const TempDir& dir) {
    return filesIn(dir.path());
}

inline std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A real data file read normalised, as the tools read it; empty (and a failed
// check) when it cannot be read.
inline FoldedText readDataText(const std::filesystem::path& path) {
    auto text = readNormalised(path.string());
    EXPECT_TRUE(text.ok()) << path;
    return text.ok() ? std::move(*text) : FoldedText();
}

// Runs `write` under a file size limit of `bytes`, as on a disk that fills up
// half-way through a write (the limit holds for root too), and returns what
// it returns.
template <class Write>
auto withFileSizeLimit(rlim_t bytes, Write write) {
    rlimit old{};
    const bool limited = ::getrlimit(RLIMIT_FSIZE, &old) == 0;
    EXPECT_TRUE(limited);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = bytes;
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    auto result = write();
    if (limited)
        ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    return result;
}

// The standard output of a shell command, and its wait status (-1 when it
// could not be started).
inline std::string shellOutput(const std::string& command, int* status = nullptr) {
    std::string out;
    FILE* p = ::popen(command.c_str(), "r");
    if (p) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    }
    const int raw = p ? ::pclose(p) : -1;
    if (status)
        *status = raw;
    return out;
}

inline bool haveUnzip() {
    return std::system("unzip -v >/dev/null 2>&1") == 0;
}

// One part of a zip file (a workbook), through the unzip program; empty when
// it cannot be read.
inline std::string zipPart(const std::string& zip, const std::string& part) {
    return shellOutput("unzip -p '" + zip + "' '" + part + "' 2>/dev/null");
}

// The cells of one line of separated text, quotes ("a ""b""") taken off.
inline std::vector<std::string> cellsOf(const std::string& line, char separator = ',') {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (quoted && line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"')
            out.back() += line[i++];
        else if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == separator && !quoted)
            out.emplace_back();
        else
            out.back() += line[i];
    }
    return out;
}

// `text` with every LF made CR LF.
inline std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? "\r\n" : std::string(1, c);
    return out;
}

// The lines of `text`, each ended by `end` (a last unended piece is dropped).
inline std::vector<std::string> linesOf(const std::string& text, const std::string& end = "\n") {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(end, from)) != std::string::npos; from = at + end.size())
        lines.push_back(text.substr(from, at - from));
    return lines;
}

#ifdef ZERLANT_BIN_DIR
struct CliRun {
    int status = -1;  // -1: ended by a signal
    std::string out;
    std::string err;
};

// Runs zerlant-cli with `arguments` (a shell fragment) inside `dir`.
inline CliRun runCli(const TempDir& dir, const std::string& arguments) {
    const std::string errFile = dir.file(".cli-stderr");
    const std::string command = "cd '" + dir.path().string() +
                                "' && '" ZERLANT_BIN_DIR "/zerlant-cli' " + arguments + " 2>'" +
                                errFile + "'";
    CliRun r;
    int raw = -1;
    r.out = shellOutput(command, &raw);
    r.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.err = readAll(errFile);
    std::filesystem::remove(errFile);
    return r;
}

// A sample file of the project's examples folder, quoted for the shell.
inline std::string example(const std::string& name) {
    return "'" ZERLANT_SOURCE_DIR "/examples/" + name + "'";
}
#endif

// The rows of a reviewed table of cases under tests/: tab-separated fields,
// lines starting with '#' and blank lines left out.  In a field, \t, \r, \n
// and \xNN stand for a tab, a carriage return, a line feed and any byte;
// "<empty>" for nothing.
inline std::vector<std::vector<std::string>> caseRows(const std::string& relativePath) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(
        readAll(std::filesystem::path(ZERLANT_SOURCE_DIR) / "tests" / relativePath));
    auto unescape = [](const std::string& f) {
        if (f == "<empty>")
            return std::string();
        std::string out;
        for (std::size_t i = 0; i < f.size(); ++i) {
            if (f[i] != '\\' || i + 1 == f.size()) {
                out += f[i];
            } else if (f[i + 1] == 'x' && i + 3 < f.size()) {
                out += static_cast<char>(std::stoi(f.substr(i + 2, 2), nullptr, 16));
                i += 3;
            } else {
                out += f[i + 1] == 't'   ? '\t'
                       : f[i + 1] == 'n' ? '\n'
                       : f[i + 1] == 'r' ? '\r'
                                         : f[i + 1];
                ++i;
            }
        }
        return out;
    };
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(unescape(line.substr(start, tab - start)));
        fields.push_back(unescape(line.substr(start)));
        rows.push_back(std::move(fields));
    }
    return rows;
}

// The rows of a reviewed table of cases whose first row names its columns:
// each row as a map from column name to field, so a test asks for a quantity
// by its name.  A row shorter than the header is an error of the table.
struct CaseRecord {
    std::string source;  // "FILE line N", for failure messages
    std::map<std::string, std::string> fields;
    const std::string& operator[](const std::string& name) const {
        auto it = fields.find(name);
        if (it == fields.end())
            throw std::out_of_range(source + ": no column " + name);
        return it->second;
    }
};
inline std::vector<CaseRecord> caseRecords(const std::string& relativePath) {
    const auto rows = caseRows(relativePath);
    std::vector<CaseRecord> records;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        CaseRecord record{relativePath + " row " + std::to_string(r), {}};
        EXPECT_EQ(rows[r].size(), rows[0].size()) << record.source;
        for (std::size_t c = 0; c < rows[0].size() && c < rows[r].size(); ++c)
            record.fields[rows[0][c]] = rows[r][c];
        records.push_back(std::move(record));
    }
    EXPECT_FALSE(records.empty()) << relativePath;
    return records;
}

}  // namespace zerlant::testing
