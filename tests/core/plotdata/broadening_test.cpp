// The broadened curves against values computed by hand (broadening_cases.tsv),
// the default ranges, curves at the edge of the doubles and the lines of the
// Extract records.  (The peaks of real spectra: tests/cli/data/scenarios.json.)

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <sstream>

#include "core/plotdata/boltzmann.hpp"
#include "core/plotdata/broadening.hpp"
#include "core/plotdata/sources.hpp"
#include "testsupport.hpp"

namespace zerlant::plotdata {
namespace {

Kind kindOf(const std::string& s) {
    return s == "ir" ? Kind::Ir : s == "raman" ? Kind::Raman : s == "uv" ? Kind::Uv : Kind::Ecd;
}
Unit unitOf(const std::string& s) {
    return s == "cm-1" ? Unit::Wavenumber : s == "nm" ? Unit::Nanometre : Unit::ElectronVolt;
}

TEST(Broadening, HandComputedCases) {
    const auto rows = testing::caseRows("core/plotdata/broadening_cases.tsv");
    ASSERT_GE(rows.size(), 10u);
    for (const auto& f : rows) {
        ASSERT_EQ(f.size(), 8u) << f[0];
        const std::string &kind = f[0], &unit = f[1], &width = f[2], &scale = f[3], &lines = f[4],
                          &x = f[5], &expected = f[6], &what = f[7];
        Settings s = defaultSettings(kindOf(kind));
        s.unit = unitOf(unit);
        s.width = std::stod(width);
        s.scale = std::stod(scale);
        std::vector<Stick> sticks;
        std::stringstream ls(lines);
        for (std::string pair; ls >> pair;) {
            auto colon = pair.find(':');
            sticks.push_back({std::stod(pair.substr(0, colon)), std::stod(pair.substr(colon + 1))});
        }
        const double want = std::stod(expected);
        EXPECT_NEAR(curveValue(sticks, s, std::stod(x)), want, 1e-9 * std::abs(want) + 1e-12)
            << what;
    }
}

TEST(Broadening, WidthConversionsAndGrid) {
    EXPECT_NEAR(fwhmFromSigma(1.0), 1.6651092223, 1e-9);
    EXPECT_NEAR(sigmaFromFwhm(fwhmFromSigma(0.37)), 0.37, 1e-12);

    Settings s = defaultSettings(Kind::Ir);
    EXPECT_EQ(s.width, 15.0);
    s.points = 5;
    const Curve c = broaden({{1000, 10}}, s, {900, 1100});
    ASSERT_EQ(c.x.size(), 5u);
    EXPECT_DOUBLE_EQ(c.x[1], 950.0);
    EXPECT_DOUBLE_EQ(c.y[2], 10.0);
    s.points = 1;  // never fewer than the two ends
    EXPECT_EQ(broaden({}, s, {0, 1}).x.size(), 2u);
    s.points = 0;  // a round step: 2 cm-1 over 0..4000, 0.1 nm over 180..370
    const Curve ir = broaden({}, s, {0, 4000});
    ASSERT_EQ(ir.x.size(), 2001u);
    EXPECT_EQ(ir.x[1], 2.0);
    EXPECT_EQ(ir.x.back(), 4000.0);
    EXPECT_EQ(broaden({}, s, {180, 370}).x.size(), 1901u);
}

TEST(Broadening, DefaultRanges) {
    Settings ir = defaultSettings(Kind::Ir);
    EXPECT_EQ(plotRange({{{1000, 1}}}, ir), (std::pair{0.0, 4000.0}));
    // A band beyond 4000 cm-1 widens the range with room for its width.
    EXPECT_EQ(plotRange({{{3950, 1}}, {{-50, 9}}}, ir), (std::pair{0.0, 4100.0}));
    ir.range = {{3000, 500}};  // given either way round
    EXPECT_EQ(plotRange({}, ir), (std::pair{500.0, 3000.0}));

    Settings uv = defaultSettings(Kind::Uv);  // nm, sigma 0.4 eV
    // 5 eV +- 4 sigma = 3.4..6.6 eV = 187.9..364.7 nm, rounded out to tens.
    EXPECT_EQ(plotRange({{{5.0, 1}}}, uv), (std::pair{180.0, 370.0}));
    uv.unit = Unit::ElectronVolt;
    EXPECT_EQ(plotRange({{{5.0, 1}}}, uv), (std::pair{3.0, 7.0}));
}

TEST(Broadening, SticksOnAxisLeaveOutUndrawnLines) {
    Settings uv = defaultSettings(Kind::Uv);
    const Curve c = sticksOnAxis({{0, 0}, {4.0, 0.2}}, uv);
    ASSERT_EQ(c.x.size(), 1u);
    EXPECT_NEAR(c.x[0], kEvNanometre / 4.0, 1e-9);
    EXPECT_EQ(c.y[0], 0.2);
}

TEST(Sources, RecordsGiveLinesAndTellAllZeroStrengthsFromNone) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    ExtractRecord chiral;
    chiral.file = "chiral.log";
    chiral.ok = true;
    // frequency, reduced mass, force constant, IR, Raman, depolarisations
    chiral.detail.frequencies = {{1000, 1, 1, 10, 0, nan, nan},
                                 {inf, 1, 1, 5, 0, nan, nan},     // overflowing: no line
                                 {2000, 1, 1, nan, 0, nan, nan},  // IR not printed
                                 {0, 1, 1, 3, 0, nan, nan}};      // no mode
    // number, eV, nm, f, R
    chiral.detail.states = {{1, 5.0, 248, 0.1, -12}, {2, inf, 0, 0.2, 3}};
    ExtractRecord achiral = chiral;
    achiral.file = "achiral.log";
    achiral.detail.states = {{1, 5.0, 248, 0.1, 0}, {2, 6.0, 207, 0.2, 0}};
    ExtractRecord failed = chiral;
    failed.file = "failed.log";
    failed.ok = false;
    const std::vector<ExtractRecord> records{chiral, achiral, failed};

