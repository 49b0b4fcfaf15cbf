// The thermochemistry table: a row recomputed from a kept frequency step is
// the row of a fresh read at the same settings, and the comma-separated text
// of the table (quoting, rows without values, the columns a request adds).

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/thermo/gaussianthermo.hpp"
#include "core/thermo/thermotable.hpp"
#include "testsupport.hpp"

using namespace zerlant::thermo;

namespace {

struct Settings {
    const char* name;
    ThermoSettings settings;
    bool fromTable;
};

std::vector<Settings> settingsToTry() {
    ThermoSettings hot;
    hot.temperature = 500;
    hot.pressure = 2;
    hot.scale = 0.97;
    hot.cutoff = 50;
    hot.headGordonEnthalpy = true;
    ThermoSettings solution;
    solution.concentration = 1.0;
    return {{"defaults", {}, false},
            {"hot, scaled, qh enthalpy", hot, false},
            {"1 M", solution, false},
            {"factor from the table", {}, true}};
}

// A frequency job, one with an imaginary mode, a linear molecule, one whose
// level the table lacks, one without the energy, and outputs with no
// frequency step at all.
constexpr const char* kFiles[] = {
    "cclibdata_g09_irc_point.log", "aqme_g09_Imag_freq.log",    "aqme_g09_CO2_linear_4freqs.log",
    "goodvibes_g09_H2O.log",       "aqme_g09_CH4_before_E.log", "aqme_g09_MeOH_SCF_error.log",
    "arc_g16_syntax.out",          "cclib_g09_dvb_sp.out"};
// Jobs that ended normally without asking for frequencies: skipped, where
// frequency jobs that failed before their thermochemistry, and jobs that
// failed before asking (arc_g16_syntax.out), are failures.
const std::set<std::string> kNoFrequencyJob = {"cclib_g09_dvb_sp.out"};

// The cells compared: every column, the quasi-harmonic enthalpy's too.
ThermoRequest shape() {
    ThermoRequest r;
    r.settings.headGordonEnthalpy = true;
    r.settings.concentration = 1.0;
    return r;
}

}  // namespace

// The window reads each file once and recomputes its row from the kept step
// at every change of a setting, in any order of settings.
TEST(ThermoTable, RowFromKeptStepIsRowOfFreshRead) {
    ZERLANT_DATA_FILE(dir, "");
    int withValues = 0;
    for (const char* name : kFiles) {
        const std::string bytes = zerlant::testing::readAll(dir / name);
        ASSERT_FALSE(bytes.empty()) << name;
        const std::optional<FrequencyStep> step = readFrequencyStep(bytes);
        // Backwards, so that each row follows a computation at other settings.
        const std::vector<Settings> all = settingsToTry();
        for (auto s = all.rbegin(); s != all.rend(); ++s) {
            SCOPED_TRACE(std::string(name) + ", " + s->name);
            const ThermoRow kept = thermoRow(name, step, s->settings, s->fromTable);
            const ThermoRow fresh = thermoRow(name, bytes, s->settings, s->fromTable);
            EXPECT_EQ(fresh.skipped, kNoFrequencyJob.count(name) == 1);
            if (fresh.skipped) {  // no frequency job: the first read says so, once
                EXPECT_FALSE(step.has_value());
                continue;
            }
            EXPECT_EQ(kept.error, fresh.error);
            EXPECT_EQ(kept.noScaleFactor, fresh.noScaleFactor);
            EXPECT_EQ(kept.scaleFactor, fresh.scaleFactor);
            EXPECT_EQ(kept.imaginaryLeftOut, fresh.imaginaryLeftOut);
            EXPECT_EQ(kept.method + "/" + kept.basis, fresh.method + "/" + fresh.basis);
            EXPECT_EQ(thermoCells(kept, shape()), thermoCells(fresh, shape()));
            withValues += kept.ok();
        }
    }
    EXPECT_GE(withValues, 9);  // the comparisons are of values, not of errors only
}

