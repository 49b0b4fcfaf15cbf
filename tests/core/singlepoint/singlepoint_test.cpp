// A high-level single point on a frequency job: the pairs of pairs.tsv, real
// outputs and copies changed in one respect, checked and combined; the pair
// list's syntax.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/files/filetext.hpp"
#include "core/singlepoint/singlepoint.hpp"
#include "core/thermo/thermotable.hpp"
#include "testsupport.hpp"

using namespace zerlant;
using zerlant::testing::TempDir;

namespace {

// The lines of the atoms of the last standard orientation, as offsets of
// their starts in `text` (the first atom at index 0).
std::vector<std::size_t> lastOrientationRows(const std::string& text) {
    std::size_t at = text.rfind("Standard orientation:");
    for (int ruler = 0; ruler < 2 && at != std::string::npos; ++ruler)
        at = text.find("------\n", text.find(" ---", at) + 1);
    std::vector<std::size_t> rows;
    for (std::size_t line = text.find('\n', at) + 1; line < text.size() && text[line + 1] != '-';
         line = text.find('\n', line) + 1)
        rows.push_back(line);
    return rows;
}

// A copy of an output changed as `how` says: "shift D" moves the first atom
// of the last geometry by D angstrom along x, "swap I and J" swaps the
// elements of atoms I and J, "multiplicity M" changes it in the archive.
std::string changed(std::string text, const std::string& how) {
    const std::vector<std::size_t> rows = lastOrientationRows(text);
    auto lineAt = [&text](std::size_t start) {
        return text.substr(start, text.find('\n', start) - start);
    };
    if (how.starts_with("shift ")) {
        const std::string row = lineAt(rows.at(0));
        std::istringstream fields(row);
        int centre = 0, number = 0, type = 0;
        double x = 0, y = 0, z = 0;
        fields >> centre >> number >> type >> x >> y >> z;
        char moved[128];
        std::snprintf(moved, sizeof moved, "%7d%11d%12d    %12.6f%12.6f%12.6f", centre, number,
                      type, x + std::stod(how.substr(6)), y, z);
        text.replace(rows[0], row.size(), moved);
    } else if (how.starts_with("swap ")) {
        int i = 0, j = 0;
        std::sscanf(how.c_str(), "swap %d and %d", &i, &j);
        const std::string a = lineAt(rows.at(i - 1)), b = lineAt(rows.at(j - 1));
        // The centre numbers stay; the rest of the lines change places.
        text.replace(rows[j - 1], b.size(), b.substr(0, 7) + a.substr(7));
        text.replace(rows[i - 1], a.size(), a.substr(0, 7) + b.substr(7));
    } else if (how.starts_with("multiplicity ")) {
        const std::size_t at = text.find("\\\\0,1\\");
        text.replace(at, 6, "\\\\0," + how.substr(13) + "\\");
    }
    return text;
}

}  // namespace

TEST(SinglePoint, PairsOfRealOutputs) {
    const std::filesystem::path data = zerlant::testing::dataDir();
    if (data.empty())
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    TempDir dir;
    for (const auto& c : zerlant::testing::caseRecords("core/singlepoint/pairs.tsv")) {
        SCOPED_TRACE(c.source + ": " + c["case"]);
        const std::string frequencyJob = (data / c["frequency_job"]).string();
        const std::string& made = c["made_by"];
        std::optional<std::string> partner;
        if (made == "as is") {
            partner = (data / c["single_point"]).string();
        } else if (made != "missing") {
            auto bytes = readFileBytes((data / c["single_point"]).string());
            ASSERT_TRUE(bytes);
            partner = dir.write("sp.log", changed(*bytes, made));
        }
        const auto singlePoint =
            singlePointFor(frequencyJob, partner, "dvb_ir_sp.out", std::stod(c["rmsd_limit"]));

        auto bytes = readFileBytes(frequencyJob);
        ASSERT_TRUE(bytes);
        thermo::ThermoRow row =
            thermo::thermoRow(c["frequency_job"], *bytes, thermo::ThermoSettings{});
        ASSERT_TRUE(row.ok()) << row.error;
        applySinglePoint(row, singlePoint);
        const std::string& want = c["expected"];
        if (!want.starts_with("ok ")) {
            EXPECT_FALSE(row.ok());
            EXPECT_NE(row.error.find(want), std::string::npos) << row.error;
            EXPECT_FALSE(combinedWithSinglePoint(row, "sp_g"));
            continue;
        }
        ASSERT_TRUE(row.ok()) << row.error;
        std::istringstream expected(want.substr(3));
        double e = 0, g = 0;
        expected >> e >> g;
        ASSERT_TRUE(row.singlePoint);
        EXPECT_EQ(row.singlePoint->file, *partner);
        EXPECT_NEAR(row.singlePoint->energy, e, 1e-9);
        // Gaussian prints the correction to 6 decimals.
        EXPECT_NEAR(*combinedWithSinglePoint(row, "sp_g"), g, 1.5e-6);
        // The other combined values carry the same shift of the energy.
        const double shift = e - row.summary.e;
        EXPECT_NEAR(*combinedWithSinglePoint(row, "sp_h"), row.summary.h + shift, 1e-9);
        EXPECT_NEAR(*combinedWithSinglePoint(row, "sp_qh_g"), row.summary.qhG + shift, 1e-9);
    }
}

// The partner by suffix is exercised by the command line's test; here the
// list's own syntax.
TEST(SinglePoint, PairList) {
    TempDir dir;
    const std::string list = dir.write("pairs.txt",
                                       "# frequency job, single point\r\n"
                                       "a.log a_tz.out\r\n"
                                       "\r\n"
                                       "\"my job.log\"\t/abs/sp.log\r\n");
    auto pairs = readPairList(list);
    ASSERT_TRUE(pairs) << pairs.error().describe();
    ASSERT_EQ(pairs->size(), 2u);
    EXPECT_EQ((*pairs)[0], std::make_pair(dir.file("a.log"), dir.file("a_tz.out")));
    EXPECT_EQ((*pairs)[1], std::make_pair(dir.file("my job.log"), std::string("/abs/sp.log")));
    for (const char* bad : {"a.log b.log c.log\n", "\"a.log b.log\n"}) {
        auto refused = readPairList(dir.write("bad.txt", std::string("# x\n") + bad));
        ASSERT_FALSE(refused) << bad;
        EXPECT_EQ(refused.error().message.rfind("line 2 ", 0), 0u) << refused.error().message;
    }
}