    struct Case {
        Kind kind;
        std::vector<std::string> files;
        std::size_t allZero;
        std::size_t linesOfFirst;
    };
    const Case cases[] = {
        {Kind::Ir, {"chiral.log", "achiral.log"}, 0, 1},
        {Kind::Raman, {}, 2, 0},  // every activity 0: no Raman job
        {Kind::Uv, {"chiral.log", "achiral.log"}, 0, 1},
        {Kind::Ecd, {"chiral.log"}, 1, 1},  // the achiral file says so
    };
    for (const auto& c : cases) {
        const Spectra s = spectraFromRecords(records, c.kind);
        std::vector<std::string> names;
        for (const auto& f : s.files) names.push_back(f.name);
        EXPECT_EQ(names, c.files) << static_cast<int>(c.kind);
        EXPECT_EQ(s.allZero, c.allZero) << static_cast<int>(c.kind);
        if (!s.files.empty()) {
            EXPECT_EQ(s.files[0].sticks.size(), c.linesOfFirst) << static_cast<int>(c.kind);
        }
    }
    // No printout at all: the parsers' placeholders (NaN or zeros) are no lines.
    const FoldedText none(std::string(" Normal termination of Gaussian 16\r\n"));
    for (Kind kind : {Kind::Ir, Kind::Raman, Kind::Uv, Kind::Ecd})
        EXPECT_TRUE(sticksFromText(none.ref(), kind).empty());
}

TEST(Broadening, HugeOrNonFiniteValuesGiveBoundedFiniteCurves) {
    // Lines, widths and ranges at the edge of the doubles: the curve has at
    // most a few thousand points and its CSV holds no "inf" or "nan".
    struct Case {
        Kind kind;
        Unit unit;
        std::vector<Stick> sticks;
        double width;
        double scale;
        std::optional<std::pair<double, double>> range;
    };
    const double big = std::numeric_limits<double>::max();
    const Case cases[] = {
        {Kind::Uv, Unit::ElectronVolt, {{big, 1}, {5, 0.1}}, 0.4, 1, {}},
        {Kind::Uv, Unit::Wavenumber, {{1e308, 1}}, 0.4, 1, {}},
        {Kind::Ecd, Unit::Nanometre, {{1e-300, 1e300}}, 0.2, 1, {}},
        {Kind::Ir, Unit::Wavenumber, {{big, 10}, {1000, 1e308}}, 15, 1, {}},
        {Kind::Ir, Unit::Wavenumber, {{1000, 10}}, 15, 1e308, {}},
        {Kind::Ir, Unit::Wavenumber, {{1000, 10}}, std::numeric_limits<double>::infinity(), 1, {}},
        {Kind::Ir, Unit::Wavenumber, {{1000, 10}}, 15, 1, {{-1e308, 1e308}}},
        {Kind::Ir, Unit::Wavenumber, {{1000, 10}}, 1e308, 1, {}},
    };
    const MessageLookup none = [](int) { return std::string(); };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        Settings s = defaultSettings(c.kind);
        s.unit = c.unit;
        s.width = c.width;
        s.scale = c.scale;
        s.range = c.range;
        const auto range = plotRange({c.sticks}, s);
        EXPECT_TRUE(std::isfinite(range.first) && std::isfinite(range.second)) << "case " << i;
        const PlotScene scene = spectrumScene({{"f.log", c.sticks}}, s, none);
        for (const auto& series : scene.series) EXPECT_LE(series.x.size(), 5000u) << "case " << i;
        const std::string csv = sceneCsv(scene, s);
        EXPECT_EQ(csv.find("inf"), std::string::npos) << "case " << i;
        EXPECT_EQ(csv.find("nan"), std::string::npos) << "case " << i;
    }
}

