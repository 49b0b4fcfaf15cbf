#include "core/plotdata/convergenceplot.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/plotdata/broadening.hpp"
#include "core/plotdata/numbertext.hpp"
#include "core/text/textutils.hpp"

namespace zerlant::plotdata {

namespace {

constexpr double kNotAvailable = std::numeric_limits<double>::quiet_NaN();

constexpr const char* kCriterionKeys[kCriteria] = {"max_force", "rms_force", "max_displacement",
                                                   "rms_displacement"};
constexpr MessageId kCriterionMessages[kCriteria] = {
    MessageId::CriterionMaximumForce, MessageId::CriterionRmsForce,
    MessageId::CriterionMaximumDisplacement, MessageId::CriterionRmsDisplacement};
// The criteria's colours beside the energy of one file (colour 0); with
// several files the energies take colours 0-3 and the criteria 4-7.
constexpr int kCriterionColours[kCriteria] = {4, 1, 2, 3};

// The lowest energy of the track's steps; NaN when none has one.
double lowest(const ConvergenceTrack& t) {
    double low = kNotAvailable;
    for (const OptimisationStep& s : t.steps)
        if (s.energy && std::isfinite(*s.energy) && !(*s.energy >= low))
            low = *s.energy;
    return low;
}

double relative(const OptimisationStep& s, double low) {
    return s.energy ? (*s.energy - low) * kHartreeKcal : kNotAvailable;
}

// A value for the log axis: positive and finite, else not drawn.
double logValue(const std::optional<double>& v) {
    return v && std::isfinite(*v) && *v > 0.0 ? *v : kNotAvailable;
}

}  // namespace

PlotScene convergenceScene(const std::vector<NamedTrack>& files, const MessageLookup& message) {
    PlotScene scene;
    scene.title = message(MessageId::ConvergenceTitle);
    scene.xTitle = message(MessageId::StepAxis);
    scene.yTitle = message(MessageId::EnergyAboveLowest);
    scene.y2Title = message(MessageId::CriteriaLogScale);
    scene.y2Log = true;
    const bool many = files.size() > 1;
    std::size_t longest = 0;
    int colour = 0;
    for (const NamedTrack& f : files) {
        const auto& steps = f.track.steps;
        longest = std::max(longest, steps.size());
        const std::string prefix = many ? f.name + ": " : "";
        const double low = lowest(f.track);
        Series energy{Series::Style::Line,
                      many ? f.name : message(MessageId::EnergyAboveLowest),
                      {},
                      {},
                      colour};
        Series converged{Series::Style::Marker, "", {}, {}, colour};
        for (const OptimisationStep& s : steps) {
            energy.x.push_back(s.number);
            energy.y.push_back(relative(s, low));
            if (s.converged) {
                converged.x.push_back(s.number);
                converged.y.push_back(relative(s, low));
            }
        }
        scene.series.push_back(std::move(energy));
        for (std::size_t c = 0; c < kCriteria; ++c) {
            const std::string name = prefix + message(kCriterionMessages[c]);
            Series value{Series::Style::Line,
                         name,
                         {},
                         {},
                         many ? 4 + static_cast<int>(c) : kCriterionColours[c]};
            value.secondAxis = true;
            Series threshold = value;
            threshold.name = name + " (" + message(MessageId::Threshold) + ")";
            threshold.dashed = true;
            for (const OptimisationStep& s : steps) {
                value.x.push_back(s.number);
                value.y.push_back(logValue(s.criteria[c].value));
                threshold.x.push_back(s.number);
                threshold.y.push_back(logValue(s.criteria[c].threshold));
            }
            scene.series.push_back(std::move(value));
            scene.series.push_back(std::move(threshold));
        }
        if (!converged.x.empty())
            scene.series.push_back(std::move(converged));
        ++colour;
    }
    // One marker entry for the converged steps of every file, at the end.
    for (auto it = scene.series.rbegin(); it != scene.series.rend(); ++it)
        if (it->style == Series::Style::Marker) {
            it->name = message(MessageId::ConvergedStep);
            break;
        }
    // Half a step of room on either side, for the converged steps' stars.
    scene.xRange = {0.5, static_cast<double>(std::max<std::size_t>(longest, 1)) + 0.5};
    scene.wholeX = true;
    return scene;
}

std::string convergenceCsv(const std::vector<NamedTrack>& files) {
    std::string out = "file,step,energy_hartree,relative_energy_kcal_mol";
    for (const char* key : kCriterionKeys) out += std::string(",") + key + "," + key + "_threshold";
    out += ",converged\n";
    auto number = [](const std::optional<double>& v) { return v ? numberText(*v) : std::string(); };
    for (const NamedTrack& f : files) {
        const double low = lowest(f.track);
        for (const OptimisationStep& s : f.track.steps) {
            out += separatedCell(f.name, ",") + "," + std::to_string(s.number) + "," +
                   number(s.energy) + "," + numberText(relative(s, low));
            for (const CriterionValue& c : s.criteria)
                out += "," + number(c.value) + "," + number(c.threshold);
            out += std::string(",") + (s.converged ? "yes" : "no") + "\n";
        }
    }
    return out;
}

}  // namespace zerlant::plotdata
