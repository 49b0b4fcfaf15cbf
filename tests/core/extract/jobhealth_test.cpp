// Job health: the reason a job failed, imaginary frequencies, <S**2> and
// convergence, on made-up snippets and on every real output of the data
// folder against a reviewed table (jobhealth_expected.tsv).

#include "core/extract/jobhealth.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "testsupport.hpp"

using namespace zerlant;

using zerlant::testing::withCrLf;

TEST(JobHealth, ReasonsAndConvergenceOfMadeUpOutputs) {
    for (const auto& c : zerlant::testing::caseRecords("core/extract/jobhealth_cases.tsv")) {
        for (const std::string& text : {c["text"], withCrLf(c["text"])}) {
            SCOPED_TRACE(c.source);
            const JobHealth h = jobHealth(text);
            if (c["reason"] != "*") {
                EXPECT_EQ(failureReason(text), c["reason"]);
                EXPECT_EQ(h.reason, c["reason"]);
            }
            const std::string converged = !h.converged ? "-" : *h.converged ? "yes" : "no";
            EXPECT_TRUE(c["converged"] == "*" || converged == c["converged"]) << converged;
        }
    }
}

TEST(JobHealth, FrequenciesSpinAndConvergence) {
    const std::string opt =
        " -------------------------------\n"
        " #p opt freq b3lyp/6-31g(d)\n"
        " -------------------------------\n"
        " Berny optimization.\n"
        "    Optimization completed.\n"
        "    -- Stationary point found.\n"
        " S**2 before annihilation     0.7613,   after     0.7501\n"
        " Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering\n"
        " and normal coordinates:\n"
        "                      1                      2                      3\n"
        " Frequencies --  -1415.5540              1418.9580              1422.4103\n"
        "                      4                      5\n"
        " Frequencies --    -35.1000              3054.0303\n"
        " - Thermochemistry -\n"
        " Frequencies --    -99.0000\n"
        " S**2 before annihilation     0.7702,   after     0.7503\n";
    for (const std::string& text : {opt, withCrLf(opt)}) {
        const JobHealth h = jobHealth(text);
        EXPECT_EQ(h.nimag, 2);
        EXPECT_DOUBLE_EQ(h.lowestFrequency.value_or(0), -1415.554);
        EXPECT_DOUBLE_EQ(h.s2.value_or(0), 0.7503);
        EXPECT_EQ(h.converged, true);
        EXPECT_EQ(h.reason, "no termination line");
    }
    const JobHealth single = jobHealth(" SCF Done:  E(RHF) =  -1.0\n");
    EXPECT_FALSE(single.converged.has_value());
    EXPECT_FALSE(single.nimag.has_value());
    EXPECT_FALSE(single.s2.has_value());
}

// Every Gaussian output of the data folder against the reviewed table: a
// failed job's reason names the link of its termination line, a normal job
// has none, a job without a termination line says so; nimag and the lowest
// frequency agree with cclib.
TEST(JobHealth, RealOutputs) {
    ZERLANT_DATA_FILE(dir, "");
    int files = 0;
    for (const auto& c : zerlant::testing::caseRecords("core/extract/jobhealth_expected.tsv")) {
        const std::filesystem::path path = dir / c["file"];
        if (!std::filesystem::exists(path))
            continue;
        ++files;
        // Fed in pieces of odd sizes, as the extraction's one pass feeds it.
        const std::string bytes = zerlant::testing::readAll(path);
        zerlant::JobHealthReader reader;
        std::uint32_t seed = static_cast<std::uint32_t>(files) * 2654435761u;
        for (std::size_t at = 0; at < bytes.size();) {
            seed = seed * 1664525u + 1013904223u;
            const std::size_t n = 1 + (seed >> 8) % 9000;
            reader.feed(std::string_view(bytes).substr(at, n));
            at += n;
        }
        const JobHealth h = *reader.finish([&](std::uint64_t from, std::uint64_t to) {
            return zerlant::Result<std::string>(bytes.substr(from, to - from));
        });
        SCOPED_TRACE(c["file"] + ": " + h.reason);
        if (c["ending"] == "error")
            EXPECT_TRUE(h.reason == c["link"] || h.reason.starts_with(c["link"] + ": "));
        else
            EXPECT_EQ(h.reason, c["ending"] == "normal" ? "" : "no termination line");
        EXPECT_EQ(h.nimag ? std::to_string(*h.nimag) : "-", c["nimag"]);
        if (c["lowest_freq"] == "-")
            EXPECT_FALSE(h.lowestFrequency.has_value());
        else
            EXPECT_NEAR(h.lowestFrequency.value_or(NAN), std::stod(c["lowest_freq"]), 1e-4);
    }
    EXPECT_GT(files, 0);
}