// The spectrum of a conformer ensemble: lines weighted by population within
// each formula, a duplicate conformer weighing nothing.
TEST(BoltzmannSpectra, WeightsByPopulationWithinEachFormula) {
    const double kT = 3.166811563e-6 * 298.15;  // hartree
    const std::vector<CartesianAtom> bent = {
        {8, "O", 0, 0, 0}, {1, "H", 0.96, 0, 0}, {1, "H", -0.24, 0.93, 0}};
    const std::vector<CartesianAtom> linear = {
        {8, "O", 0, 0, 0}, {1, "H", 0.96, 0, 0}, {1, "H", -0.96, 0, 0}};
    const std::vector<Conformer> conformers = {
        {"a", "H2O", -76.0, bent},
        {"b", "H2O", -76.0 + kT * std::log(3.0), linear},  // a third of a's weight
        {"c", "H2O", -76.0 + 1e-7, bent},                  // a again
        {"d", "CO", -113.0, {{6, "C", 0, 0, 0}, {8, "O", 1.13, 0, 0}}},
    };
    const std::vector<NamedSticks> files = {{"a", {{1600, 40}, {3700, 10}}},
                                            {"b", {{1500, 80}}},
                                            {"c", {{1600, 40}}},
                                            {"d", {{2100, 60}}}};
    const auto spectra =
        boltzmannSpectra(files, conformers, EnsembleSettings{}, PopulationEnergy::G);
    ASSERT_EQ(spectra.size(), 2u);
    EXPECT_EQ(spectra[0].name, "H2O, Boltzmann (G): a 75.0%, b 25.0%");
    ASSERT_EQ(spectra[0].sticks.size(), 3u);  // a's two lines and b's, none of c
    EXPECT_NEAR(spectra[0].sticks[0].strength, 40 * 0.75, 1e-9);
    EXPECT_NEAR(spectra[0].sticks[1].strength, 10 * 0.75, 1e-9);
    EXPECT_EQ(spectra[0].sticks[2].position, 1500);
    EXPECT_NEAR(spectra[0].sticks[2].strength, 80 * 0.25, 1e-9);
    EXPECT_EQ(spectra[1].name, "CO, Boltzmann (G): d 100.0%");
    ASSERT_EQ(spectra[1].sticks.size(), 1u);
    EXPECT_NEAR(spectra[1].sticks[0].strength, 60, 1e-12);
}

}  // namespace
}  // namespace zerlant::plotdata
