// The harmonic model against Gaussian's own thermochemistry: for every
// frequency job of the real data folder, at the file's temperature and
// pressure, scale 1, the recomputed zero-point energy, enthalpy and free
// energy round to the printed 6 decimals.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>

#include "core/thermo/gaussianthermo.hpp"
#include "core/thermo/thermo.hpp"
#include "testsupport.hpp"

using namespace zerlant::thermo;

namespace {

// Same printed 6 decimals: the printed value is within half a unit of the
// last digit, plus 1e-8 for the rounding of the printed inputs.
bool sameAsPrinted(double computed, double printed) {
    return std::fabs(computed - printed) <= 0.5e-6 + 1e-8;
}

}  // namespace

TEST(GaussianCheck, EveryFrequencyJobOfTheDataFolder) {
    const std::filesystem::path dir = zerlant::testing::dataDir();
    if (dir.empty())
        GTEST_SKIP() << "real data folder ../shared/data is absent";

    int jobs = 0, matched = 0, notCheckable = 0;
    std::ostringstream report;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        auto step = readFrequencyStep(zerlant::testing::readAll(entry.path()));
        if (!step || !step->printed.zpe || !step->printed.sumGibbs)
            continue;
        ++jobs;
        ThermoSettings settings;
        settings.temperature = step->temperature;
        settings.pressure = step->pressure;
        if (step->gaussianUsedImaginaryAsReal())
            settings.imaginary = ImaginaryModes::AsReal;
        const std::size_t modes = vibrationalModes(*step, settings).size();
        if (static_cast<int>(modes) != step->modesUsedByGaussian || !step->hasElectronicEnergy) {
            // e.g. a compound-method step that prints vibrational
            // temperatures but not the frequencies themselves
            ++notCheckable;
            report << name << ": " << modes << " modes read, Gaussian used "
                   << step->modesUsedByGaussian << "; not checkable\n";
            continue;
        }
        const ThermoSummary s = summarize(*step, settings);
        bool ok = sameAsPrinted(s.zpe, *step->printed.zpe) &&
                  sameAsPrinted(s.h, *step->printed.sumEnthalpy);
        bool gOk = sameAsPrinted(s.g, *step->printed.sumGibbs);
        // Some Gaussian 09 revisions print a free-energy sum that disagrees
        // with their own electronic energy plus correction; then the
        // correction is what can be checked.
        if (!gOk && step->printed.thermalGibbs &&
            std::fabs(*step->printed.sumGibbs - s.e - *step->printed.thermalGibbs) > 2e-6 &&
            sameAsPrinted(s.rrho.thermalGibbs(), *step->printed.thermalGibbs)) {
            gOk = true;
            report << name << ": printed free-energy sum contradicts E + printed correction; "
                   << "correction matches\n";
        }
        if (ok && gOk) {
            ++matched;
            continue;
        }
        ADD_FAILURE() << name << ": zpe " << s.zpe << " vs " << *step->printed.zpe << ", H " << s.h
                      << " vs " << *step->printed.sumEnthalpy << ", G " << s.g << " vs "
                      << *step->printed.sumGibbs;
    }
    std::cout << report.str() << matched << " of " << jobs << " frequency jobs match ("
              << notCheckable << " not checkable)\n";
    RecordProperty("matched", matched);
    RecordProperty("jobs", jobs);
    EXPECT_GT(jobs, 0);
}
