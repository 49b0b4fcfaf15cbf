// Job health: the reason a job failed, imaginary frequencies, <S**2> and
// convergence, on made-up snippets and on every real output of the data
// folder against a reviewed table (jobhealth_expected.tsv).

#include "core/extract/jobhealth.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "testsupport.hpp"

using namespace zerlant;

namespace {

std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

std::string bytesOf(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    std::string f;
    while (std::getline(in, f, '\t')) out.push_back(f);
    return out;
}

}  // namespace

TEST(JobHealth, Reasons) {
    struct Case {
        const char* text;
        const char* reason;
    };
    const Case cases[] = {
        {" SCF Done:  E(RHF) =  -1.0\n Normal termination of Gaussian 16 at Mon.\n", ""},
        {" SCF Done:  E(RHF) =  -1.0\n Cycle 12\n", "no termination line"},
        {"", "no termination line"},
        // The error line nearest the termination, past the SCF banner.
        {" >>>>>>>>>> Convergence criterion not met.\n"
         " SCF Done:  E(UB3LYP) =  -1.0  A.U. after  129 cycles\n"
         " Convergence failure -- run terminated.\n"
         " Error termination via Lnk1e in /opt/g16/l502.exe at Tue Nov  5 09:44:38 2019.\n",
         "l502: Convergence failure -- run terminated."},
        {" Standard basis: 3-21G (6D, 7F)\n 3-21G basis sets are only available up to Xe.\n"
         " Error termination via Lnk1e in C:\\G09W\\l301.exe at Mon May 18 08:37:35 2020.\n",
         "l301: 3-21G basis sets are only available up to Xe."},
        // The same in the normalised text, where '|' stands for a backslash.
        {" Error termination via Lnk1e in C:|G09W|l301.exe at Mon May 18 08:37:35 2020.\n", "l301"},
        {" galloc:  could not allocate memory.\n"
         " Error termination via Lnk1e in /g09/l502.exe at Mon.\n",
         "l502: galloc:  could not allocate memory."},
        // Link 9999: the optimiser's message, not the quotation above.
        {" Optimization stopped.\n    -- Number of steps exceeded,  NStep=  27\n"
         " Leave Link  601\n (Enter /usr/local/g09/l9999.exe)\n"
         " THE LENGTH OF A MEETING IS PROPORTIONAL TO THE\n SQUARE OF THE PARTICIPANTS.\n"
         " Error termination request processed by link 9999.\n"
         " Error termination via Lnk1e in /usr/local/g09/l9999.exe at Mon Aug  5 2024.\n",
         "l9999: Optimization stopped. -- Number of steps exceeded,  NStep=  27"},
        {" A QUOTATION.\n Error termination request processed by link 9999.\n", "l9999"},
        // Only the last termination line counts.
        {" Error termination via Lnk1e in /g16/l301.exe at Mon.\n"
         " Normal termination of Gaussian 16 at Mon.\n",
         ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(failureReason(c.text), c.reason) << c.text;
        EXPECT_EQ(failureReason(withCrLf(c.text)), c.reason) << c.text;
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
    const std::string route = " ---\n #p opt b3lyp/6-31g(d)\n ---\n";
    EXPECT_EQ(jobHealth(route + " Berny optimization.\n Optimization stopped.\n").converged, false);
    // A scan whose last point did not get as far; a job that died in the first step.
    EXPECT_EQ(jobHealth(route + " Optimization completed.\n Berny optimization.\n").converged,
              false);
    EXPECT_EQ(jobHealth(route + " SCF Done:  E(RHF) =  -1.0\n").converged, false);
    // The keyword wrapped inside a word, or carrying the route's "#".
    EXPECT_EQ(jobHealth(" ---\n #p pbepbe/gen pop=full o\n pt=maxcyc=200\n ---\n"
                        " Optimization completed.\n")
                  .converged,
              true);
    EXPECT_EQ(jobHealth(" ---\n #p gfinput #B3LYP/6-31+G(d) 5D #Opt\n ---\n"
                        " -- Stationary point found.\n")
                  .converged,
              true);
    // Frequency and stability jobs run a one-step check of the optimiser,
    // and a converged optimisation stays converged through the frequency step
    // that follows it.
    EXPECT_FALSE(jobHealth(" ---\n #p freq b3lyp\n ---\n Berny optimization.\n").converged);
    EXPECT_FALSE(jobHealth(" ---\n # umn15 stable=opt\n ---\n Berny optimization.\n").converged);
    EXPECT_EQ(jobHealth(route + " Optimization completed.\n ---\n #N Geom=AllCheck Freq\n ---\n"
                                " Berny optimization.\n")
                  .converged,
              true);
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
    const std::filesystem::path dir = zerlant::testing::dataDir();
    if (dir.empty())
        GTEST_SKIP() << "real data folder ../shared/data is absent";
    std::ifstream table(std::string(ZERLANT_SOURCE_DIR) +
                        "/tests/core/extract/jobhealth_expected.tsv");
    ASSERT_TRUE(table) << "jobhealth_expected.tsv";
    std::string line;
    int files = 0, failed = 0, withFrequencies = 0;
    bool header = true;
    while (std::getline(table, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        if (header) {
            header = false;
            continue;
        }
        const std::vector<std::string> f = fields(line);
        ASSERT_GE(f.size(), 5u) << line;
        const std::filesystem::path path = dir / f[0];
        if (!std::filesystem::exists(path))
            continue;
        ++files;
        // Fed in pieces of odd sizes, as the extraction's one pass feeds it.
        const std::string bytes = bytesOf(path);
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
        const std::string& ending = f[1];
        if (ending == "error") {
            ++failed;
            EXPECT_TRUE(h.reason == f[2] || h.reason.rfind(f[2] + ": ", 0) == 0)
                << f[0] << ": " << h.reason;
            std::cout << f[0] << ": " << h.reason << "\n";
        } else if (ending == "normal") {
            EXPECT_EQ(h.reason, "") << f[0];
        } else {
            EXPECT_EQ(h.reason, "no termination line") << f[0];
        }
        if (f[3] == "-") {
            EXPECT_FALSE(h.nimag.has_value()) << f[0];
        } else {
            ++withFrequencies;
            EXPECT_EQ(h.nimag, std::stoi(f[3])) << f[0];
            if (f[4] == "-")
                EXPECT_FALSE(h.lowestFrequency.has_value()) << f[0];
            else
                EXPECT_NEAR(h.lowestFrequency.value_or(NAN), std::stod(f[4]), 1e-4) << f[0];
        }
    }
    std::cout << files << " outputs, " << failed << " failed, " << withFrequencies
              << " with frequencies\n";
    EXPECT_GT(files, 0);
}
