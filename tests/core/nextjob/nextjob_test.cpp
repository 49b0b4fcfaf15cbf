// The next input of real outputs against reviewed inputs (golden/next), and
// what must hold whatever the output: the route keeps every keyword it is
// not told to change, and a written input never replaces a file.

#include "core/nextjob/nextjob.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "testsupport.hpp"

namespace zerlant {
namespace {

namespace fs = std::filesystem;

const char* diagnosisKey(Diagnosis d) {
    constexpr const char* keys[] = {
        "finished",       "optimisation stopped", "scf not converged", "imaginary minimum",
        "ts extra modes", "input error",          "other failure"};
    return keys[static_cast<int>(d)];
}

TEST(NextJob, RealOutputsGiveTheReviewedInputs) {
    const auto dir = testing::dataDir();
    if (dir.empty())
        GTEST_SKIP() << "no real data";
    const fs::path golden = fs::path(ZERLANT_SOURCE_DIR) / "tests/golden/next";
    for (const auto& row : testing::caseRows("golden/next/cases.tsv")) {
        ASSERT_EQ(row.size(), 4u) << row[0];
        NextJobOptions options;
        options.fix = row[1].find("fix") != std::string::npos;
        options.bothDirections = row[1].find("both") != std::string::npos;
        auto job = nextJobOf((dir / row[0]).string(), options);
        ASSERT_TRUE(job) << row[0];
        EXPECT_EQ(diagnosisKey(job->diagnosis), row[2]) << row[0];
        if (row[3].rfind("refused: ", 0) == 0) {
            ASSERT_TRUE(job->refusal) << row[0];
            EXPECT_EQ(job->refusal->rfind(row[3].substr(9), 0), 0u) << *job->refusal;
            continue;
        }
        std::istringstream names(row[3]);
        std::size_t k = 0;
        for (std::string name; names >> name; ++k) {
            ASSERT_LT(k, job->inputs.size()) << row[0];
            EXPECT_EQ(fs::path(job->inputs[k].path).filename(), name);
            EXPECT_EQ(job->inputs[k].text, testing::readAll(golden / name)) << name;
        }
        EXPECT_EQ(k, job->inputs.size()) << row[0];
    }
}

TEST(NextJob, RouteEditsAndTheInputBesideAndNeverReplacing) {
    const auto dir = testing::dataDir();
    if (dir.empty())
        GTEST_SKIP() << "no real data";
    testing::TempDir tmp;
    const std::string out = tmp.file("h2o.log");
    fs::copy_file(dir / "goodvibes_g09_H2O.log", out);
    tmp.write("h2o.gjf",
              "%chk=h2o\r\n# opt b3lyp/gen\r\n\r\nt\r\n\r\n0 1\r\nO 0 0 0\r\n\r\n"
              "O 0\r\n6-31G(d)\r\n****\r\n\r\n--Link1--\r\n# freq geom=check\r\n");
    NextJobOptions options;
    options.add = {"scrf=(smd,solvent=water)", "opt=(tight)"};
    options.remove = {"FREQ"};
    options.link0 = {"%mem=8GB", "%CHK=next.chk"};
    auto job = nextJobOf(out, options);
    ASSERT_TRUE(job);
    ASSERT_EQ(job->inputs.size(), 1u);
    const std::string& t = job->inputs[0].text;
    EXPECT_EQ(t.substr(0, t.find("\n\n")),
              "%CHK=next.chk\n%mem=8GB\n# opt=(tight) b3lyp/sto-3g scrf=(smd,solvent=water)");
    // The sections after the geometry come from the job's own input.
    EXPECT_EQ(t.substr(t.find("\n\nO 0\n")),
              "\n\nO 0\n6-31G(d)\n****\n\n--Link1--\n# freq geom=check\n");
    EXPECT_TRUE(job->notCarried.empty());

    ASSERT_TRUE(writeNewFile(job->inputs[0].path, job->inputs[0].text));
    tmp.write("h2o_next.gjf", "the user's own");
    EXPECT_FALSE(writeNewFile(job->inputs[0].path, job->inputs[0].text));
    EXPECT_EQ(testing::readAll(job->inputs[0].path), "the user's own");
}

}  // namespace
}  // namespace zerlant
