// The Scan run over every case of scanrun_cases.json: the files of the list
// (real outputs, or outputs written from a route and summary lines), the
// ScanTable expected cell by cell, the records of the jobs by quantity, and
// the files left out.

#include "core/scan/scanrun.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "core/common/expectedtable.hpp"
#include "testsupport.hpp"

namespace zerlant {
namespace {

using nlohmann::json;
using ::zerlant::testing::readAll;

std::string caption(int n) {
    static const std::map<int, std::string> texts = {
        {58, "File"},    {69, "Formula"},   {70, "Method"}, {71, "Basis"},
        {162, "Charge"}, {160, "CPU time"}, {72, "Status"}};
    return texts.count(n) ? texts.at(n) : "?";
}

// A normally terminated output with the route, summary lines, molecule line
// and CPU time of a case's file (LF line ends, "\" in the archive as
// Gaussian writes it).
std::string scanLog(const json& f) {
    const std::string route = f["route"];
    std::string s = " Entering Gaussian System\n #P " + route + "\n";
    s += " Summary of the potential surface scan:\n";
    for (const auto& line : f["summary"]) s += line.get<std::string>() + "\n";
    s += " 1\\1\\GINC-HOST\\Scan\\RHF\\STO-3G\\H2\\ME\\06-Dec-2026\\0\\\\#P " + route +
         "\\\\title\\\\" + f.value("molecule", "0,1") +
         "\\H\\H,1,R\\\\R=0.7,s,2,0.1\\\\Version=x\\HF=-1.1\\\\@\n";
    s +=
        " Job cpu time:       " + f.value("cpu", "0 days  0 hours  0 minutes  2.5 seconds.") + "\n";
    return s + " Normal termination of Gaussian 16\n";
}

std::vector<std::string> namesOf(const std::vector<std::string>& paths) {
    std::vector<std::string> names;
    for (const auto& p : paths) names.push_back(std::filesystem::path(p).filename().string());
    return names;
}

// A quantity of the record that the case names: null for "not printed".
template <typename T>
void expectQuantity(const json& expected, const char* key, const std::optional<T>& actual) {
    if (!expected.contains(key))
        return;
    if (expected[key].is_null())
        EXPECT_FALSE(actual) << key;
    else
        EXPECT_EQ(actual, std::optional<T>(expected[key].get<T>())) << key;
}

void expectJob(const json& e, const ScanJob& job) {
    SCOPED_TRACE(job.name);
    const std::pair<const char*, const std::string*> texts[] = {
        {"formula", &job.formula}, {"method", &job.method}, {"basis", &job.basis}};
    for (const auto& [key, text] : texts)
        if (e.contains(key)) {
            EXPECT_EQ(*text, e[key].get<std::string>()) << key;
        }
    expectQuantity<int>(e, "charge", job.charge);
    expectQuantity<int>(e, "multiplicity", job.multiplicity);
    expectQuantity<double>(e, "cpuSeconds", job.cpuSeconds());
    const std::pair<const char*, std::size_t> counts[] = {{"lines", job.summary.size()},
                                                          {"points", job.scan.points.size()}};
    for (const auto& [key, n] : counts)
        if (e.contains(key)) {
            EXPECT_EQ(n, e[key].get<std::size_t>()) << key;
        }
    if (e.contains("lastPoint") && !job.scan.points.empty()) {
        const ScanPoint& p = job.scan.points.back();
        std::vector<double> values{static_cast<double>(p.step)};
        values.insert(values.end(), p.coordinates.begin(), p.coordinates.end());
        values.push_back(p.energy);
        EXPECT_EQ(values, e["lastPoint"].get<std::vector<double>>());
    }
}

TEST(ScanRun, Cases) {
    std::ifstream in(std::string(ZERLANT_SOURCE_DIR) + "/tests/core/scan/scanrun_cases.json");
    ASSERT_TRUE(in);
    for (const auto& c : json::parse(in)) {
        SCOPED_TRACE(c["case"].get<std::string>());
        bool needsData = false;
        for (const auto& f : c["files"]) needsData = needsData || f.contains("data");
        if (needsData && testing::dataDir().empty())
            continue;  // the real data folder ../shared/data is absent
        testing::TempDir dir;
        FileRows rows{FileRow{false, "Files", "", ""}};
        for (const auto& f : c["files"]) {
            const std::string name = f["name"];
            if (f.contains("data"))
                std::filesystem::copy_file(testing::dataDir() / f["data"].get<std::string>(),
                                           dir.path() / name);
            else if (f.contains("text") || f.contains("route"))
                dir.write(name, f.contains("text") ? f["text"].get<std::string>() : scanLog(f));
            rows.push_back(FileRow{true, name, dir.file(name), ""});
        }
        std::map<std::string, std::string> before;
        for (const auto& row : rows)
            if (std::filesystem::exists(row.path))
                before[row.path] = readAll(row.path);

        auto run = runScan(rows, caption, c["decimal"].get<std::string>()[0]);
        ASSERT_TRUE(run);
        for (const auto& [path, bytes] : before) EXPECT_EQ(readAll(path), bytes) << path;
        testing::expectTable(run->table, "core/scan/" + c["table"].get<std::string>());
        EXPECT_EQ(run->untick, c.value("untick", std::vector<std::size_t>{}));
        EXPECT_EQ(run->nonScanMet, !run->untick.empty());
        EXPECT_EQ(namesOf(run->notTerminated),
                  c.value("notTerminated", std::vector<std::string>{}));
        std::vector<std::string> failed;
        for (const Error& e : run->failures) failed.push_back(e.path);
        EXPECT_EQ(namesOf(failed), c.value("failures", std::vector<std::string>{}));
        // Every job that gave rows, in list order.
        ASSERT_EQ(run->files.size(), c["jobs"].size());
        for (std::size_t j = 0; j < run->files.size(); ++j) {
            EXPECT_EQ(run->files[j].name, c["jobs"][j]["name"]);
            expectJob(c["jobs"][j], run->files[j]);
        }
    }
}

TEST(ScanRun, CancellingAndCaptionsInCapitals) {
    FileRows rows{FileRow{false, "Files", "", ""}, FileRow{true, "a.log", "/nonexistent/a.log", ""},
                  FileRow{true, "b.log", "/nonexistent/b.log", ""}};
    std::vector<std::string> seen;
    EXPECT_FALSE(runScan(rows, caption, '.', [&](std::size_t, const std::string& name) {
        seen.push_back(name);
        return name != "b.log";
    }));
    EXPECT_EQ(seen, (std::vector<std::string>{"a.log", "b.log"}));
    EXPECT_EQ(upperCaption("Método ñ ÷"), "MÉTODO Ñ ÷");
}

}  // namespace
}  // namespace zerlant