TEST(ThermoTable, CommaSeparatedText) {
    ThermoRow water;
    water.file = "a.log";
    ThermoSummary& s = water.summary;
    s.formula = "H2O";
    s.e = -76.1;
    s.zpe = 0.021;
    s.h = -76.05;
    s.ts = 0.02;
    s.qhTs = 0.0195;
    s.g = -76.07;
    s.qhH = -76.051;
    s.qhG = -76.0705;
    ThermoRow named = water;  // a name that needs quotes
    named.file = "b, \"x\".log";
    named.summary.e = -0.5;
    named.summary.formula = "H2";
    ThermoRow unread;
    unread.file = "c.log";
    unread.error = "cannot read";

    ThermoRequest plain;
    ThermoRequest full;
    full.settings.headGordonEnthalpy = true;
    full.settings.temperature = 310;
    full.settings.pressure = 2;
    full.settings.concentration = 1.0;
    full.settings.scale = 0.97;
    full.relative = true;
    water.relG = 0.0;
    water.relQhG = -0.00001;  // no "-0.0000"
    water.boltzmann = 1.0;
    named.relG = std::nullopt;  // a relative cell without a value stays empty
    named.relQhG = 1.25;
    named.boltzmann = 0.5;

    struct Case {
        const char* name;
        std::vector<ThermoRow> rows;
        ThermoRequest request;
        std::string expected;
    };
    const Case cases[] = {
        {"no rows",
         {},
         plain,
         "file,formula,e,zpe,h,ts,qh_ts,g,qh_g,temperature_k,pressure_atm,concentration_mol_per_l,"
         "scale_factor,qh_cutoff_cm-1\n"},
        {"only a row without values",
         {unread},
         full,
         "file,formula,e,zpe,h,ts,qh_ts,g,qh_g,qh_h,rel_g,rel_qh_g,boltzmann,temperature_k,"
         "pressure_atm,concentration_mol_per_l,scale_factor,qh_cutoff_cm-1\n"},
        {"plain",
         {water, unread, named},
         plain,
         "file,formula,e,zpe,h,ts,qh_ts,g,qh_g,temperature_k,pressure_atm,concentration_mol_per_l,"
         "scale_factor,qh_cutoff_cm-1\n"
         "a.log,H2O,-76.10000000,0.02100000,-76.05000000,0.02000000,0.01950000,-76.07000000,"
         "-76.07050000,298.15,1,,1,100\n"
         "\"b, \"\"x\"\".log\",H2,-0.50000000,0.02100000,-76.05000000,0.02000000,0.01950000,"
         "-76.07000000,-76.07050000,298.15,1,,1,100\n"},
        {"quasi-harmonic enthalpy and relative energies",
         {unread, water, named},
         full,
         "file,formula,e,zpe,h,ts,qh_ts,g,qh_g,qh_h,rel_g,rel_qh_g,boltzmann,temperature_k,"
         "pressure_atm,concentration_mol_per_l,scale_factor,qh_cutoff_cm-1\n"
         "a.log,H2O,-76.10000000,0.02100000,-76.05000000,0.02000000,0.01950000,-76.07000000,"
         "-76.07050000,-76.05100000,0.0000,0.0000,1.000000,310,2,1,0.97,100\n"
         "\"b, \"\"x\"\".log\",H2,-0.50000000,0.02100000,-76.05000000,0.02000000,0.01950000,"
         "-76.07000000,-76.07050000,-76.05100000,,1.2500,0.500000,310,2,1,0.97,100\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(thermoCsv(c.rows, c.request), c.expected) << c.name;

    // A row scaled by the table's factor for its level records that factor.
    named.scaleFactor = findScaleFactor("RHF", "6-31G(d)");
    ASSERT_NE(named.scaleFactor, nullptr);
    EXPECT_EQ(thermoConditions(named, full)[3], named.scaleFactor->factor);
    EXPECT_EQ(thermoConditions(water, full)[3], 0.97);
}

// A file read line by line gives the row of its whole text, for every real
// output: the values, the error, the skipped state, the level and the
// formula.
TEST(ThermoTable, FileReadLineByLineGivesTheRowOfItsWholeText) {
    ZERLANT_DATA_FILE(dir, "");
    int compared = 0, withValues = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (!name.ends_with(".log") && !name.ends_with(".out"))
            continue;
        SCOPED_TRACE(name);
        const ThermoRow whole =
            thermoRow(name, zerlant::testing::readAll(entry.path()), shape().settings);
        const auto lines = thermoRowOfFile(name, entry.path().string(), shape().settings);
        ASSERT_TRUE(lines);
        EXPECT_EQ(lines->error, whole.error);
        EXPECT_EQ(lines->skipped, whole.skipped);
        EXPECT_EQ(lines->method + "/" + lines->basis, whole.method + "/" + whole.basis);
        EXPECT_EQ(lines->summary.formula, whole.summary.formula);
        EXPECT_EQ(lines->imaginaryLeftOut, whole.imaginaryLeftOut);
        EXPECT_EQ(thermoCells(*lines, shape()), thermoCells(whole, shape()));
        ++compared;
        withValues += whole.ok();
    }
    EXPECT_GT(compared, 150);
    EXPECT_GT(withValues, 30);
}
